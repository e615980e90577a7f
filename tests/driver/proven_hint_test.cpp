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
  // second, which go on into a second file.
  const std::string svf = "RUNTEST IDLE 10 TCK;\nRUNTEST 60 TCK;\n";
  Sandbox sandbox;  // where files would go if the output were not thrown away
  for (int32_t files : {0, 1}) {
    RunIo io;
    io.inputText = &svf;
    io.discardOutput = true;
    io.discardFiles = files;
    std::ostringstream console;
    runTranslator({"vantrel", "-NOCR", "-VL", "100", "memory.svf", "out"}, console, io);
    EXPECT_EQ(console.str().find("This file translates in full with -STDSVF -SPLITSCANS.\n") !=
                  std::string::npos,
              files == 0)
        << files << " files\n"
        << console.str();
  }
  EXPECT_TRUE(sandbox.files().empty());
}

}  // namespace
}  // namespace vantrel::testing
