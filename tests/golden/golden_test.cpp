// End-to-end cases run in-process: SVF in, exact VCL files and console text
// out (the cases are described in support/golden_cases.h).
// VANTREL_UPDATE_GOLDEN=1 rewrites console.txt and expected/ from the actual
// run; review the difference before committing it.
#include <gtest/gtest.h>

#include "support/golden_cases.h"
#include "support/sandbox.h"

namespace vantrel::testing {
namespace {

#ifdef _WIN32
constexpr bool kOnWindows = true;
#else
constexpr bool kOnWindows = false;
#endif

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, MatchesExpectedOutput) {
  const GoldenCase c = loadGoldenCase(GetParam(), VANTREL_CORPUS_DIR);
  const std::string skip = reasonToSkip(c, kOnWindows);
  if (!skip.empty()) GTEST_SKIP() << skip;

  Sandbox sandbox;
  const std::set<std::string> inputs = copyInputs(c, sandbox.path());
  EXPECT_EQ(sandbox.run(c.args), 1);
  checkGoldenResult(c, sandbox.console(), outputsIn(sandbox.path(), inputs), sandbox.path(),
                    inputs);
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(goldenCaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return testNameOf(info.param);
                         });

}  // namespace
}  // namespace vantrel::testing
