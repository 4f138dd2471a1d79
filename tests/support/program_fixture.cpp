#include "tests/support/program_fixture.h"

#include <QTest>
#include <clocale>

#include "app/program.h"
#include "tests/support/test_environment.h"

namespace tv::test {

bool Settled(const TForm1 &form)
{
  return QTest::qWaitFor([&] { return !form.Busy(); }, 20'000);
}

bool ProgramTest::Settled() const { return test::Settled(*program->Form1); }

void ProgramTest::init()
{
  std::setlocale(LC_MESSAGES, "C");
  TestEnvironment::setUserLanguage(QStringLiteral("en"));
  program = new Program;
  QVERIFY(Settled());
}

void ProgramTest::cleanup()
{
  delete program;
  program = nullptr;
}

} // namespace tv::test
