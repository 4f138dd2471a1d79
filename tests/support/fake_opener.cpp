#include "tests/support/fake_opener.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QtTest>

#include "tests/support/files.h"
#include "tests/support/test_environment.h"

namespace tv::test {

namespace {

// Arguments and environment entries one per NUL; the working directory last, moved into
// place when complete.
const char Script[] = "#!/bin/sh\n"
                      "printf '%s\\0' \"$@\" > \"$OPENER_RECORD.args\"\n"
                      "env -0 > \"$OPENER_RECORD.env\"\n"
                      "pwd -P > \"$OPENER_RECORD.tmp\" && mv \"$OPENER_RECORD.tmp\" \"$OPENER_RECORD.cwd\"\n";

QByteArray TakeFile(const QByteArray &path)
{
  const QByteArray contents = ReadFile(path);
  QFile::remove(QFile::decodeName(path));
  return contents;
}

} // namespace

FakeOpener::FakeOpener()
{
  const QByteArray bin = QFile::encodeName(dir_.path()) + "/bin";
  QDir().mkpath(QFile::decodeName(bin));
  WriteFile(bin + "/xdg-open", Script);
  QFile::setPermissions(QFile::decodeName(bin + "/xdg-open"), QFile::ReadOwner | QFile::ExeOwner);
  record_ = QFile::encodeName(dir_.path()) + "/record";
  savedPath_ = qgetenv("PATH");
  savedRecord_ = qgetenv("OPENER_RECORD");
  qputenv("PATH", bin + ':' + savedPath_);
  qputenv("OPENER_RECORD", record_);
}

FakeOpener::~FakeOpener()
{
  qputenv("PATH", savedPath_);
  qputenv("OPENER_RECORD", savedRecord_);
}

bool FakeOpener::waitForOpening(int milliseconds)
{
  QDeadlineTimer deadline(milliseconds);
  while (!QFile::exists(QFile::decodeName(record_ + ".cwd")) && !deadline.hasExpired())
    QTest::qWait(20);
  if (!QFile::exists(QFile::decodeName(record_ + ".cwd")))
    return false;
  workingDirectory_ = TakeFile(record_ + ".cwd").chopped(1);
  arguments_ = TakeFile(record_ + ".args").split('\0');
  arguments_.removeLast(); // after the last NUL
  environment_ = TakeFile(record_ + ".env").split('\0');
  return true;
}

QByteArray FakeOpener::variable(const QByteArray &name) const
{
  for (const QByteArray &entry : environment_)
    if (entry.startsWith(name + '='))
      return entry.mid(name.size() + 1);
  return {};
}

} // namespace tv::test
