// Every input the fuzzer once crashed on is replayed the way the fuzzer runs
// it; each must end with one of the translator's own reports.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz_input.h"
#include "support/sandbox.h"

namespace fs = std::filesystem;

namespace vantrel::testing {
namespace {

TEST(FuzzFindings, EveryFindingEndsCleanly) {
  int replayed = 0;
  for (const auto& entry : fs::directory_iterator(VANTREL_FUZZ_FINDINGS_DIR)) {
    const std::string input = readFile(entry.path().string());
    const std::string console =
        runFuzzInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    EXPECT_NE(console.find("vantrel - SVF to VCL Translator"), std::string::npos) << entry.path();
    ++replayed;
  }
  EXPECT_GT(replayed, 0);
}

}  // namespace
}  // namespace vantrel::testing
