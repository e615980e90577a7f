// The TAP controller model and the movements planned from it, checked on the
// vector lines they write: each cycle is a TCK-low line and a TCK-high line,
// and the high line names the state the controller enters.
#include "tap/navigation.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "driver/console.h"
#include "driver/run_stop.h"
#include "driver/settings.h"
#include "driver/statement_loop.h"
#include "support/sandbox.h"
#include "vcl/emitter.h"
#include "vcl/output_files.h"
#include "vcl/pio.h"

namespace vantrel::testing {
namespace {

const std::string kResetClocks =
    "\"01ZX\" \n\"11ZX\" !  first reset clock \n"
    "\"01ZX\" \n\"11ZX\" !  second reset clock \n"
    "\"01ZX\" \n\"11ZX\" !  third reset clock \n"
    "\"01ZX\" \n\"11ZX\" !  fourth reset clock \n"
    "\"01ZX\" \n\"11ZX\" !  fifth reset clock, Test-Logic-Reset \n";

class TapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings = Settings{};
    resetTapModel();
    resetEmitter();
    resetOutputFiles();
    resetPio();
    consoleStream = &console;
    ASSERT_TRUE(outputFile.open("t.vcl"));
  }
  void TearDown() override {
    consoleStream = nullptr;
    outputFile.close();
  }

  // Everything written since the file was opened.
  std::string text() {
    outputFile.close();
    return sandbox.read("t.vcl");
  }

  // One word per cycle: its TMS level and the state named on its TCK-high line.
  std::string cycles() {
    std::istringstream in(text());
    std::string result, low, high;
    while (std::getline(in, low) && std::getline(in, high)) {
      size_t name = high.find(" !") + 2;
      result += (result.empty() ? "" : " ") + high.substr(2, 1) +
                high.substr(name, high.size() - name - 2);
    }
    return result;
  }

  Sandbox sandbox;
  std::ostringstream console;
};

// The successors also cover the states no stable path passes through (the
// shift and exit states that scans use).
TEST_F(TapTest, SuccessorsFollowTheStateDiagram) {
  // For each state in order: the state after a cycle with TMS 0, then with TMS 1.
  const TapState diagram[16][2] = {
      {IDLE, RESET},       {IDLE, DRSELECT},    {DRCAPTURE, IRSELECT}, {DRSHIFT, DREXIT1},
      {DRSHIFT, DREXIT1},  {DRPAUSE, DRUPDATE}, {DRPAUSE, DREXIT2},    {DRSHIFT, DRUPDATE},
      {IDLE, DRSELECT},    {IRCAPTURE, RESET},  {IRSHIFT, IREXIT1},    {IRSHIFT, IREXIT1},
      {IRPAUSE, IRUPDATE}, {IRPAUSE, IREXIT2},  {IRSHIFT, IRUPDATE},   {IDLE, DRSELECT}};
  std::string_view name;
  for (int s = 0; s < 16; ++s) {
    currentState = static_cast<TapState>(s);
    EXPECT_EQ(nextTapState('0', name), diagram[s][0]) << stateNamesUpper[s];
    EXPECT_EQ(nextTapState('1', name), diagram[s][1]) << stateNamesUpper[s];
    EXPECT_EQ(currentState, s);  // looking ahead does not move the model
  }
}

TEST_F(TapTest, StablePathsNameEveryStateEntered) {
  const struct {
    TapState from, to;
    const char* cycles;
  } table[] = {
      {RESET, RESET, ""},
      {RESET, IDLE, "0Run-Test-Idle"},
      {RESET, DRPAUSE, "0Run-Test-Idle 1Select-DR-Scan 0Capture-DR 1Exit1-DR 0Pause-DR"},
      {RESET, IRPAUSE,
       "0Run-Test-Idle 1Select-DR-Scan 1Select-IR-Scan 0Capture-IR 1Exit1-IR 0Pause-IR"},
      {IDLE, RESET, "1Select-DR-Scan 1Select-IR-Scan 1Test-Logic-Reset"},
      {IDLE, IDLE, "0Run-Test-Idle"},
      {IDLE, DRPAUSE, "1Select-DR-Scan 0Capture-DR 1Exit1-DR 0Pause-DR"},
      {IDLE, IRPAUSE, "1Select-DR-Scan 1Select-IR-Scan 0Capture-IR 1Exit1-IR 0Pause-IR"},
      {DRPAUSE, RESET, "1Exit2-DR 1Update-DR 1Select-DR-Scan 1Select-IR-Scan 1Test-Logic-Reset"},
      {DRPAUSE, IDLE, "1Exit2-DR 1Update-DR 0Run-Test-Idle"},
      {DRPAUSE, DRPAUSE, "1Exit2-DR 1Update-DR 1Select-DR-Scan 0Capture-DR 1Exit1-DR 0Pause-DR"},
      {DRPAUSE, IRPAUSE,
       "1Exit2-DR 1Update-DR 1Select-DR-Scan 1Select-IR-Scan 0Capture-IR 1Exit1-IR 0Pause-IR"},
      {IRPAUSE, RESET, "1Exit2-IR 1Update-IR 1Select-DR-Scan 1Select-IR-Scan 1Test-Logic-Reset"},
      {IRPAUSE, IDLE, "1Exit2-IR 1Update-IR 0Run-Test_Idle"},
      {IRPAUSE, DRPAUSE, "1Exit2-IR 1Update-IR 1Select-DR-Scan 0Capture-DR 1Exit1-DR 0Pause-DR"},
      {IRPAUSE, IRPAUSE,
       "1Exit2-IR 1Update-IR 1Select-DR-Scan 1Select-IR-Scan 0Capture-IR 1Exit1-IR 0Pause-IR"},
  };
  for (const auto& path : table) {
    SCOPED_TRACE(std::string(stateNamesUpper[path.from]) + " to " + stateNamesUpper[path.to]);
    ASSERT_TRUE(outputFile.open("t.vcl"));
    currentState = path.from;
    moveToStableState(path.to);
    EXPECT_EQ(currentState, path.to);
    EXPECT_EQ(cycles(), path.cycles);
  }
  EXPECT_EQ(console.str(), "");
}

TEST_F(TapTest, UnknownStateIsLeftByFiveResetClocks) {
  // The model does not know where the controller starts, so the reset cycles
  // name no state: a blank stands before each comment.
  moveToStableState(IDLE);
  EXPECT_EQ(text(), kResetClocks + "\"00ZX\" \n\"10ZX\" !Run-Test-Idle  \n");
  EXPECT_EQ(currentState, IDLE);
}

TEST_F(TapTest, SingleStepsTakeOnlyAdjacentStates) {
  currentState = IDLE;
  EXPECT_FALSE(stepTapState(DRSHIFT));
  EXPECT_EQ(currentState, IDLE);
  EXPECT_TRUE(stepTapState(DRSELECT));
  EXPECT_TRUE(stepTapState(DRCAPTURE));
  EXPECT_TRUE(stepTapState(DRSHIFT));
  EXPECT_TRUE(stepTapState(DRSHIFT));  // Shift-DR loops on itself with TMS 0
  // While TRST holds the controller in reset the cycle is named from
  // Test-Logic-Reset, yet the planned path goes on from the state stepped to.
  trstLevel = '0';
  EXPECT_TRUE(stepTapState(DRSHIFT));
  EXPECT_EQ(currentState, DRSHIFT);
  EXPECT_EQ(cycles(), "1Select-DR-Scan 0Capture-DR 0Shift-DR 0Shift-DR 0Run-Test-Idle");
}

TEST_F(TapTest, UnstableTargetStopsTheRun) {
  // From a state that is not stable there is no path, and no complaint.
  currentState = DREXIT1;
  moveToStableState(IDLE);
  EXPECT_EQ(currentState, DREXIT1);
  EXPECT_EQ(console.str(), "");

  lastCommandLine = "STATE DRSHIFT;";
  currentState = IDLE;
  EXPECT_THROW(moveToStableState(DRSHIFT), RunStopped);
  EXPECT_EQ(console.str(),
            "\nSTATE parameter specified is not a stable state!\n"
            "COMMAND LINE WAS: STATE DRSHIFT;\n");
  EXPECT_EQ(text(), "");

  // From the unknown start the reset clocks are written before the run stops.
  ASSERT_TRUE(outputFile.open("t.vcl"));
  currentState = UNKNOWN;
  EXPECT_THROW(stepTapState(DRCAPTURE), RunStopped);
  EXPECT_EQ(text(), kResetClocks);
}

TEST_F(TapTest, StateNamesMatchInUpperOrLowerCaseOnly) {
  EXPECT_EQ(matchStateName("RESET"), RESET);
  EXPECT_EQ(matchStateName("drexit2"), DREXIT2);
  EXPECT_EQ(matchStateName("IRUPDATE"), IRUPDATE);
  EXPECT_EQ(matchStateName("irupdate"), IRUPDATE);
  EXPECT_THROW(matchStateName("DrPause"), RunStopped);
  EXPECT_EQ(console.str(), "Could not match state of DrPause\n!");
}

}  // namespace
}  // namespace vantrel::testing
