// The main window's handlers that create folders and documents.
#include "app/main_window.h"

#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>

#include "app/program.h"
#include "fileops/new_document.h"
#include "fileops/new_folder.h"
#include "platform/file_queries.h"
#include "platform/office_suite.h"
#include "platform/result.h"
#include "settings/app_settings.h"
#include "texts/texts.h"
#include "ui/busy_pointer.h"
#include "ui/png_bit_btn.h"

namespace tv {

namespace {

// Nothing is created while the drive list is shown or when the shown folder is gone.
bool CanCreateIn(const TForm1 &form) { return form.FolderShown() && platform::IsExistingFolder(form.CurrentFolder()); }

// Shows the new-folder dialog with the proposed name; true when the user confirmed.
bool AskFolderName(Program &program)
{
  fileops::TForm3 &dialog = *program.Form3;
  dialog.ProposeName(Text(texts::ProposedFolderName, program.settings.TextLanguage()));
  if (!program.settings.IsEnglish)
    dialog.SetTexts(program.settings.TextLanguage());
  dialog.exec();
  return dialog.NewFolderConfirmed();
}

// Shows the new-document dialog with the proposed name, and the newer format chosen when an
// office suite that writes it is installed, whatever was chosen the last time.
bool AskDocumentName(Program &program, const fileops::DocumentType &type)
{
  fileops::TForm2 &dialog = *program.Form2;
  dialog.ProposeName(Text(type.proposedName, program.settings.TextLanguage()));
  if (!program.settings.IsEnglish)
    dialog.SetTexts(program.settings.TextLanguage());
  (platform::IsNewerOfficeSuiteInstalled() ? dialog.RadioButton2 : dialog.RadioButton1)->setChecked(true);
  dialog.exec();
  return dialog.NewDocumentConfirmed();
}

// The system's error box, with the file's name shown as it is, not read as markup.
void ShowCreateError(TForm1 &form, const QString &message)
{
  QMessageBox box(QMessageBox::Critical, QString::fromUtf8(ApplicationTitle), message, QMessageBox::Ok, &form);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void CreateDocument(TForm1 &form, Program &program, fileops::DocumentKind kind)
{
  if (!CanCreateIn(form))
    return;
  const fileops::DocumentType &type = fileops::DocumentTypeOf(kind);
  if (!AskDocumentName(program, type))
    return;
  const fileops::DocumentFormat &format = program.Form2->NewerFormatChosen() ? type.newer : type.older;
  const QString name = fileops::WithExtension(program.Form2->NewDocumentName(), QLatin1String(format.extension));
  const QByteArray target = form.CurrentFolder() + platform::NativeName(name);
  const platform::Result saved =
      ui::WhileBusy([&] { return fileops::SaveTemplateToFile(format.templateName, target); });
  if (!saved.Ok()) {
    ShowCreateError(form, fileops::CannotCreateFileMessage(target, saved.Description()));
    return;
  }
  form.OpenFolder(form.CurrentFolder());
}

} // namespace

void TForm1::PngSpeedButton7Click() { CreateDocument(*this, program_, fileops::DocumentKind::Word); }
void TForm1::PngSpeedButton8Click() { CreateDocument(*this, program_, fileops::DocumentKind::Excel); }
void TForm1::PngSpeedButton9Click() { CreateDocument(*this, program_, fileops::DocumentKind::PowerPoint); }

void TForm1::PngSpeedButton10Click()
{
  if (!CanCreateIn(*this) || !AskFolderName(program_))
    return;
  if (const auto folder =
          fileops::MakeNewFolder(CurrentFolder(), platform::NativeName(program_.Form3->NewFolderName())))
    OpenFolder(*folder);
}

} // namespace tv
