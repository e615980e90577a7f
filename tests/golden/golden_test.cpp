// End-to-end cases: SVF in, exact VCL files and console text out (the cases
// are described in support/golden_cases.h). Each case runs in-process. With
// VANTREL_COMMAND set it runs against the built program as a process instead,
// which shows the real standard output, exit status and file code on the
// program's own platform:
//   VANTREL_COMMAND  the words that start the program, separated by blanks: the
//                    program, or an emulator with its arguments and then the
//                    program (CTest's process_golden, and vantrel.exe under Wine)
//   VANTREL_WINDOWS  1 for a Windows program: its console's CR LF line ends
//                    become LF, and the cases only Windows can show run too
// VANTREL_UPDATE_GOLDEN=1 rewrites console.txt and expected/ from the actual
// run; review the difference before committing it.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>

#include "support/golden_cases.h"

namespace vantrel::testing {
namespace {

Runner runnerFromEnvironment() {
  Runner runner;
  if (const char* command = std::getenv("VANTREL_COMMAND")) runner.command = command;
  const char* windows = std::getenv("VANTREL_WINDOWS");
  runner.windows = windows && std::string(windows) == "1";
#ifdef _WIN32
  runner.windows = true;
#endif
  return runner;
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, MatchesExpectedOutput) {
  const Runner runner = runnerFromEnvironment();
  const GoldenCase c = loadGoldenCase(GetParam(), VANTREL_CORPUS_DIR);
  const std::string skip = reasonToSkip(c, runner.windows);
  if (!skip.empty()) GTEST_SKIP() << skip;
  expectMatchesCase(c, runCase(c, c.args, runner));
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(goldenCaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace vantrel::testing
