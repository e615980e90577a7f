// The options that translate a refused input in full, proven by translating
// it again: what the golden cases cannot show, a run that throws its output
// away with limits (the fuzzer's), whose trials must keep those limits.
#include <gtest/gtest.h>

#include <sstream>

#include "driver/statement_loop.h"
#include "support/sandbox.h"

namespace vantrel::testing {
namespace {

TEST(ProvenHint, TrialsKeepTheLimitsOfARunThatDiscardsItsOutput) {
  // Needs -STDSVF for the first RUNTEST and -SPLITSCANS for the clocks of the
  // second: its trials write 61 files, 66 kB in all; the run itself 1 kB.
  const std::string svf = "RUNTEST IDLE 10 TCK;\nRUNTEST 60 TCK;\n";
  Sandbox sandbox;  // where files would go if the output were not thrown away
  const struct {
    int32_t files;
    size_t bytes;
    bool hinted;
  } cases[] = {{0, 0, true}, {60, 0, false}, {0, 60000, false}, {0, 70000, true}};
  for (const auto& c : cases) {
    RunIo io;
    io.inputText = &svf;
    io.discardOutput = true;
    io.discardFiles = c.files;
    io.discardBudget = c.bytes;
    std::ostringstream console;
    runTranslator({"vantrel", "-NOCR", "-VL", "100", "memory.svf", "out"}, console, io);
    EXPECT_NE(console.str().find("At line 1 of memory.svf.\n"), std::string::npos);
    EXPECT_EQ(console.str().find("This file translates in full with -STDSVF -SPLITSCANS.\n") !=
                  std::string::npos,
              c.hinted)
        << c.files << " files, " << c.bytes << " bytes\n"
        << console.str();
  }
  EXPECT_TRUE(sandbox.files().empty());
}

}  // namespace
}  // namespace vantrel::testing
