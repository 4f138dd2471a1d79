// The Options dialog's controls, texts and buttons.
#include "settings/options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "ops/setting_values.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"
#include "ui/borderless_frame.h"
#include "ui/glyphs.h"
#include "ui/message_label.h"
#include "ui/png_bit_btn.h"
#include "ui/png_speed_button.h"
#include "ui/program_font.h"
#include "ui/window_behaviour.h"

namespace tv {

namespace {

template <typename Button> void SetGlyph(Button *button, QRect geometry, ui::Picture glyph)
{
  button->setGeometry(geometry);
  button->SetPngImage(ui::Glyph(glyph));
}

} // namespace

TForm4::TForm4(const Settings &settings, QWidget *parent)
    : ui::BorderlessDialog(parent, ui::CornerNames::TopLeftTopRightBottomLeftBottomRight,
                           [this](QPoint point) { return ui::BorderlessFrame::DownToBottomOf(point, Label1); }),
      Label1(new ui::LineLabel(QString::fromUtf8(PendingText), this)), Label2(new ui::LineLabel(QString(), this)),
      ComboBox1(new QComboBox(this)), RadioGroup1(new QGroupBox(this)), RadioGroup1Items{},
      CheckBox1(new QCheckBox(this)), PngSpeedButton1(new ui::TPngSpeedButton(this)),
      PngSpeedButton2(new ui::TPngSpeedButton(this)), PngBitBtn1(new ui::TPngBitBtn(this)),
      PngBitBtn2(new ui::TPngBitBtn(this)), radioItems_(new QButtonGroup(this)), settings_(settings)
{
  setFixedSize(256, 340);
  setFont(ui::TahomaFont(13));
  Label1->setFont(ui::TahomaFont(16, true));
  Label1->move(16, 12);
  Label1->adjustSize();
  Label2->move(16, 43);
  ComboBox1->setGeometry(96, 40, 145, 24);
  for (const char *item : texts::LanguageItems)
    ComboBox1->addItem(QString::fromUtf8(item));
  RadioGroup1->setGeometry(16, 72, 225, 129);
  for (int item = 0; item < HomeLocationCount; ++item) {
    auto *radio = new QRadioButton(RadioGroup1);
    radio->setGeometry(8, 22 + item * 26, 209, 20);
    radioItems_->addButton(radio, item);
    RadioGroup1Items[static_cast<size_t>(item)] = radio;
  }
  CheckBox1->setGeometry(16, 216, 225, 17);
  SetGlyph(PngSpeedButton1, {16, 246, 225, 25}, ui::Picture::Refresh);
  SetGlyph(PngSpeedButton2, {16, 272, 225, 25}, ui::Picture::OptionsDefault);
  PngSpeedButton1->SetMargin(4);
  PngSpeedButton2->SetMargin(4);
  SetGlyph(PngBitBtn1, {62, 304, 81, 25}, ui::Picture::Ok);
  SetGlyph(PngBitBtn2, {150, 304, 91, 25}, ui::Picture::Cancel);
  PngBitBtn1->setText(QString::fromUtf8(OkCaption));
  SetTexts(&TextPair::english);

  setTabOrder(ComboBox1, RadioGroup1Items[0]);
  for (size_t item = 1; item < RadioGroup1Items.size(); ++item)
    setTabOrder(RadioGroup1Items[item - 1], RadioGroup1Items[item]);
  setTabOrder(RadioGroup1Items.back(), CheckBox1);
  setTabOrder(CheckBox1, PngBitBtn1);
  setTabOrder(PngBitBtn1, PngBitBtn2);

  // Escape is no way out of this dialog: only OK and Cancel close it.
  ui::KeepOpenOnEscape(this);
  connect(PngBitBtn1, &QAbstractButton::clicked, this, &TForm4::PngBitBtn1Click);
  connect(PngBitBtn2, &QAbstractButton::clicked, this, &TForm4::PngBitBtn2Click);
  connect(PngSpeedButton1, &QAbstractButton::clicked, this, &TForm4::PngSpeedButton1Click);
  connect(PngSpeedButton2, &QAbstractButton::clicked, this, &TForm4::PngSpeedButton2Click);
}

void TForm4::SetTexts(Language language)
{
  const auto text = [language](const TextPair &pair) { return Text(pair, language); };
  setWindowTitle(text(texts::OptionsHint));
  Label2->setText(text(texts::LanguageLabel));
  Label2->adjustSize();
  RadioGroup1->setTitle(text(texts::HomeLocationCaption));
  const TextPair *items[] = {&texts::ApplicationFolderItem, &texts::DriveListItem, &texts::MyDocumentsItem,
                             &texts::DesktopHint};
  for (size_t item = 0; item < RadioGroup1Items.size(); ++item)
    RadioGroup1Items[item]->setText(text(*items[item]));
  CheckBox1->setText(text(texts::DisplayHiddenFiles));
  PngBitBtn2->setText(text(texts::Cancel));
  PngSpeedButton1->setText(text(texts::ResetDefaultSettings));
  PngSpeedButton2->setText(text(texts::SetCurrentAsDefault));
}

int TForm4::RadioGroup1ItemIndex() const { return radioItems_->checkedId(); }

void TForm4::SetRadioGroup1ItemIndex(int index)
{
  const int item = HomeItemForIndex(index);
  if (item >= 0) {
    RadioGroup1Items[static_cast<size_t>(item)]->setChecked(true);
    return;
  }
  // An exclusive group keeps one button checked; clearing it needs the group opened up.
  radioItems_->setExclusive(false);
  for (QRadioButton *radio : RadioGroup1Items)
    radio->setChecked(false);
  radioItems_->setExclusive(true);
}

int TForm4::ChosenHomeIndex() const { return HomeIndexForItem(RadioGroup1ItemIndex()); }

bool TForm4::ChosenShowHidden() const { return CheckBox1->isChecked(); }

bool TForm4::ChosenStartupIsEnglish() const { return ComboBox1->currentIndex() == 0; }

void TForm4::ShowSettings()
{
  CheckBox1->setChecked(settings_.ShowHidden);
  ComboBox1->setCurrentIndex(settings_.StartupIsEnglish ? 0 : 1);
  if (!settings_.IsEnglish)
    SetTexts(settings_.TextLanguage());
  SetRadioGroup1ItemIndex(settings_.HomeFolder);
}

void TForm4::FormShow()
{
  Label1->setText(windowTitle());
  Label1->adjustSize();
}

void TForm4::PngBitBtn1Click() { accept(); }

void TForm4::PngBitBtn2Click() { close(); }

void TForm4::PngSpeedButton1Click()
{
  // Without a settings file the built-in choices apply, which are the same as the defaults
  // of an empty file.
  const DefaultSettings defaults = ReadDefaultSettings(settings_).value_or(DefaultSettings{});
  ComboBox1->setCurrentIndex(defaults.english ? 0 : 1);
  CheckBox1->setChecked(defaults.showHidden);
  SetRadioGroup1ItemIndex(defaults.homeFolder);
}

void TForm4::PngSpeedButton2Click()
{
  const bool written =
      WriteDefaultSettings(settings_, ComboBox1->currentIndex(), CheckBox1->isChecked(), ChosenHomeIndex());
  emit MessageRequested(Text(written ? texts::SettingsSaved : texts::SettingsWriteFailed, settings_.TextLanguage()));
}

void TForm4::showEvent(QShowEvent *event)
{
  FormShow();
  ui::BorderlessDialog::showEvent(event);
}

} // namespace tv
