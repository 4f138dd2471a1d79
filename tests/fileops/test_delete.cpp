#include <QLabel>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "fileops/delete_question.h"
#include "ops/delete.h"
#include "tests/support/file_test_support.h"
#include "tests/support/modal_script.h"
#include "texts/texts.h"
#include "ui/message_boxes.h"
#include "ui/png_bit_btn.h"

using namespace tv;
using namespace tv::test;
using ops::DeleteStep;

Q_DECLARE_METATYPE(DeleteStep)

namespace {

enum class Answer { Yes, No, EnterAtOnce, Closed };

struct Shown {
  QString question;
  QString yes;
  QString no;
};

// Answers the box as soon as it shows, noting what it showed; whatever the answer did not
// close closes then, as the user might by other means.
Shown ConfirmAndAnswer(const QString &caption, Answer answer, bool english)
{
  ui::TForm6 box;
  box.PngBitBtn1->setText(QStringLiteral("Yes"));
  // A Yes left over from an earlier question must not count.
  box.PngBitBtn1->click();
  Shown shown;
  const ModalScript script({[&](QWidget *) {
    shown = {box.Label1->text(), box.PngBitBtn1->text(), box.PngBitBtn2->text()};
    if (answer == Answer::Yes)
      QTest::mouseClick(box.PngBitBtn1, Qt::LeftButton);
    else if (answer == Answer::No)
      QTest::mouseClick(box.PngBitBtn2, Qt::LeftButton);
    else if (answer == Answer::EnterAtOnce)
      QTest::keyClick(QTest::qWaitForWindowActive(&box) ? QApplication::focusWidget() : &box, Qt::Key_Return);
  }});
  const bool confirmed = fileops::ConfirmDelete(box, caption, LanguageOf(english));
  shown.question += confirmed ? QStringLiteral(" => yes") : QStringLiteral(" => no");
  return shown;
}

enum class Trash { Usable, Blocked, NoHome, SourceEndsEarly };

QString Reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

} // namespace

Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(Trash)

class TestDelete : public QObject {
  Q_OBJECT
private slots:
  void init() { language_ = &TextPair::english; }
  void deleteStep_data();
  void deleteStep();
  void question_data();
  void question();
  void answers_data();
  void answers();
  void recycleFile_data();
  void recycleFile();
  void fileInReadOnlyFolderStaysAndTheUserIsTold();

private:
  // The language that the messages are in.
  Language language_ = &TextPair::english;
};

void TestDelete::deleteStep_data()
{
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<bool>("driveList");
  QTest::addColumn<DeleteStep>("step");
  QTest::addRow("file") << QByteArray("a.txt") << false << DeleteStep::Ask;
  QTest::addRow("hidden file") << QByteArray(".hidden") << false << DeleteStep::Ask;
  QTest::addRow("not UTF-8") << QByteArray("\xff") << false << DeleteStep::Ask;
  QTest::addRow("broken link") << QByteArray("broken") << false << DeleteStep::Ask;
  QTest::addRow("pipe") << QByteArray("pipe") << false << DeleteStep::Ask;
  QTest::addRow("folder") << QByteArray("dir") << false << DeleteStep::RefuseFolder;
  QTest::addRow("link to a folder") << QByteArray("dir-link") << false << DeleteStep::RefuseFolder;
  QTest::addRow("vanished") << QByteArray("gone") << false << DeleteStep::Nothing;
  QTest::addRow("empty name, the folder itself") << QByteArray() << false << DeleteStep::Nothing;
  QTest::addRow(".") << QByteArray(".") << false << DeleteStep::Nothing;
  QTest::addRow("..") << QByteArray("..") << false << DeleteStep::Nothing;
  QTest::addRow("a path") << QByteArray("dir/inner") << false << DeleteStep::Nothing;
  QTest::addRow("drive list, even with a file of that name") << QByteArray("a.txt") << true << DeleteStep::Nothing;
}

void TestDelete::deleteStep()
{
  QFETCH(QByteArray, name);
  QFETCH(bool, driveList);
  QFETCH(DeleteStep, step);
  FileTestEnvironment environment;
  const QByteArray folder = environment.makeFolder("shown");
  MakeFile(folder + "a.txt");
  MakeFile(folder + ".hidden");
  MakeFile(folder + "\xff");
  MakeFolder(folder + "dir");
  MakeFile(folder + "dir/inner");
  QVERIFY(::symlink("dir", (folder + "dir-link").constData()) == 0);
  QVERIFY(::symlink("nowhere", (folder + "broken").constData()) == 0);
  QVERIFY(::mkfifo((folder + "pipe").constData(), 0644) == 0);

  QCOMPARE(ops::DeleteStepFor(driveList ? QByteArray() : folder, name), step);
}

void TestDelete::question_data()
{
  QTest::addColumn<bool>("english");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("question");
  QTest::addRow("English") << true << QStringLiteral("a.txt")
                           << QStringLiteral("Are you sure you want to delete \"a.txt\"?");
  QTest::addRow("spaces and dots as listed") << true << QStringLiteral(" my  file..txt. ")
                                             << QStringLiteral("Are you sure you want to delete \" my  file..txt. \"?");
  QTest::addRow("ampersand") << true << QStringLiteral("R&D.doc")
                             << QStringLiteral("Are you sure you want to delete \"R&D.doc\"?");
  QTest::addRow("second language") << false << QStringLiteral("报告.doc")
                                   << QStringLiteral("你确定文件 \"报告.doc\" 是否删除?");
}

void TestDelete::question()
{
  QFETCH(bool, english);
  QFETCH(QString, caption);
  QFETCH(QString, question);
  QCOMPARE(ops::DeleteQuestion(caption, LanguageOf(english)), question);
}

void TestDelete::answers_data()
{
  QTest::addColumn<bool>("english");
  QTest::addColumn<Answer>("answer");
  QTest::addColumn<QString>("yes");
  QTest::addColumn<QString>("no");
  QTest::addColumn<QString>("result");
  const QString question = QStringLiteral("Are you sure you want to delete \"a.txt\"?");
  QTest::addRow("Yes") << true << Answer::Yes << "Yes"
                       << "No" << question + " => yes";
  QTest::addRow("No") << true << Answer::No << "Yes"
                      << "No" << question + " => no";
  QTest::addRow("Enter at once") << true << Answer::EnterAtOnce << "Yes"
                                 << "No" << question + " => no";
  QTest::addRow("closed otherwise") << true << Answer::Closed << "Yes"
                                    << "No" << question + " => no";
  QTest::addRow("second language, Yes") << false << Answer::Yes << QStringLiteral("是") << QStringLiteral("否")
                                        << QStringLiteral("你确定文件 \"a.txt\" 是否删除? => yes");
  QTest::addRow("second language, No") << false << Answer::No << QStringLiteral("是") << QStringLiteral("否")
                                       << QStringLiteral("你确定文件 \"a.txt\" 是否删除? => no");
}

void TestDelete::answers()
{
  QFETCH(bool, english);
  QFETCH(Answer, answer);
  QFETCH(QString, yes);
  QFETCH(QString, no);
  QFETCH(QString, result);
  language_ = LanguageOf(english);

  const Shown shown = ConfirmAndAnswer(QStringLiteral("a.txt"), answer, english);

  QCOMPARE(shown.question, result);
  QCOMPARE(shown.yes, yes);
  QCOMPARE(shown.no, no);
}

void TestDelete::recycleFile_data()
{
  QTest::addColumn<bool>("english");
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<Trash>("trash");
  QTest::addColumn<QString>("message");
  QTest::addRow("file to the trash") << true << QByteArray("a b.txt") << Trash::Usable << QString();
  QTest::addRow("not UTF-8") << true << QByteArray("\xff\xfe") << Trash::Usable << QString();
  QTest::addRow("vanished meanwhile") << true << QByteArray("gone") << Trash::Usable << QString();
  QTest::addRow("no usable trash") << true << QByteArray("a b.txt") << Trash::Blocked
                                   << QStringLiteral(
                                          "Could not move \"a b.txt\" to the trash, the file stays where it is: %1.")
                                          .arg(Reason(ENOTDIR));
  QTest::addRow("no usable trash, second language")
      << false << QByteArray("a b.txt") << Trash::Blocked
      << QStringLiteral("无法将 \"a b.txt\" 移到回收站, 文件保留在原处: %1.").arg(Reason(ENOTDIR));
  QTest::addRow("no home folder, second language")
      << false << QByteArray("a b.txt") << Trash::NoHome
      << QStringLiteral("无法将 \"a b.txt\" 移到回收站, 文件保留在原处: 未设置主文件夹.");
  QTest::addRow("file changed while copied")
      << true << QByteArray("a b.txt") << Trash::SourceEndsEarly
      << QStringLiteral("Could not move \"a b.txt\" to the trash, the file stays where it is: the file changed while "
                        "it was being moved.");
}

void TestDelete::recycleFile()
{
  QFETCH(bool, english);
  QFETCH(QByteArray, name);
  QFETCH(Trash, trash);
  QFETCH(QString, message);
  language_ = LanguageOf(english);
  FileTestEnvironment environment;
  const QByteArray folder = environment.makeFolder("shown");
  const QByteArray trashFolder = environment.home() + "/.xdg_data_home/Trash";
  if (name != "gone")
    MakeFile(folder + name, "contents");
  MakeFile(folder + "other", "stays");
  if (trash == Trash::Blocked)
    MakeFile(trashFolder, "in the way");
  if (trash == Trash::NoHome) {
    qputenv("XDG_DATA_HOME", "");
    qputenv("HOME", "");
  }
  const QByteArray path = trash == Trash::SourceEndsEarly ? ShortReadFile() : folder + name;
  if (path.isEmpty())
    QSKIP(kNoShortReadFile);
  const auto outside = Snapshot(environment.home(), {folder.chopped(1), trashFolder});

  QCOMPARE(ops::RecycleFile(path, QString::fromUtf8(name), language_), message);

  const bool trashed = trash == Trash::Usable && name != "gone";
  QCOMPARE(Exists(folder + name), name != "gone" && !trashed);
  QCOMPARE(Names(folder).contains("other"), true);
  QCOMPARE(ReadFile(trashFolder + "/files/" + name), trashed ? QByteArray("contents") : QByteArray());
  QCOMPARE(Snapshot(environment.home(), {folder.chopped(1), trashFolder}), outside);
}

void TestDelete::fileInReadOnlyFolderStaysAndTheUserIsTold()
{
  FileTestEnvironment environment;
  const auto [folder, dataHome] = PrepareReadOnlyFolder(environment);
  const auto before = Snapshot(folder);
  const QString expected =
      QStringLiteral("Could not move \"a.txt\" to the trash, the file stays where it is: %1.").arg(Reason(EACCES));

  const int told = RunRestricted([&] {
    qputenv("XDG_DATA_HOME", dataHome);
    return ops::RecycleFile(folder + "a.txt", QStringLiteral("a.txt"), language_) == expected ? 1 : 0;
  });

  QCOMPARE(told, 1);
  QCOMPARE(Snapshot(folder), before);
}

QTEST_MAIN(TestDelete)
#include "test_delete.moc"
