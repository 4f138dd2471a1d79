#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "app/program.h"
#include "ops/new_document.h"
#include "settings/app_settings.h"
#include "tests/support/files.h"
#include "tests/support/program_fixture.h"
#include "tests/support/test_environment.h"
#include "tests/support/window_fixture.h"
#include "ui/png_bit_btn.h"
#include "ui/png_speed_button.h"

using namespace tv;
using test::ModalScript;
using test::Names;
using test::ReadFile;

namespace {

const QByteArray kUnreadable = "<unreadable>";

enum Format { Proposed = -1, Older = 0, Newer = 1 };

// Answers the new-document dialog as a user does: types the name, picks the format (unless
// the proposed one is kept), then presses Enter or clicks Cancel.
ModalScript::Step AnswerDocument(fileops::TForm2 &dialog, const QString &name, Format format, bool confirm = true)
{
  return [=, &dialog](QWidget *window) {
    QCOMPARE(window, &dialog);
    test::TypeName(dialog, name);
    if (format != Proposed)
      QTest::mouseClick(format == Newer ? dialog.RadioButton2 : dialog.RadioButton1, Qt::LeftButton);
    test::Finish(dialog, confirm);
  };
}

} // namespace

class TestNewDocument : public test::ProgramTest {
  Q_OBJECT
private slots:
  void eachButtonWritesItsTemplateByteForByte_data();
  void eachButtonWritesItsTemplateByteForByte();
  void theChosenFormatsExtensionIsAppendedUnlessPresent_data();
  void theChosenFormatsExtensionIsAppendedUnlessPresent();
  void theFormatIsPreselectedByTheInstalledOfficeSuite_data();
  void theFormatIsPreselectedByTheInstalledOfficeSuite();
  void aFileThatCannotBeCreatedIsReportedAndNothingReplaced_data();
  void aFileThatCannotBeCreatedIsReportedAndNothingReplaced();
  void errorDescriptionsLoseTrailingSpacesAndFullStops_data();
  void errorDescriptionsLoseTrailingSpacesAndFullStops();
  void cancelWritesNothing();
  void noCreationButtonActsWithoutAShownFolderThatExists_data();
  void noCreationButtonActsWithoutAShownFolderThatExists();
  void createsInAFolderWhoseNameIsNotUtf8();
  void proposesNamesAndTextsInTheSecondLanguage_data();
  void proposesNamesAndTextsInTheSecondLanguage();

private:
  QByteArray NewFolder() { return environment_.makeFolder("case" + QByteArray::number(++cases_)); }
  // Clicks the button (7 Word, 8 Excel, 9 PowerPoint, 10 new folder) and answers the windows
  // it opens.
  void ClickNewDocument(int button, QList<ModalScript::Step> steps);

  test::TestEnvironment environment_;
  int cases_ = 0;
};

void TestNewDocument::ClickNewDocument(int button, QList<ModalScript::Step> steps)
{
  ModalScript script(std::move(steps));
  test::MarkListing(*program->Form1);
  const QMap<int, ui::TPngSpeedButton *> buttons{{7, program->Form1->PngSpeedButton7},    // Word
                                                 {8, program->Form1->PngSpeedButton8},    // Excel
                                                 {9, program->Form1->PngSpeedButton9},    // PowerPoint
                                                 {10, program->Form1->PngSpeedButton10}}; // New folder
  buttons.value(button)->click();
  QVERIFY(Settled());
  QCOMPARE(script.stepsLeft(), 0);
  QCOMPARE(script.unexpectedWindows(), 0);
}

void TestNewDocument::eachButtonWritesItsTemplateByteForByte_data()
{
  QTest::addColumn<int>("button");
  QTest::addColumn<int>("format");
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QByteArray>("templateName");
  QTest::newRow("Word 97-2003") << 7 << int(Older) << QByteArray("New Word document.doc") << QByteArray("W3");
  QTest::newRow("Word 2007") << 7 << int(Newer) << QByteArray("New Word document.docx") << QByteArray("W7");
  QTest::newRow("Excel 97-2003") << 8 << int(Older) << QByteArray("New Excel document.xls") << QByteArray("E3");
  QTest::newRow("Excel 2007") << 8 << int(Newer) << QByteArray("New Excel document.xlsx") << QByteArray("E7");
  QTest::newRow("PowerPoint 97-2003") << 9 << int(Older) << QByteArray("New PowerPoint document.ppt")
                                      << QByteArray("P3");
  QTest::newRow("PowerPoint 2007") << 9 << int(Newer) << QByteArray("New PowerPoint document.pptx") << QByteArray("P7");
}

void TestNewDocument::eachButtonWritesItsTemplateByteForByte()
{
  QFETCH(int, button);
  QFETCH(int, format);
  QFETCH(QByteArray, file);
  QFETCH(QByteArray, templateName);
  const QByteArray folder = NewFolder();
  program->Form1->OpenFolder(folder);
  QVERIFY(Settled());

  ClickNewDocument(button, {AnswerDocument(*program->Form2, QString(), Format(format))});

  QCOMPARE(Names(folder), QList<QByteArray>{file});
  const QByteArray written = ReadFile(folder + file, kUnreadable);
  QVERIFY(written.size() > 1000);
  QVERIFY(written == ops::TemplateBytes(templateName.constData()));
  QVERIFY(test::ListedSinceMark(*program->Form1));
  QCOMPARE(program->Form1->CurrentFolder(), folder);
}

void TestNewDocument::theChosenFormatsExtensionIsAppendedUnlessPresent_data()
{
  QTest::addColumn<QString>("typed");
  QTest::addColumn<int>("format");
  QTest::addColumn<QByteArray>("file");
  QTest::newRow("no extension") << "Report" << int(Older) << QByteArray("Report.doc");
  QTest::newRow("same extension, other case") << "Report.DOC" << int(Older) << QByteArray("Report.DOC");
  QTest::newRow("other format's extension") << "Report.docx" << int(Older) << QByteArray("Report.docx.doc");
  QTest::newRow("2007, older extension") << "Report.doc" << int(Newer) << QByteArray("Report.doc.docx");
  QTest::newRow("2007, own extension") << "Report.Docx" << int(Newer) << QByteArray("Report.Docx");
  QTest::newRow("empty name") << "" << int(Older) << QByteArray(".doc");
  QTest::newRow("ends in a dot") << "Report." << int(Older) << QByteArray("Report..doc");
  QTest::newRow("dot before a separator") << "a.b/c" << int(Older) << QByteArray("a.b/c.doc");
  QTest::newRow("into a sub-folder") << "a.b/Report.doc" << int(Older) << QByteArray("a.b/Report.doc");
  QTest::newRow("spaces kept") << " Report " << int(Older) << QByteArray(" Report .doc");
}

void TestNewDocument::theChosenFormatsExtensionIsAppendedUnlessPresent()
{
  QFETCH(QString, typed);
  QFETCH(int, format);
  QFETCH(QByteArray, file);
  const QByteArray folder = NewFolder();
  QVERIFY(QDir().mkdir(QFile::decodeName(folder + "a.b")));
  program->Form1->OpenFolder(folder);
  QVERIFY(Settled());

  ClickNewDocument(7, {AnswerDocument(*program->Form2, typed, Format(format))});

  QVERIFY(ReadFile(folder + file, kUnreadable) == ops::TemplateBytes(format == Newer ? "W7" : "W3"));
  QCOMPARE(Names(folder).size() + Names(folder + "a.b").size(), 2);
}

void TestNewDocument::theFormatIsPreselectedByTheInstalledOfficeSuite_data()
{
  QTest::addColumn<bool>("installed");
  QTest::newRow("office suite on PATH") << true;
  QTest::newRow("no office suite") << false;
}

void TestNewDocument::theFormatIsPreselectedByTheInstalledOfficeSuite()
{
  QFETCH(bool, installed);
  const QByteArray bin = NewFolder();
  if (installed) {
    test::WriteFile(bin + "libreoffice", "#!/bin/sh\n");
    QVERIFY(::chmod((bin + "libreoffice").constData(), 0755) == 0);
  }
  const QByteArray savedPath = qgetenv("PATH");
  qputenv("PATH", bin);
  program->Form1->OpenFolder(NewFolder());
  QVERIFY(Settled());
  QList<bool> newerShown;
  // The user picks the other format and cancels; the next showing proposes again.
  const auto pickOtherAndCancel = [&](QWidget *window) {
    newerShown.append(program->Form2->RadioButton2->isChecked());
    AnswerDocument(*program->Form2, QString(), program->Form2->RadioButton2->isChecked() ? Older : Newer,
                   false)(window);
  };
  for (const int button : {7, 8, 9, 7})
    ClickNewDocument(button, {pickOtherAndCancel});
  qputenv("PATH", savedPath);
  QCOMPARE(newerShown, QList<bool>(4, installed));
}

void TestNewDocument::aFileThatCannotBeCreatedIsReportedAndNothingReplaced_data()
{
  QTest::addColumn<QByteArray>("existing"); // a folder ends in "/"
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QByteArray>("target");
  QTest::addColumn<QString>("reason");
  QTest::newRow("file exists") << QByteArray("Report.doc") << "Report" << QByteArray("Report.doc") << "File exists";
  QTest::newRow("file exists, other case typed")
      << QByteArray("Report.DOC") << "Report.DOC" << QByteArray("Report.DOC") << "File exists";
  QTest::newRow("markup and an ampersand in the name")
      << QByteArray("a&b <b>x<b>.doc") << "a&b <b>x<b>" << QByteArray("a&b <b>x<b>.doc") << "File exists";
  QTest::newRow("folder exists") << QByteArray("Report.doc/") << "Report" << QByteArray("Report.doc") << "File exists";
  QTest::newRow("sub-folder missing") << QByteArray() << "missing/Report" << QByteArray("missing/Report.doc")
                                      << "No such file or directory";
  QTest::newRow("name too long") << QByteArray() << QString(300, 'n') << QByteArray(300, 'n') + ".doc"
                                 << "File name too long";
}

void TestNewDocument::aFileThatCannotBeCreatedIsReportedAndNothingReplaced()
{
  QFETCH(QByteArray, existing);
  QFETCH(QString, typed);
  QFETCH(QByteArray, target);
  QFETCH(QString, reason);
  const QByteArray folder = NewFolder();
  if (existing.endsWith('/'))
    QVERIFY(QDir().mkdir(QFile::decodeName(folder + existing)));
  else if (!existing.isEmpty())
    test::WriteFile(folder + existing, "the user's own work");
  const QList<QByteArray> before = Names(folder);
  program->Form1->OpenFolder(folder);
  QVERIFY(Settled());
  QStringList box;

  ClickNewDocument(7, {AnswerDocument(*program->Form2, typed, Older), [&](QWidget *window) {
                         auto *message = qobject_cast<QMessageBox *>(window);
                         QVERIFY(message);
                         box << message->windowTitle() << message->text();
                         QCOMPARE(message->icon(), QMessageBox::Critical);
                         QCOMPARE(message->textFormat(), Qt::PlainText);
                         QCOMPARE(message->buttons().size(), 1);
                         message->button(QMessageBox::Ok)->click();
                       }});

  QCOMPARE(box, (QStringList{"Tarnview", "Cannot create file \"" + folder + target + "\". " + reason + "."}));
  QCOMPARE(Names(folder), before);
  if (!existing.isEmpty() && !existing.endsWith('/'))
    QCOMPARE(ReadFile(folder + existing, kUnreadable), "the user's own work");
  QVERIFY(!test::ListedSinceMark(*program->Form1));
}

void TestNewDocument::errorDescriptionsLoseTrailingSpacesAndFullStops_data()
{
  QTest::addColumn<QString>("description");
  QTest::addColumn<QString>("message");
  QTest::newRow("plain") << "Permission denied"
                         << "Cannot create file \"/f/a%1.doc\". Permission denied.";
  QTest::newRow("full stop and spaces") << "Disk full. . "
                                        << "Cannot create file \"/f/a%1.doc\". Disk full.";
  QTest::newRow("inner full stop kept") << "No. 5 failed."
                                        << "Cannot create file \"/f/a%1.doc\". No. 5 failed.";
  QTest::newRow("only full stops") << " .."
                                   << "Cannot create file \"/f/a%1.doc\". .";
}

void TestNewDocument::errorDescriptionsLoseTrailingSpacesAndFullStops()
{
  QFETCH(QString, description);
  QFETCH(QString, message);
  QCOMPARE(ops::CannotCreateFileMessage("/f/a%1.doc", description), message);
}

void TestNewDocument::cancelWritesNothing()
{
  const QByteArray folder = NewFolder();
  program->Form1->OpenFolder(folder);
  QVERIFY(Settled());
  ClickNewDocument(9, {AnswerDocument(*program->Form2, "Slides", Newer, false)});
  QVERIFY(Names(folder).isEmpty());
  QVERIFY(!test::ListedSinceMark(*program->Form1));
}

void TestNewDocument::noCreationButtonActsWithoutAShownFolderThatExists_data()
{
  QTest::addColumn<bool>("driveList");
  QTest::newRow("drive list shown") << true;
  QTest::newRow("shown folder removed") << false;
}

// The new-folder button as well as the three document buttons.
void TestNewDocument::noCreationButtonActsWithoutAShownFolderThatExists()
{
  QFETCH(bool, driveList);
  const QByteArray folder = NewFolder();
  program->Form1->OpenFolder(folder);
  QVERIFY(Settled());
  QVERIFY(QDir(QFile::decodeName(folder)).removeRecursively());
  if (driveList)
    program->Form1->OpenFolder({});
  QVERIFY(Settled());
  for (const int button : {7, 8, 9, 10})
    ClickNewDocument(button, {});
  QVERIFY(!test::ListedSinceMark(*program->Form1));
  QVERIFY(!QFileInfo::exists(QFile::decodeName(folder)));
}

void TestNewDocument::createsInAFolderWhoseNameIsNotUtf8()
{
  const QByteArray folder = environment_.home() + "/na\xefve/";
  QVERIFY(::mkdir(folder.constData(), 0755) == 0);
  program->Form1->OpenFolder(folder);
  QVERIFY(Settled());

  ClickNewDocument(8, {AnswerDocument(*program->Form2, "Budget", Older)});

  const QByteArray file = folder + "Budget.xls";
  std::unique_ptr<FILE, int (*)(FILE *)> written(std::fopen(file.constData(), "rb"), &std::fclose);
  QVERIFY(written);
  QCOMPARE(program->Form1->CurrentFolder(), folder);
  ::unlink(file.constData());
  ::rmdir(folder.constData());
}

void TestNewDocument::proposesNamesAndTextsInTheSecondLanguage_data()
{
  QTest::addColumn<int>("button");
  QTest::addColumn<QString>("proposed");
  QTest::newRow("Word") << 7 << "新的Word文档";
  QTest::newRow("Excel") << 8 << "新的Excel文档";
  QTest::newRow("PowerPoint") << 9 << "新的PowerPoint文件";
}

void TestNewDocument::proposesNamesAndTextsInTheSecondLanguage()
{
  QFETCH(int, button);
  QFETCH(QString, proposed);
  program->settings.IsEnglish = false;
  const QByteArray folder = NewFolder();
  program->Form1->OpenFolder(folder);
  QVERIFY(Settled());
  QStringList shown;
  ClickNewDocument(button, {[&](QWidget *window) {
                     shown << program->Form2->Edit1->text() << program->Form2->windowTitle()
                           << program->Form2->Label1->text() << program->Form2->Label2->text()
                           << program->Form2->PngBitBtn2->text();
                     for (const QLabel *label : {program->Form2->Label1, program->Form2->Label2})
                       QVERIFY2(label->width() >= label->sizeHint().width(), "label cut short");
                     AnswerDocument(*program->Form2, QString(), Older)(window);
                   }});
  QCOMPARE(shown, (QStringList{proposed, "新的文档", "文件名:", "类型:", "取消"}));
  const QByteArray extension = button == 7 ? ".doc" : button == 8 ? ".xls" : ".ppt";
  QCOMPARE(Names(folder), QList<QByteArray>{(proposed + extension).toUtf8()});
}

QTEST_MAIN(TestNewDocument)
#include "test_new_document.moc"
