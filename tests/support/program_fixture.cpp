#include "tests/support/program_fixture.h"

#include <clocale>

#include "app/program.h"
#include "tests/support/test_environment.h"

namespace tv::test {

void ProgramTest::init()
{
  std::setlocale(LC_MESSAGES, "C");
  TestEnvironment::setUserLanguage(QStringLiteral("en"));
  program = new Program;
}

void ProgramTest::cleanup()
{
  delete program;
  program = nullptr;
}

} // namespace tv::test
