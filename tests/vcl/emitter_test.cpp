// The TRST column of the vector lines, and the lines the tester counts for the
// unit preamble (which decide where the output is split into files). The
// golden cases pin the text of both.
#include "vcl/emitter.h"

#include <gtest/gtest.h>

#include <regex>

#include "support/translator_state.h"
#include "vcl/preamble.h"

namespace vantrel::testing {
namespace {

using EmitterTest = TranslatorState;
using PreambleTest = TranslatorState;

void cycle(char tms) {
  writeTckLow(tms, 'Z', 'X');
  writeTckHigh(tms, 'Z', 'X');
}

// A TRST level of 0 or Z lasts one cycle, then TRST is driven high again.
// While TRST is low the controller is held in Test-Logic-Reset whatever TMS
// does. The column is written only where the board has a TRST node, but the
// controller is held in reset either way.
TEST_F(EmitterTest, TrstLevelLastsOneCycleAndHoldsTheControllerInReset) {
  const std::string withColumn =
      "\"01ZX1\" \n\"11ZX1\" !Select-DR-Scan  \n"
      "\"00ZX0\" \n\"10ZX0\" !Run-Test-Idle  \n"
      "\"01ZX1\" \n\"11ZX1\" !Test-Logic-Reset  \n"
      "\"00ZXZ\" \n\"10ZXZ\" !Run-Test-Idle  \n"
      "\"01ZX1\" \n\"11ZX1\" !Select-DR-Scan  \n";
  for (bool node : {true, false}) {
    trstAssigned = node;
    currentState = IDLE;
    trstLevel = '\0';
    cycle('1');  // no TRST statement yet: TRST is high
    trstLevel = '0';
    writeTckLow('0', 'Z', 'X');
    EXPECT_EQ(currentState, RESET);
    writeTckHigh('0', 'Z', 'X');
    EXPECT_EQ(currentState, RESET);
    cycle('1');
    trstLevel = 'Z';
    cycle('0');
    cycle('1');
    EXPECT_EQ(currentState, DRSELECT);  // an undriven TRST lets TMS move the controller
    EXPECT_EQ(take(),
              node ? withColumn : std::regex_replace(withColumn, std::regex("X.\""), "X\""));
  }
}

TEST_F(PreambleTest, ChargesFixedLinesPlusOnePerPioName) {
  // TRST node, PIO names, lines charged.
  const std::tuple<bool, std::vector<std::string>, int> cases[] = {
      {false, {}, 106}, {true, {}, 106}, {false, {"P1", "P2", "P3"}, 111}, {true, {"DONE"}, 109}};
  for (const auto& [trst, names, charge] : cases) {
    trstAssigned = trst;
    pioNames = names;
    vectorCount = 0;
    preambleWritten = false;
    writeUnitPreamble();
    EXPECT_EQ(vectorCount, charge) << names.size();
    EXPECT_TRUE(preambleWritten);
  }
}

}  // namespace
}  // namespace vantrel::testing
