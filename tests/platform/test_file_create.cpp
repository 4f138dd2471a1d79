#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_create.h"
#include "platform/office_suite.h"
#include "tests/support/files.h"
#include "tests/support/restricted_run.h"
#include "tests/support/test_environment.h"

using namespace tv;
using test::Names;
using test::ReadFile;

namespace {

const QByteArray kUnreadable = "<unreadable>";

} // namespace

class TestFileCreate : public QObject {
  Q_OBJECT
private slots:
  void init();
  void newFileHoldsExactlyTheBytes_data();
  void newFileHoldsExactlyTheBytes();
  void nothingWithTheNameIsReplaced_data();
  void nothingWithTheNameIsReplaced();
  void aFailedCreationLeavesTheFolderAsItWas_data();
  void aFailedCreationLeavesTheFolderAsItWas();
  void aFailedWriteLeavesNoPartialFile();
  void officeSuiteIsFoundOnPath_data();
  void officeSuiteIsFoundOnPath();

private:
  QByteArray folder_;
  std::unique_ptr<QTemporaryDir> dir_;
};

void TestFileCreate::init()
{
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
  // Open to others, so that a call made as another user meets the permissions under test.
  QVERIFY(::chmod(QFile::encodeName(dir_->path()).constData(), 0755) == 0);
  folder_ = QFile::encodeName(dir_->path()) + '/';
}

void TestFileCreate::newFileHoldsExactlyTheBytes_data()
{
  QTest::addColumn<QByteArray>("bytes");
  QTest::newRow("empty") << QByteArray();
  QTest::newRow("binary with zero bytes") << QByteArray("\xD0\xCF\x11\xE0\0\0\x01\xFF", 8);
  QByteArray large(3 * 1024 * 1024 + 7, '\0');
  for (qsizetype i = 0; i < large.size(); ++i)
    large[i] = char(i * 31 % 251);
  QTest::newRow("several megabytes") << large;
}

void TestFileCreate::newFileHoldsExactlyTheBytes()
{
  QFETCH(QByteArray, bytes);
  const QByteArray path = folder_ + "caf\xe9 \xff.doc"; // not valid UTF-8
  QVERIFY(platform::CreateFileExclusive(path, bytes).Ok());
  QCOMPARE(ReadFile(path, kUnreadable), bytes);
  QCOMPARE(Names(folder_).size(), 1);
  QVERIFY(::unlink(path.constData()) == 0);
}

void TestFileCreate::nothingWithTheNameIsReplaced_data()
{
  QTest::addColumn<QByteArray>("kind");
  QTest::newRow("file") << QByteArray("file");
  QTest::newRow("folder") << QByteArray("folder");
  QTest::newRow("dangling symbolic link") << QByteArray("link");
}

void TestFileCreate::nothingWithTheNameIsReplaced()
{
  QFETCH(QByteArray, kind);
  const QByteArray path = folder_ + "Report.doc";
  if (kind == "file")
    test::WriteFile(path, "the user's own work");
  else if (kind == "folder")
    QVERIFY(QDir().mkdir(QFile::decodeName(path)));
  else
    QVERIFY(::symlink("elsewhere.doc", path.constData()) == 0);

  QCOMPARE(platform::CreateFileExclusive(path, "template").Error(), EEXIST);
  if (kind == "file")
    QCOMPARE(ReadFile(path, kUnreadable), "the user's own work");
  QCOMPARE(QFileInfo(QFile::decodeName(path)).isDir(), kind == "folder");
  QVERIFY(!QFile::exists(QFile::decodeName(folder_ + "elsewhere.doc")));
  QCOMPARE(Names(folder_).size(), 1);
}

void TestFileCreate::aFailedCreationLeavesTheFolderAsItWas_data()
{
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<bool>("readOnlyFolder");
  QTest::addColumn<int>("error");
  QTest::newRow("missing sub-folder") << QByteArray("missing/Report.doc") << false << ENOENT;
  QTest::newRow("name too long") << QByteArray(300, 'n') << false << ENAMETOOLONG;
  QTest::newRow("no permission") << QByteArray("Report.doc") << true << EACCES;
}

void TestFileCreate::aFailedCreationLeavesTheFolderAsItWas()
{
  QFETCH(QByteArray, name);
  QFETCH(bool, readOnlyFolder);
  QFETCH(int, error);
  if (readOnlyFolder)
    QVERIFY(::chmod(folder_.constData(), 0555) == 0);
  const QByteArray path = folder_ + name;
  const QByteArray bytes("template");
  QCOMPARE(test::RunRestricted([&] { return platform::CreateFileExclusive(path, bytes).Error(); }), error);
  QVERIFY(Names(folder_).size() == 0);
  ::chmod(folder_.constData(), 0755);
}

void TestFileCreate::aFailedWriteLeavesNoPartialFile()
{
  // A file size limit makes the write fail part of the way through, as a full disk does.
  ::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
  rlimit small = saved;
  small.rlim_cur = 1000;
  QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
  const int error = platform::CreateFileExclusive(folder_ + "Big.ppt", QByteArray(5000, 'p')).Error();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  QCOMPARE(error, EFBIG);
  QVERIFY(Names(folder_).size() == 0);
}

void TestFileCreate::officeSuiteIsFoundOnPath_data()
{
  QTest::addColumn<QByteArray>("program");
  QTest::addColumn<int>("mode");
  QTest::addColumn<bool>("installed");
  QTest::newRow("soffice") << QByteArray("soffice") << 0755 << true;
  QTest::newRow("libreoffice") << QByteArray("libreoffice") << 0755 << true;
  QTest::newRow("soffice not executable") << QByteArray("soffice") << 0644 << false;
  QTest::newRow("a folder named soffice") << QByteArray("soffice/") << 0755 << false;
  QTest::newRow("another program") << QByteArray("abiword") << 0755 << false;
}

void TestFileCreate::officeSuiteIsFoundOnPath()
{
  QFETCH(QByteArray, program);
  QFETCH(int, mode);
  QFETCH(bool, installed);
  const QByteArray bin = folder_ + "bin/";
  QVERIFY(QDir().mkpath(QFile::decodeName(bin)));
  if (program.endsWith('/')) {
    QVERIFY(QDir().mkdir(QFile::decodeName(bin + program)));
  } else {
    test::WriteFile(bin + program, "#!/bin/sh\n");
    QVERIFY(::chmod((bin + program).constData(), mode_t(mode)) == 0);
  }
  const QByteArray savedPath = qgetenv("PATH");
  qputenv("PATH", folder_ + "empty:" + bin);
  const bool found = platform::IsNewerOfficeSuiteInstalled();
  qputenv("PATH", savedPath);
  QCOMPARE(found, installed);
}

QTEST_GUILESS_MAIN(TestFileCreate)
#include "test_file_create.moc"
