// RUNTEST with -STDSVF: every form the SVF standard allows runs, anything
// else is refused before a single vector of the statement is written.
#include <gtest/gtest.h>

#include "support/sandbox.h"

namespace vantrel::testing {
namespace {

const char kUnsupported[] = "\nUnsupported RUNTEST form!\nCOMMAND LINE WAS: ";
const char kNotStable[] = "\nSTATE parameter specified is not a stable state!\n";

TEST(StandardRunTest, RefusedFormsWriteNothing) {
  const struct {
    const char* statement;
    const char* report;
  } cases[] = {
      {"RUNTEST 10;", kUnsupported},  // a count needs its clock word
      {"RUNTEST 10 TCK 20;", kUnsupported},
      {"RUNTEST 1E SEC;", kUnsupported},
      {"RUNTEST 1.0.0 SEC;", kUnsupported},
      {"RUNTEST 0x10 TCK;", kUnsupported},
      {"RUNTEST inf SEC;", "Could not match state of inf\n!"},  // not a number: a state
      {"RUNTEST -1 TCK;", kUnsupported},
      {"RUNTEST . SEC;", kUnsupported},
      {"RUNTEST 10 Tck;", kUnsupported},
      {"RUNTEST 10 TCK MAXIMUM 1 SEC;", kUnsupported},  // MAXIMUM only after a time
      {"RUNTEST 1 SEC MAXIMUM 1;", kUnsupported},
      {"RUNTEST 1 SEC MAXIMUM -1 SEC;", kUnsupported},
      {"RUNTEST 10 TCK ENDSTATE;", kUnsupported},
      {"RUNTEST 10 TCK ENDSTATE IDLE IDLE;", kUnsupported},
      {"RUNTEST IDLE;", kUnsupported},
      {"RUNTEST IDLE ENDSTATE IDLE;", kUnsupported},
      {"RUNTEST DRSHIFT 10 TCK;", kNotStable},
      {"RUNTEST 10 TCK ENDSTATE IREXIT1;", kNotStable},
      {"RUNTEST Idle 10 TCK;", "Could not match state of Idle\n!"},
      // The first fault from the left decides.
      {"RUNTEST DRSHIFT 10;", kNotStable},
      {"RUNTEST 10; ", kUnsupported},
  };
  for (const auto& c : cases) {
    Translation t = translate(std::string(c.statement) + "\n", {"-STDSVF", "-NC"});
    EXPECT_NE(t.console.find(c.report), std::string::npos) << c.statement << "\n" << t.console;
    EXPECT_EQ(t.console.find("Use -STDSVF"), std::string::npos) << c.statement;
    // Only the header and the unit's declarations: no vector, no wait.
    EXPECT_EQ(t.outputs["out.v01"].find("\n\"0"), std::string::npos) << c.statement;
    EXPECT_EQ(t.outputs["out.v01"].find("wait"), std::string::npos) << c.statement;
  }
}

TEST(StandardRunTest, ClockLimitCountsTheLongerOfCountAndTime) {
  // Half of the vector limit 2000 is 1000 clocks: 0.001 s is exactly that.
  EXPECT_NE(translate("RUNTEST 10 TCK 0.001 SEC;\n", {"-STDSVF", "-NOCR", "-VL", "2000"})
                .console.find("Translation Successful"),
            std::string::npos);
  Translation over =
      translate("RUNTEST 10 TCK 1.001E-3 SEC;\n", {"-STDSVF", "-NOCR", "-VL", "2000", "-NC"});
  EXPECT_NE(over.console.find("Max number allowed is 1000 !\n"), std::string::npos);
  EXPECT_EQ(over.outputs["out.v01"].find("\n\"0"), std::string::npos);
}

}  // namespace
}  // namespace vantrel::testing
