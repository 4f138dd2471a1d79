#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/profile_file.h"
#include "tests/support/files.h"
#include "tests/support/restricted_run.h"
#include "tests/support/test_environment.h"

using namespace tv::platform;
using tv::test::Names;
using tv::test::ReadFile;
using tv::test::RunRestricted;

namespace {

const QByteArray kNoFile = "<no file>";

QByteArray Junk(qsizetype size)
{
  QRandomGenerator generator(4711);
  QByteArray junk(size, '\0');
  for (char &byte : junk)
    byte = static_cast<char>(generator.bounded(256));
  return junk;
}

} // namespace

class TestProfileFile : public QObject {
  Q_OBJECT
private slots:
  void init();
  void reads_data();
  void reads();
  void readsOnlyRegularFiles();
  void writesOneKeyLeavingTheRest_data();
  void writesOneKeyLeavingTheRest();
  void writeCreatesTheFile();
  void writeKeepsPermissionBitsAndLinks();
  void refusesWhatCannotBeStored_data();
  void refusesWhatCannotBeStored();
  void refusedWritesLeaveTheFile_data();
  void refusedWritesLeaveTheFile();
  void writesInPlaceInAFolderItMayNotWriteTo();
  void seesNothingPastTheReadLimit_data();
  void seesNothingPastTheReadLimit();
  void unreadableFileGivesTheFallback();

private:
  QByteArray folder() const { return QFile::encodeName(dir_->path()) + '/'; }
  QByteArray file() const { return folder() + "Settings.ini"; }

  std::unique_ptr<QTemporaryDir> dir_;
};

void TestProfileFile::init()
{
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
  // The unprivileged cases must be able to reach the folder.
  QVERIFY(QFile::setPermissions(dir_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                  QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup |
                                                  QFile::ExeGroup));
}

void TestProfileFile::reads_data()
{
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<QByteArray>("expected");

  const QByteArray fallback = "fallback";
  QTest::newRow("plain") << QByteArray("[TV]\nLanguage=nl\n") << QByteArray("nl");
  QTest::newRow("CRLF") << QByteArray("[TV]\r\nLanguage=nl\r\n") << QByteArray("nl");
  QTest::newRow("no final line end") << QByteArray("[TV]\nLanguage=nl") << QByteArray("nl");
  QTest::newRow("names in other case") << QByteArray("[tv]\nLANGUAGE=nl\n") << QByteArray("nl");
  QTest::newRow("blanks around names, = and value")
      << QByteArray("  [ TV ]  \n\t Language \t=  nl \t\n") << QByteArray("nl");
  QTest::newRow("double quotes") << QByteArray("[TV]\nLanguage=\" nl \"\n") << QByteArray(" nl ");
  QTest::newRow("single quotes") << QByteArray("[TV]\nLanguage='nl'\n") << QByteArray("nl");
  QTest::newRow("one pair of quotes only") << QByteArray("[TV]\nLanguage=\"\"nl\"\"\n") << QByteArray("\"nl\"");
  QTest::newRow("unmatched quotes stay") << QByteArray("[TV]\nLanguage=\"nl'\n") << QByteArray("\"nl'");
  QTest::newRow("empty value") << QByteArray("[TV]\nLanguage=\n") << QByteArray("");
  QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF[TV]\nLanguage=nl\n") << QByteArray("nl");
  QTest::newRow("first of duplicate keys") << QByteArray("[TV]\nLanguage=nl\nLanguage=en\n") << QByteArray("nl");
  QTest::newRow("first of duplicate sections")
      << QByteArray("[TV]\nLanguage=nl\n[Other]\n[TV]\nLanguage=en\n") << QByteArray("nl");
  QTest::newRow("key of another section") << QByteArray("[Other]\nLanguage=nl\n[TV]\nShowHidden=1\n") << fallback;
  QTest::newRow("key before any section") << QByteArray("Language=nl\n[TV]\n") << fallback;
  QTest::newRow("commented out") << QByteArray("[TV]\n;Language=nl\n") << fallback;
  QTest::newRow("line without =") << QByteArray("[TV]\nLanguage\n") << fallback;
  QTest::newRow("empty file") << QByteArray("") << fallback;
  QTest::newRow("binary junk") << Junk(64 * 1024) << fallback;
  QTest::newRow("long line before the key")
      << QByteArray("[TV]\nNotes=" + QByteArray(ProfileReadLimit / 2, 'x') + "\nLanguage=nl\n") << QByteArray("nl");
  QTest::newRow("long value cut to 2047 characters")
      << QByteArray("[TV]\nLanguage=" + QByteArray(ProfileReadLimit / 2, 'y') + "\n") << QByteArray(2047, 'y');
}

void TestProfileFile::reads()
{
  QFETCH(QByteArray, content);
  QFETCH(QByteArray, expected);
  tv::test::WriteFile(file(), content);
  QCOMPARE(ReadProfileString(file(), "TV", "Language", "fallback"), expected);
}

void TestProfileFile::readsOnlyRegularFiles()
{
  QCOMPARE(ReadProfileString(file(), "TV", "Language", "En  "), QByteArray("En"));
  QVERIFY(!IsRegularFile(file()));
  QVERIFY(QDir().mkpath(QFile::decodeName(file())));
  QCOMPARE(ReadProfileString(file(), "TV", "Language", "En"), QByteArray("En"));
  QVERIFY(!IsRegularFile(file()));
  QVERIFY(::mkfifo(folder() + "pipe.ini", 0666) == 0);
  QCOMPARE(ReadProfileString(folder() + "pipe.ini", "TV", "Language", "En"), QByteArray("En"));
}

void TestProfileFile::writesOneKeyLeavingTheRest_data()
{
  QTest::addColumn<QByteArray>("before");
  QTest::addColumn<QByteArray>("key");
  QTest::addColumn<QByteArray>("after");

  QTest::newRow("value replaced, other lines kept")
      << QByteArray("; top comment\n[Other]\nLanguage=xx\n\n[TV]\nShowHidden=1\n  Language =  en  \n; tail\n")
      << QByteArray("Language")
      << QByteArray("; top comment\n[Other]\nLanguage=xx\n\n[TV]\nShowHidden=1\n  Language =  nl\n; tail\n");
  QTest::newRow("key added after the section's last key, CRLF kept")
      << QByteArray("[TV]\r\nShowHidden=1\r\n; about HomeFolder\r\n\r\n[Z]\r\nB=2\r\n") << QByteArray("Language")
      << QByteArray("[TV]\r\nShowHidden=1\r\nLanguage=nl\r\n; about HomeFolder\r\n\r\n[Z]\r\nB=2\r\n");
  QTest::newRow("key added to an empty section")
      << QByteArray("[TV]\n\n[Z]\nB=2\n") << QByteArray("Language") << QByteArray("[TV]\nLanguage=nl\n\n[Z]\nB=2\n");
  QTest::newRow("section added at the end")
      << QByteArray("[Z]\nB=2\n") << QByteArray("Language") << QByteArray("[Z]\nB=2\n\n[TV]\nLanguage=nl\n");
  QTest::newRow("section added after a last line without line end")
      << QByteArray("[Z]\r\nB=2") << QByteArray("Language") << QByteArray("[Z]\r\nB=2\r\n\r\n[TV]\r\nLanguage=nl\r\n");
  QTest::newRow("key added after a last line without line end")
      << QByteArray("[TV]\nA=1") << QByteArray("Language") << QByteArray("[TV]\nA=1\nLanguage=nl\n");
  QTest::newRow("empty file") << QByteArray("") << QByteArray("Language") << QByteArray("[TV]\nLanguage=nl\n");
  QTest::newRow("byte-order mark kept") << QByteArray("\xEF\xBB\xBF[TV]\nLanguage=en\n") << QByteArray("Language")
                                        << QByteArray("\xEF\xBB\xBF[TV]\nLanguage=nl\n");
  QTest::newRow("names matched in any case, their spelling kept")
      << QByteArray("[tv]\nlanguage=en\n") << QByteArray("LANGUAGE") << QByteArray("[tv]\nlanguage=nl\n");
  QTest::newRow("first of duplicate keys") << QByteArray("[TV]\nLanguage=en\nLanguage=fr\n") << QByteArray("Language")
                                           << QByteArray("[TV]\nLanguage=nl\nLanguage=fr\n");
  QTest::newRow("first of duplicate sections") << QByteArray("[TV]\nA=1\n[TV]\nLanguage=en\n") << QByteArray("Language")
                                               << QByteArray("[TV]\nA=1\nLanguage=nl\n[TV]\nLanguage=en\n");
  QTest::newRow("long line kept") << QByteArray("[TV]\nNotes=" + QByteArray(ProfileReadLimit / 2, 'x') + "\n")
                                  << QByteArray("Language")
                                  << QByteArray("[TV]\nNotes=" + QByteArray(ProfileReadLimit / 2, 'x') +
                                                "\nLanguage=nl\n");
  const QByteArray junk = Junk(4096).replace('[', '(').replace('\r', '.') + 'x';
  QTest::newRow("binary junk kept") << junk << QByteArray("Language") << QByteArray(junk + "\n\n[TV]\nLanguage=nl\n");
}

void TestProfileFile::writesOneKeyLeavingTheRest()
{
  QFETCH(QByteArray, before);
  QFETCH(QByteArray, key);
  QFETCH(QByteArray, after);
  tv::test::WriteFile(file(), before);
  QVERIFY(WriteProfileString(file(), "TV", key, "nl"));
  QCOMPARE(ReadFile(file()), after);
  QCOMPARE(ReadProfileString(file(), "TV", key, "fallback"), QByteArray("nl"));
  QCOMPARE(Names(folder()), QList<QByteArray>{"Settings.ini"});
}

void TestProfileFile::writeCreatesTheFile()
{
  QVERIFY(WriteProfileString(file(), "TV", "Language", "nl"));
  QVERIFY(WriteProfileString(file(), "TV", "ShowHidden", "1"));
  QVERIFY(WriteProfileString(file(), "TV", "Language", "en"));
  QCOMPARE(ReadFile(file()), QByteArray("[TV]\nLanguage=en\nShowHidden=1\n"));
  QVERIFY(!WriteProfileString(folder() + "missing/Settings.ini", "TV", "Language", "nl"));
  QCOMPARE(Names(folder()), QList<QByteArray>{"Settings.ini"});
}

void TestProfileFile::writeKeepsPermissionBitsAndLinks()
{
  const QByteArray target = folder() + "real.ini";
  tv::test::WriteFile(target, "[TV]\nLanguage=en\n");
  QVERIFY(::chmod(target.constData(), 0640) == 0);
  QVERIFY(::symlink("real.ini", file().constData()) == 0);

  QVERIFY(WriteProfileString(file(), "TV", "Language", "nl"));

  struct stat info {};
  QVERIFY(::lstat(file().constData(), &info) == 0 && S_ISLNK(info.st_mode));
  QVERIFY(::stat(target.constData(), &info) == 0);
  QCOMPARE(info.st_mode & 07777, mode_t{0640});
  QCOMPARE(ReadFile(target), QByteArray("[TV]\nLanguage=nl\n"));
}

void TestProfileFile::refusesWhatCannotBeStored_data()
{
  QTest::addColumn<QByteArray>("section");
  QTest::addColumn<QByteArray>("key");
  QTest::addColumn<QByteArray>("value");
  QTest::newRow("line break in value") << QByteArray("TV") << QByteArray("Language") << QByteArray("nl\n[X]");
  QTest::newRow("= in key") << QByteArray("TV") << QByteArray("A=B") << QByteArray("1");
  QTest::newRow("empty key") << QByteArray("TV") << QByteArray(" ") << QByteArray("1");
  QTest::newRow("] in section") << QByteArray("T]V") << QByteArray("Language") << QByteArray("nl");
  QTest::newRow("line break in section") << QByteArray("T\rV") << QByteArray("Language") << QByteArray("nl");
}

void TestProfileFile::refusesWhatCannotBeStored()
{
  QFETCH(QByteArray, section);
  QFETCH(QByteArray, key);
  QFETCH(QByteArray, value);
  const QByteArray before = "[TV]\nLanguage=en\n";
  tv::test::WriteFile(file(), before);
  QVERIFY(!WriteProfileString(file(), section, key, value));
  QCOMPARE(ReadFile(file()), before);
}

void TestProfileFile::refusedWritesLeaveTheFile_data()
{
  QTest::addColumn<mode_t>("folderMode");
  QTest::addColumn<mode_t>("fileMode");
  QTest::newRow("read-only file") << mode_t{0777} << mode_t{0444};
  QTest::newRow("unreadable file") << mode_t{0777} << mode_t{0222};
}

void TestProfileFile::refusedWritesLeaveTheFile()
{
  QFETCH(mode_t, folderMode);
  QFETCH(mode_t, fileMode);
  const QByteArray before = "; keep me\r\n[TV]\r\nLanguage=en\r\n";
  const QByteArray sub = folder() + "app/";
  QVERIFY(QDir().mkpath(QFile::decodeName(sub)));
  tv::test::WriteFile(sub + "Settings.ini", before);
  QVERIFY(::chmod((sub + "Settings.ini").constData(), fileMode) == 0);
  QVERIFY(::chmod(sub.constData(), folderMode) == 0);

  const int written =
      RunRestricted([&] { return WriteProfileString(sub + "Settings.ini", "TV", "Language", "nl") ? 1 : 0; });
  QVERIFY(::chmod(sub.constData(), 0755) == 0);
  if (written < 0)
    QSKIP("running as root and unable to switch to the user nobody, who must not be able to write here");
  QCOMPARE(written, 0);
  QCOMPARE(ReadFile(sub + "Settings.ini"), before);
  QCOMPARE(Names(sub), QList<QByteArray>{"Settings.ini"});
}

void TestProfileFile::writesInPlaceInAFolderItMayNotWriteTo()
{
  const QByteArray sub = folder() + "app/";
  QVERIFY(QDir().mkpath(QFile::decodeName(sub)));
  tv::test::WriteFile(sub + "Settings.ini", "; keep me\r\n[TV]\r\nLanguage=english\r\nShowHidden=1\r\n");
  QVERIFY(::chmod((sub + "Settings.ini").constData(), 0666) == 0);
  QVERIFY(::chmod(sub.constData(), 0555) == 0);

  // A shorter value, then a new key.
  const int written = RunRestricted([&] {
    return WriteProfileString(sub + "Settings.ini", "TV", "Language", "nl") &&
                   WriteProfileString(sub + "Settings.ini", "TV", "HomeFolder", "2")
               ? 1
               : 0;
  });
  QVERIFY(::chmod(sub.constData(), 0755) == 0);
  if (written < 0)
    QSKIP("running as root and unable to switch to the user nobody, who must not be able to write the folder");
  QCOMPARE(written, 1);
  QCOMPARE(ReadFile(sub + "Settings.ini"), "; keep me\r\n[TV]\r\nLanguage=nl\r\nShowHidden=1\r\nHomeFolder=2\r\n");
  QCOMPARE(Names(sub), QList<QByteArray>{"Settings.ini"});
}

void TestProfileFile::seesNothingPastTheReadLimit_data()
{
  const QByteArray head = "[TV]\n";
  // A comment line of the given length.
  const auto comment = [](qsizetype length) { return ';' + QByteArray(length - 2, 'x') + '\n'; };
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<QByteArray>("language");
  QTest::newRow("a key before the limit") << head + "Language=nl\n" + comment(ProfileReadLimit) << QByteArray("nl");
  QTest::newRow("a key past the limit") << head + comment(ProfileReadLimit) + "Language=nl\n" << QByteArray("En");
  QTest::newRow("a key cut by the limit")
      << head + comment(ProfileReadLimit - head.size() - 11) + "Language=nl-and-more\n"
      << QByteArray("En");
}

void TestProfileFile::seesNothingPastTheReadLimit()
{
  QFETCH(QByteArray, content);
  QFETCH(QByteArray, language);
  tv::test::WriteFile(file(), content);
  QCOMPARE(ReadProfileString(file(), "TV", "Language", "En"), language);
  // What was never read is never lost: the file is not written at all.
  QVERIFY(!WriteProfileString(file(), "TV", "ShowHidden", "1"));
  QCOMPARE(ReadFile(file()), content);
}

void TestProfileFile::unreadableFileGivesTheFallback()
{
  tv::test::WriteFile(file(), "[TV]\nLanguage=nl\n");
  QVERIFY(::chmod(file().constData(), 0200) == 0);
  const int fallbackRead =
      RunRestricted([&] { return ReadProfileString(file(), "TV", "Language", "En") == "En" ? 1 : 0; });
  if (fallbackRead < 0)
    QSKIP("running as root and unable to switch to the user nobody, who must not be able to read the file");
  QCOMPARE(fallbackRead, 1);
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "test_profile_file.moc"
