#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/program.h"
#include "settings/app_settings.h"
#include "settings/settings_store.h"
#include "tests/support/program_fixture.h"
#include "tests/support/settings_sandbox.h"
#include "ui/png_bit_btn.h"
#include "ui/png_speed_button.h"

using namespace tv;

namespace {

QString Utf8(const char *text) { return QString::fromUtf8(text); }

// The program in a sandbox of its own, with the given language in force and Settings.ini
// looked for in the sandbox's application folder.
class SandboxedProgram {
public:
  explicit SandboxedProgram(const QString &language)
  {
    sandbox.storeValue(QStringLiteral("Language"), language);
    program_ = std::make_unique<Program>();
    LoadSettingsFor(program_->settings, sandbox.executable());
    [this] { QVERIFY(test::Settled(*program_->Form1)); }();
  }

  Program *operator->() const { return program_.get(); }
  Program &operator*() const { return *program_; }
  bool storeHas(const char *key) const { return sandbox.storedValue(QString::fromLatin1(key)).isValid(); }

  test::SettingsSandbox sandbox;

private:
  std::unique_ptr<Program> program_;
};

// Closes every message box that appears and keeps its text.
class MessageCatcher {
public:
  explicit MessageCatcher(Program &program)
  {
    timer_.callOnTimeout([this, &program] {
      if (program.Form5->isVisible()) {
        messages.append(program.Form5->Label1->text());
        program.Form5->close();
      }
    });
    timer_.start(5);
  }
  QStringList messages;

private:
  QTimer timer_;
};

void Click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(8, control->height() / 2)); }

// Opens the Options dialog with the main window's button and runs the action once the
// dialog is shown; the action must end by closing it.
void WithOptions(Program &program, const std::function<void()> &action)
{
  auto *poll = new QTimer(program.Form1);
  poll->callOnTimeout([&program, poll, action] {
    if (!program.Form4->isVisible() || program.Form5->isVisible())
      return;
    poll->stop();
    poll->deleteLater();
    action();
  });
  poll->start(5);
  Click(program.Form1->PngSpeedButton11);
  QVERIFY(test::Settled(*program.Form1));
  QVERIFY(!program.Form4->isVisible());
}

void SetMemory(Settings &settings, bool startupEnglish, bool showHidden, std::uint8_t homeFolder)
{
  settings.StartupIsEnglish = startupEnglish;
  settings.ShowHidden = showHidden;
  settings.HomeFolder = homeFolder;
}

} // namespace

class TestOptionsDialog : public QObject {
  Q_OBJECT
private slots:
  void mainWindowLanguage_data();
  void mainWindowLanguage();
  void dialogTexts_data();
  void dialogTexts();
  void languageChangeAsksForRestart_data();
  void languageChangeAsksForRestart();
  void reopeningShowsTheChosenLanguage();
  void okRelistsAtOnce_data();
  void okRelistsAtOnce();
  void okStoresTheChoices();
  void resetDefaults_data();
  void resetDefaults();
  void resetThenCancelChangesNothing();
  void setAsDefault_data();
  void setAsDefault();
  void cancelCommitsNothing();
  void keysDoNotCloseTheDialog_data();
  void keysDoNotCloseTheDialog();
};

void TestOptionsDialog::mainWindowLanguage_data()
{
  QTest::addColumn<QString>("language");
  QTest::addColumn<QStringList>("texts");
  QTest::newRow("English") << "en" << QStringList{"Index of",          "Filename",   "Size",
                                                  "Last modified",     "Exit",       "About Tarnview",
                                                  "New Word document", "New folder", "Options",
                                                  "Desktop",           "Rename",     "Delete"};
  QTest::newRow("second language") << "nl" << QStringList{Utf8("索引"),         Utf8("文件名"),     Utf8("大小"),
                                                          Utf8("最后修改"),     Utf8("Einde"),      Utf8("关于"),
                                                          Utf8("新建Word文档"), Utf8("新建文件夹"), Utf8("选项"),
                                                          Utf8("桌面"),         Utf8("重命名"),     Utf8("删除")};
}

void TestOptionsDialog::mainWindowLanguage()
{
  QFETCH(QString, language);
  QFETCH(QStringList, texts);
  SandboxedProgram program(language);
  const QStringList shown{program->Form1->Label2->text(),
                          program->Form1->Label3->text(),
                          program->Form1->Label4->text(),
                          program->Form1->Label5->text(),
                          program->Form1->PngSpeedButton1->toolTip(),  // Exit
                          program->Form1->PngSpeedButton3->toolTip(),  // About
                          program->Form1->PngSpeedButton7->text(),     // Word
                          program->Form1->PngSpeedButton10->text(),    // New folder
                          program->Form1->PngSpeedButton11->toolTip(), // Options
                          program->Form1->PngSpeedButton13->toolTip(), // Desktop
                          program->Form1->Rename1->text(),
                          program->Form1->Delete1->text()};
  QCOMPARE(shown, texts);
  QCOMPARE(program->Form1->Label1->x(), program->Form1->Label2->x() + program->Form1->Label2->width());
  QCOMPARE(program->Form1->Label2->width(), program->Form1->Label2->sizeHint().width());
  if (language == "nl")
    QVERIFY2(program->Form1->Label1->x() < 88, "the path follows the shorter title");
}

void TestOptionsDialog::dialogTexts_data()
{
  QTest::addColumn<QString>("language");
  QTest::addColumn<QStringList>("texts");
  QTest::newRow("English") << "en"
                           << QStringList{"Options",
                                          "Language:",
                                          "Home location",
                                          "Application folder",
                                          "Drive list",
                                          "My Documents",
                                          "Desktop",
                                          "Display hidden files",
                                          "Cancel",
                                          "Reset default settings",
                                          "Set current settings as default",
                                          "OK",
                                          "English",
                                          "Nederlands (Dutch)"};
  QTest::newRow("second language") << "nl"
                                   << QStringList{Utf8("选项"),
                                                  Utf8("语言:"),
                                                  Utf8("起始位置"),
                                                  Utf8("程序文件夹"),
                                                  Utf8("驱动盘列表"),
                                                  Utf8("我的文档"),
                                                  Utf8("桌面"),
                                                  Utf8("显示隐藏文件"),
                                                  Utf8("取消"),
                                                  Utf8("重设默认设置"),
                                                  Utf8("设置当前设置为默认"),
                                                  "OK",
                                                  "English",
                                                  "Nederlands (Dutch)"};
}

void TestOptionsDialog::dialogTexts()
{
  QFETCH(QString, language);
  QFETCH(QStringList, texts);
  SandboxedProgram program(language);
  QStringList shown;
  for (int opening = 0; opening < 2; ++opening) {
    WithOptions(*program, [&] {
      shown = QStringList{program->Form4->Label1->text(), program->Form4->Label2->text(),
                          program->Form4->RadioGroup1->title()};
      for (QRadioButton *item : program->Form4->RadioGroup1Items)
        shown.append(item->text());
      shown << program->Form4->CheckBox1->text() << program->Form4->PngBitBtn2->text()
            << program->Form4->PngSpeedButton1->text() << program->Form4->PngSpeedButton2->text()
            << program->Form4->PngBitBtn1->text() << program->Form4->ComboBox1->itemText(0)
            << program->Form4->ComboBox1->itemText(1);
      Click(program->Form4->PngBitBtn2);
    });
    QCOMPARE(shown, texts);
  }
}

void TestOptionsDialog::languageChangeAsksForRestart_data()
{
  QTest::addColumn<QString>("language");
  QTest::addColumn<int>("chosen");
  QTest::addColumn<QStringList>("messages");
  QTest::addColumn<QString>("stored");
  QTest::newRow("English, second language chosen")
      << "en" << 1 << QStringList{"You need to restart Tarnview in order to change the language."} << "nl";
  QTest::newRow("English kept") << "en" << 0 << QStringList{} << "en";
  QTest::newRow("second language, English chosen")
      << "nl" << 0 << QStringList{"U moet Tarnview herstarten om de taal te wijzigen."} << "en";
  QTest::newRow("second language kept") << "nl" << 1 << QStringList{} << "nl";
}

void TestOptionsDialog::languageChangeAsksForRestart()
{
  QFETCH(QString, language);
  QFETCH(int, chosen);
  QFETCH(QStringList, messages);
  QFETCH(QString, stored);
  SandboxedProgram program(language);
  const QString title = program->Form1->Label2->text();
  MessageCatcher catcher(*program);
  WithOptions(*program, [&] {
    program->Form4->ComboBox1->setCurrentIndex(chosen);
    Click(program->Form4->PngBitBtn1);
  });
  QCOMPARE(catcher.messages, messages);
  QCOMPARE(program.sandbox.storedValue(QStringLiteral("Language")).toString(), stored);
  QCOMPARE(program->settings.StartupIsEnglish, chosen == 0);
  QCOMPARE(program->settings.IsEnglish, language == "en");
  QCOMPARE(program->Form1->Label2->text(), title);
}

void TestOptionsDialog::reopeningShowsTheChosenLanguage()
{
  SandboxedProgram program(QStringLiteral("en"));
  MessageCatcher catcher(*program);
  WithOptions(*program, [&] {
    program->Form4->ComboBox1->setCurrentIndex(1);
    Click(program->Form4->PngBitBtn1);
  });
  int listed = -1;
  WithOptions(*program, [&] {
    listed = program->Form4->ComboBox1->currentIndex();
    Click(program->Form4->PngBitBtn1);
  });
  QCOMPARE(listed, 1);
  WithOptions(*program, [&] {
    program->Form4->ComboBox1->setCurrentIndex(0);
    Click(program->Form4->PngBitBtn1);
  });
  const QString restart = QStringLiteral("You need to restart Tarnview in order to change the language.");
  QCOMPARE(catcher.messages, (QStringList{restart, restart}));
  QCOMPARE(program.sandbox.storedValue(QStringLiteral("Language")).toString(), QStringLiteral("en"));
}

void TestOptionsDialog::okRelistsAtOnce_data()
{
  QTest::addColumn<bool>("driveList");
  QTest::newRow("folder shown") << false;
  QTest::newRow("drive list shown") << true;
}

void TestOptionsDialog::okRelistsAtOnce()
{
  QFETCH(bool, driveList);
  SandboxedProgram program(QStringLiteral("en"));
  const QByteArray folder = program.sandbox.environment().makeFolder("shown");
  program->Form1->OpenFolder(driveList ? QByteArray() : folder);
  QVERIFY(test::Settled(*program->Form1));
  if (driveList)
    program->Form1->Label5->hide();
  const QString listed = program->Form1->Label1->text();
  program->Form1->Label1->setText(QStringLiteral("stale"));

  WithOptions(*program, [&] {
    Click(program->Form4->CheckBox1);
    Click(program->Form4->PngBitBtn1);
  });

  QCOMPARE(program->Form1->Label1->text(), listed);
  QCOMPARE(program->Form1->FolderShown(), !driveList);
  if (!driveList)
    QCOMPARE(program->Form1->CurrentFolder(), folder);
  QCOMPARE(program->settings.ShowHidden, true);
}

void TestOptionsDialog::okStoresTheChoices()
{
  SandboxedProgram program(QStringLiteral("en"));
  const QByteArray folder = program.sandbox.environment().makeFolder("shown");
  program->Form1->OpenFolder(folder);
  QVERIFY(test::Settled(*program->Form1));
  SetMemory(program->settings, true, false, ApplicationFolder);
  bool openedWithMemory = false;
  WithOptions(*program, [&] {
    openedWithMemory = program->Form4->ComboBox1->currentIndex() == 0 && !program->Form4->CheckBox1->isChecked() &&
                       program->Form4->RadioGroup1ItemIndex() == ApplicationFolder;
    Click(program->Form4->CheckBox1);
    Click(program->Form4->RadioGroup1Items[DesktopFolder]);
    Click(program->Form4->PngBitBtn1);
  });
  QVERIFY(openedWithMemory);
  QCOMPARE(program->settings.ShowHidden, true);
  QCOMPARE(int{program->settings.HomeFolder}, int{DesktopFolder});
  QCOMPARE(program->settings.StartupIsEnglish, true);
  QCOMPARE(program->Form1->CurrentFolder(), folder);
  QCOMPARE(program.sandbox.storedValue(QStringLiteral("Language")).toString(), QStringLiteral("en"));
  QCOMPARE(program.sandbox.storedValue(QStringLiteral("ShowHidden")).toInt(), 1);
  QCOMPARE(program.sandbox.storedValue(QStringLiteral("HomeFolder")).toInt(), 3);
}

void TestOptionsDialog::resetDefaults_data()
{
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<int>("language");
  QTest::addColumn<bool>("checked");
  QTest::addColumn<int>("item");
  QTest::addColumn<int>("stored");

  QTest::newRow("no file: built-in choices") << QByteArray() << 0 << false << 0 << 0;
  QTest::newRow("file nl, 1, 3") << QByteArray("[TV]\nLanguage=nl\nShowHidden=1\nHomeFolder=3\n") << 1 << true << 3
                                 << 3;
  QTest::newRow("malformed values") << QByteArray("[TV]\nLanguage=dutch\nShowHidden=on\nHomeFolder=x\n") << 0 << false
                                    << 0 << 0;
  QTest::newRow("home 7 selects Desktop") << QByteArray("[TV]\nHomeFolder=7\n") << 0 << false << 3 << 3;
  QTest::newRow("negative home selects none") << QByteArray("[TV]\nHomeFolder=-1\n") << 0 << false << -1 << 0;
}

void TestOptionsDialog::resetDefaults()
{
  QFETCH(QByteArray, file);
  QFETCH(int, language);
  QFETCH(bool, checked);
  QFETCH(int, item);
  QFETCH(int, stored);
  SandboxedProgram program(QStringLiteral("en"));
  if (!file.isNull())
    test::WriteFile(program.sandbox.settingsFile(), file);
  SetMemory(program->settings, language == 1, !checked, item == 2 ? 1 : 2);
  MessageCatcher catcher(*program);
  QList<int> shown;
  WithOptions(*program, [&] {
    Click(program->Form4->PngSpeedButton1);
    shown = {program->Form4->ComboBox1->currentIndex(), program->Form4->CheckBox1->isChecked(),
             program->Form4->RadioGroup1ItemIndex()};
    Click(program->Form4->PngBitBtn1);
  });
  QCOMPARE(shown, (QList<int>{language, checked, item}));
  QCOMPARE(int{program->settings.HomeFolder}, stored);
  QCOMPARE(program.sandbox.storedValue(QStringLiteral("HomeFolder")).toInt(), stored);
}

void TestOptionsDialog::resetThenCancelChangesNothing()
{
  SandboxedProgram program(QStringLiteral("en"));
  const QByteArray file = "[TV]\nLanguage=nl\nShowHidden=1\nHomeFolder=3\n";
  test::WriteFile(program.sandbox.settingsFile(), file);
  SetMemory(program->settings, true, false, DriveListHome);
  WithOptions(*program, [&] {
    Click(program->Form4->PngSpeedButton1);
    Click(program->Form4->PngBitBtn2);
  });
  QCOMPARE(program->settings.StartupIsEnglish, true);
  QCOMPARE(program->settings.ShowHidden, false);
  QCOMPARE(int{program->settings.HomeFolder}, int{DriveListHome});
  QCOMPARE(program.sandbox.storedValue(QStringLiteral("Language")).toString(), QStringLiteral("en"));
  QVERIFY(!program.storeHas("ShowHidden"));
  QVERIFY(!program.storeHas("HomeFolder"));
}

void TestOptionsDialog::setAsDefault_data()
{
  QTest::addColumn<QString>("language");
  QTest::addColumn<bool>("blocked");
  QTest::addColumn<QString>("message");
  QTest::newRow("English, saved") << "en" << false << "Settings saved.";
  QTest::newRow("second language, saved") << "nl" << false << Utf8("设置已保存.");
  QTest::newRow("English, refused") << "en" << true << "Failed to write settings to disk.";
  QTest::newRow("second language, refused")
      << "nl" << true << "Kon de instellingen niet naar de hardeschijf schrijven.";
}

void TestOptionsDialog::setAsDefault()
{
  QFETCH(QString, language);
  QFETCH(bool, blocked);
  QFETCH(QString, message);
  SandboxedProgram program(language);
  if (blocked)
    QVERIFY(QDir().mkpath(QFile::decodeName(program.sandbox.settingsFile())));
  SetMemory(program->settings, true, false, ApplicationFolder);
  MessageCatcher catcher(*program);
  bool stillOpen = false;
  WithOptions(*program, [&] {
    program->Form4->ComboBox1->setCurrentIndex(1);
    Click(program->Form4->CheckBox1);
    Click(program->Form4->RadioGroup1Items[DesktopFolder]);
    Click(program->Form4->PngSpeedButton2);
    stillOpen = program->Form4->isVisible() && program->Form4->ComboBox1->currentIndex() == 1 &&
                program->Form4->CheckBox1->isChecked();
    Click(program->Form4->PngBitBtn2);
  });
  QVERIFY(stillOpen);
  QCOMPARE(catcher.messages, QStringList{message});
  QCOMPARE(program->settings.StartupIsEnglish, true);
  QCOMPARE(program->settings.ShowHidden, false);
  QCOMPARE(int{program->settings.HomeFolder}, int{ApplicationFolder});
  QVERIFY(!program.storeHas("ShowHidden"));
  QFile file(QFile::decodeName(program.sandbox.settingsFile()));
  if (!blocked) {
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[TV]\nLanguage=nl\nShowHidden=1\nHomeFolder=3\n"));
  }
}

void TestOptionsDialog::cancelCommitsNothing()
{
  SandboxedProgram program(QStringLiteral("en"));
  program->Form1->Label1->setText(QStringLiteral("stale"));
  SetMemory(program->settings, true, false, ApplicationFolder);
  program->Form4->PngBitBtn1Click(); // the answer of an earlier showing
  bool acceptedWhileShown = true;
  WithOptions(*program, [&] {
    acceptedWhileShown = program->Form4->OptionsAccepted();
    program->Form4->ComboBox1->setCurrentIndex(1);
    Click(program->Form4->CheckBox1);
    Click(program->Form4->RadioGroup1Items[DriveListHome]);
    Click(program->Form4->PngBitBtn2);
  });
  QVERIFY2(!acceptedWhileShown, "showing the dialog clears the answer");
  QVERIFY(!program->Form4->OptionsAccepted());
  QCOMPARE(program->settings.StartupIsEnglish, true);
  QCOMPARE(program->settings.ShowHidden, false);
  QCOMPARE(int{program->settings.HomeFolder}, int{ApplicationFolder});
  QCOMPARE(program->Form1->Label1->text(), QStringLiteral("stale"));
  QVERIFY(!program.storeHas("ShowHidden"));
}

void TestOptionsDialog::keysDoNotCloseTheDialog_data()
{
  QTest::addColumn<QString>("control");
  QTest::addColumn<int>("key");
  QTest::newRow("Enter on the check box") << "CheckBox1" << int{Qt::Key_Return};
  QTest::newRow("keypad Enter on the check box") << "CheckBox1" << int{Qt::Key_Enter};
  QTest::newRow("Enter in the language list") << "ComboBox1" << int{Qt::Key_Return};
  QTest::newRow("Escape on the check box") << "CheckBox1" << int{Qt::Key_Escape};
  QTest::newRow("Escape in the language list") << "ComboBox1" << int{Qt::Key_Escape};
  QTest::newRow("Escape on a home item") << "RadioItem" << int{Qt::Key_Escape};
}

void TestOptionsDialog::keysDoNotCloseTheDialog()
{
  QFETCH(QString, control);
  QFETCH(int, key);
  SandboxedProgram program(QStringLiteral("en"));
  SetMemory(program->settings, true, false, ApplicationFolder);
  bool stayedOpen = false;
  WithOptions(*program, [&] {
    QWidget *target = control == "CheckBox1"   ? static_cast<QWidget *>(program->Form4->CheckBox1)
                      : control == "ComboBox1" ? static_cast<QWidget *>(program->Form4->ComboBox1)
                                               : static_cast<QWidget *>(program->Form4->RadioGroup1Items[0]);
    Click(program->Form4->CheckBox1);
    QTest::keyClick(target, static_cast<Qt::Key>(key));
    QCoreApplication::processEvents();
    stayedOpen = program->Form4->isVisible() && !program->Form4->OptionsAccepted();
    Click(program->Form4->PngBitBtn2);
  });
  QVERIFY(stayedOpen);
  QCOMPARE(program->settings.ShowHidden, false);
  QVERIFY(!program.storeHas("ShowHidden"));
}

QTEST_MAIN(TestOptionsDialog)
#include "test_options_dialog.moc"
