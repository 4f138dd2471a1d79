#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

#include "app/program.h"
#include "settings/app_settings.h"
#include "tests/support/program_fixture.h"
#include "tests/support/test_environment.h"
#include "tests/support/window_fixture.h"
#include "ui/png_bit_btn.h"
#include "ui/png_speed_button.h"

using namespace tv;
using test::ModalScript;

class TestNewFolder : public test::ProgramTest {
  Q_OBJECT
private slots:
  void theConfirmedNameIsCreatedAndOpened_data();
  void theConfirmedNameIsCreatedAndOpened();
  void createsInAFolderWhoseNameIsNotUtf8();
  void proposesTheNameInTheSecondLanguage();

private:
  QByteArray NewFolder() { return environment_.makeFolder("case" + QByteArray::number(++cases_)); }
  // Clicks "New folder" and answers the dialog with the steps; no other window may open.
  void ClickNewFolder(QList<ModalScript::Step> steps);

  test::TestEnvironment environment_;
  int cases_ = 0;
};

void TestNewFolder::ClickNewFolder(QList<ModalScript::Step> steps)
{
  ModalScript script(std::move(steps));
  test::MarkListing(*program->Form1);
  program->Form1->PngSpeedButton10->click();
  QVERIFY(Settled());
  QCOMPARE(script.stepsLeft(), 0);
  QCOMPARE(script.unexpectedWindows(), 0);
}

void TestNewFolder::theConfirmedNameIsCreatedAndOpened_data()
{
  QTest::addColumn<QByteArrayList>("existing"); // folders end in "/"
  QTest::addColumn<QString>("typed");           // null: the proposed name as it is
  QTest::addColumn<bool>("confirm");
  QTest::addColumn<QByteArray>("opened"); // null: the listing is left alone
  QTest::newRow("typed name") << QByteArrayList{} << "Projects" << true << QByteArray("Projects/");
  QTest::newRow("proposed name") << QByteArrayList{} << QString() << true << QByteArray("New folder/");
  QTest::newRow("spaces kept") << QByteArrayList{} << " padded " << true << QByteArray(" padded /");
  QTest::newRow("existing folder opened")
      << QByteArrayList{"Old/", "Old/keep.txt"} << "Old" << true << QByteArray("Old/");
  QTest::newRow("inside an existing sub-folder")
      << QByteArrayList{"sub/"} << "sub/inner" << true << QByteArray("sub/inner/");
  QTest::newRow("sub-folder missing") << QByteArrayList{} << "missing/inner" << true << QByteArray();
  QTest::newRow("a file has the name") << QByteArrayList{"taken"} << "taken" << true << QByteArray();
  QTest::newRow("empty name lists the folder again") << QByteArrayList{} << "" << true << QByteArray("");
  QTest::newRow("cancel") << QByteArrayList{} << "Projects" << false << QByteArray();
}

void TestNewFolder::theConfirmedNameIsCreatedAndOpened()
{
  QFETCH(QByteArrayList, existing);
  QFETCH(QString, typed);
  QFETCH(bool, confirm);
  QFETCH(QByteArray, opened);
  const QByteArray folder = NewFolder();
  for (const QByteArray &entry : existing)
    entry.endsWith('/') ? void(QDir().mkpath(QFile::decodeName(folder + entry)))
                        : test::WriteFile(folder + entry, "kept");
  const QStringList before = QDir(QFile::decodeName(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
  program->Form1->OpenFolder(folder);
  QVERIFY(Settled());

  ClickNewFolder({test::AnswerName(*program->Form3, typed, confirm)});

  QCOMPARE(test::ListedSinceMark(*program->Form1), !opened.isNull());
  if (opened.isNull()) {
    QCOMPARE(program->Form1->CurrentFolder(), folder);
    QCOMPARE(QDir(QFile::decodeName(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    return;
  }
  QCOMPARE(test::WithTrailingSlash(program->Form1->CurrentFolder()), folder + opened);
  QVERIFY(QFileInfo(QFile::decodeName(folder + opened)).isDir());
  for (const QByteArray &entry : existing)
    QVERIFY(QFileInfo::exists(QFile::decodeName(folder + entry)));
}

void TestNewFolder::createsInAFolderWhoseNameIsNotUtf8()
{
  const QByteArray folder = environment_.home() + "/caf\xe9/";
  QVERIFY(::mkdir(folder.constData(), 0755) == 0);
  program->Form1->OpenFolder(folder);
  QVERIFY(Settled());

  ClickNewFolder({test::AnswerName(*program->Form3, "Notes")});

  QCOMPARE(test::WithTrailingSlash(program->Form1->CurrentFolder()), folder + "Notes/");
  struct stat info {};
  QVERIFY(::stat((folder + "Notes").constData(), &info) == 0 && S_ISDIR(info.st_mode));
  ::rmdir((folder + "Notes").constData());
  ::rmdir(folder.constData());
}

void TestNewFolder::proposesTheNameInTheSecondLanguage()
{
  program->settings.IsEnglish = false;
  program->Form1->OpenFolder(NewFolder());
  QVERIFY(Settled());
  QStringList shown;
  ClickNewFolder({[&](QWidget *) {
    shown << program->Form3->Edit1->text() << program->Form3->Label1->text() << program->Form3->PngBitBtn2->text()
          << program->Form3->windowTitle();
    QVERIFY2(program->Form3->Label1->width() >= program->Form3->Label1->sizeHint().width(), "label cut short");
    program->Form3->PngBitBtn2->click();
  }});
  QCOMPARE(shown, (QStringList{"新建文件夹", "文件名:", "取消", "New folder"}));
}

QTEST_MAIN(TestNewFolder)
#include "test_new_folder.moc"
