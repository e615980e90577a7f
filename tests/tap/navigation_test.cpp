// The TAP controller model and the single steps planned from it. The golden
// cases pin every path between the stable states and the reset clocks.
#include "tap/navigation.h"

#include <gtest/gtest.h>

#include "support/translator_state.h"

namespace vantrel::testing {
namespace {

using TapTest = TranslatorState;

// Also the states no stable path passes through (the shift and exit states).
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
  EXPECT_EQ(take(),
            "\"01ZX\" \n\"11ZX\" !Select-DR-Scan  \n\"00ZX\" \n\"10ZX\" !Capture-DR  \n"
            "\"00ZX\" \n\"10ZX\" !Shift-DR  \n\"00ZX\" \n\"10ZX\" !Shift-DR  \n"
            "\"00ZX\" \n\"10ZX\" !Run-Test-Idle  \n");
}

TEST_F(TapTest, NoStablePathStartsFromAStateThatIsNotStable) {
  currentState = DREXIT1;
  moveToStableState(DRPAUSE);  // one TMS-0 cycle away, yet not taken
  EXPECT_EQ(currentState, DREXIT1);
  EXPECT_EQ(take() + said(), "");
}

}  // namespace
}  // namespace vantrel::testing
