#include <QtTest>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "ops/rename.h"
#include "tests/support/file_test_support.h"
#include "texts/texts.h"

using namespace tv;
using namespace tv::test;
using ops::RowKind;

Q_DECLARE_METATYPE(RowKind)

namespace {

QString Reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

const QString kInvalid = QStringLiteral("a name must not be empty, \".\" or \"..\" and must not contain \"/\"");

QString Failed(const QString &from, const QString &to, const QString &reason)
{
  return QStringLiteral("Could not rename \"%1\" to \"%2\": %3.").arg(from, to, reason);
}

// a.txt, b.txt, two folders and a name that is not UTF-8.
QByteArray MakeEntries(const FileTestEnvironment &environment)
{
  const QByteArray folder = environment.makeFolder("shown");
  MakeFile(folder + "a.txt", "A");
  MakeFile(folder + "b.txt", "B");
  MakeFolder(folder + "dir");
  MakeFolder(folder + "other");
  MakeFile(folder + "\xff\xfe", "X");
  return folder;
}

} // namespace

class TestRename : public QObject {
  Q_OBJECT
private slots:
  void init() { language_ = &TextPair::english; }
  void renameRow_data();
  void renameRow();
  void secondLanguageMessages_data();
  void secondLanguageMessages();
  void renameInReadOnlyFolderRestoresTheCaption();

private:
  // The language that the messages are in.
  Language language_ = &TextPair::english;
};

void TestRename::renameRow_data()
{
  QTest::addColumn<RowKind>("kind");
  QTest::addColumn<QByteArray>("oldName");
  QTest::addColumn<QString>("newText");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QByteArray>("renamedTo");
  const auto row = [](const char *name, RowKind kind, const QByteArray &oldName, const QString &newText,
                      const QString &message, const QByteArray &renamedTo) {
    QTest::addRow("%s", name) << kind << oldName << newText << message << renamedTo;
  };
  const QString fileTaken = QStringLiteral("A file with this name already exists!");
  const QString folderTaken = QStringLiteral("A folder with this name already exists!");
  const QString longName(256, QLatin1Char('x'));
  row("unchanged", RowKind::File, "a.txt", "a.txt", {}, {});
  row("file renamed", RowKind::File, "a.txt", "c.txt", {}, "c.txt");
  row("folder renamed", RowKind::Folder, "dir", "renamed", {}, "renamed");
  row("only letter case", RowKind::File, "a.txt", "A.txt", {}, "A.txt");
  row("newline and leading dash", RowKind::File, "a.txt", "-x\ny", {}, "-x\ny");
  row("old name not UTF-8", RowKind::File, "\xff\xfe", "fixed.txt", {}, "fixed.txt");
  row("file onto a file", RowKind::File, "a.txt", "b.txt", fileTaken, {});
  row("folder onto a folder", RowKind::Folder, "dir", "other", folderTaken, {});
  row("folder to an empty name", RowKind::Folder, "dir", "", folderTaken, {});
  row("folder to .", RowKind::Folder, "dir", ".", folderTaken, {});
  row("folder to ..", RowKind::Folder, "dir", "..", folderTaken, {});
  row("file to an empty name", RowKind::File, "a.txt", "", Failed("a.txt", "", kInvalid), {});
  row("file to .", RowKind::File, "a.txt", ".", Failed("a.txt", ".", kInvalid), {});
  row("file to ..", RowKind::File, "a.txt", "..", Failed("a.txt", "..", kInvalid), {});
  row("file into a folder by /", RowKind::File, "a.txt", "dir/a.txt", Failed("a.txt", "dir/a.txt", kInvalid), {});
  row("folder into a folder by /", RowKind::Folder, "dir", "other/dir", Failed("dir", "other/dir", kInvalid), {});
  row("NUL in the name", RowKind::File, "a.txt", QStringLiteral("b.txt") + QChar(0) + "x",
      Failed("a.txt", QStringLiteral("b.txt") + QChar(0) + "x", kInvalid), {});
  row("file onto a folder", RowKind::File, "a.txt", "dir", Failed("a.txt", "dir", Reason(EEXIST)), {});
  row("folder onto a file", RowKind::Folder, "dir", "a.txt", Failed("dir", "a.txt", Reason(EEXIST)), {});
  row("vanished file", RowKind::File, "gone.txt", "new.txt", Failed("gone.txt", "new.txt", Reason(ENOENT)), {});
  row("name too long", RowKind::File, "a.txt", longName, Failed("a.txt", longName, Reason(ENAMETOOLONG)), {});
  row("drive row", RowKind::Drive, "/media/usb/", "My stick", {}, {});
  row("message row", RowKind::Message, "", "typed", {}, {});
}

void TestRename::renameRow()
{
  QFETCH(RowKind, kind);
  QFETCH(QByteArray, oldName);
  QFETCH(QString, newText);
  QFETCH(QString, message);
  QFETCH(QByteArray, renamedTo);
  FileTestEnvironment environment;
  const QByteArray folder = MakeEntries(environment);
  const auto before = Snapshot(environment.home());
  const QString caption = QString::fromUtf8(oldName);

  const ops::RenameOutcome outcome = ops::RenameRow({folder, kind, caption, oldName, newText}, language_);

  QCOMPARE(outcome.newName.value_or(QByteArray()), renamedTo);
  QCOMPARE(outcome.message, message);
  auto expected = before;
  if (!renamedTo.isEmpty()) {
    const auto moved = expected.take(folder + oldName);
    expected.insert(folder + renamedTo, moved);
  }
  QCOMPARE(Snapshot(environment.home()), expected);
}

void TestRename::secondLanguageMessages_data()
{
  QTest::addColumn<RowKind>("kind");
  QTest::addColumn<QString>("newText");
  QTest::addColumn<QString>("message");
  QTest::addRow("file collision") << RowKind::File << QStringLiteral("b.txt") << QStringLiteral("文件名称已存在!");
  QTest::addRow("folder collision") << RowKind::Folder << QStringLiteral("other")
                                    << QStringLiteral("文件夹名称已存在!");
  QTest::addRow("refused name") << RowKind::File << QStringLiteral("x/y")
                                << QStringLiteral("无法将 \"a.txt\" 重命名为 \"x/y\": 名称不能为空, 不能是 \".\" 或 "
                                                  "\"..\", 也不能包含 \"/\".");
  QTest::addRow("system's reason") << RowKind::File << QStringLiteral("dir")
                                   << QStringLiteral("无法将 \"a.txt\" 重命名为 \"dir\": %1.").arg(Reason(EEXIST));
}

void TestRename::secondLanguageMessages()
{
  QFETCH(RowKind, kind);
  QFETCH(QString, newText);
  QFETCH(QString, message);
  FileTestEnvironment environment;
  const QByteArray folder = MakeEntries(environment);
  language_ = &TextPair::second;
  const QByteArray oldName = kind == RowKind::Folder ? "dir" : "a.txt";

  const auto outcome = ops::RenameRow({folder, kind, QString::fromUtf8(oldName), oldName, newText}, language_);

  QVERIFY(!outcome.newName);
  QCOMPARE(outcome.message, message);
}

void TestRename::renameInReadOnlyFolderRestoresTheCaption()
{
  FileTestEnvironment environment;
  OpenForPassage(environment.home());
  const QByteArray folder = MakeEntries(environment);
  QVERIFY(::chmod(folder.constData(), 0555) == 0);
  const auto before = Snapshot(environment.home());
  const QString expected = Failed("a.txt", "c.txt", Reason(EACCES));

  const int answer = RunRestricted([&] {
    const auto outcome = ops::RenameRow({folder, RowKind::File, "a.txt", "a.txt", "c.txt"}, language_);
    return (outcome.newName ? 2 : 0) + (outcome.message == expected ? 1 : 0);
  });

  QCOMPARE(answer, 1);
  QCOMPARE(Snapshot(environment.home()), before);
}

QTEST_GUILESS_MAIN(TestRename)
#include "test_rename.moc"
