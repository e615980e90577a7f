#include "tap/navigation.h"

#include <initializer_list>
#include <string>

#include "base/console.h"
#include "base/statement.h"
#include "check/expected_scans.h"
#include "vcl/emitter.h"
#include "vcl/preamble.h"

namespace vantrel {

void clockTms1(std::string_view comment) { writeCycle('1', 'Z', 'X', comment); }

void clockTms0(std::string_view comment) { writeCycle('0', 'Z', 'X', comment); }

namespace {

// Five cycles with TMS high bring the controller to Test-Logic-Reset from any
// state. The model does not know where it starts, so the vectors name no state.
void writeResetSequence() {
  expectedScans.resetSequence();
  clockTms1("first reset clock");
  clockTms1("second reset clock");
  clockTms1("third reset clock");
  clockTms1("fourth reset clock");
  clockTms1("fifth reset clock, Test-Logic-Reset");
  currentState = RESET;
}

// The paths from Run-Test-Idle, which are also the paths from Update-DR and
// Update-IR (both lead to the same states as Run-Test-Idle with either TMS).
void walkFromIdle(TapState target) {
  switch (target) {
    case RESET: walkPath({DRSELECT, IRSELECT, RESET}); break;
    case IDLE: walkPath({IDLE}); break;
    case DRPAUSE: walkPath({DRSELECT, DRCAPTURE, DREXIT1, DRPAUSE}); break;
    default: walkPath({DRSELECT, IRSELECT, IRCAPTURE, IREXIT1, IRPAUSE}); break;
  }
}

}  // namespace

void walkPath(std::initializer_list<TapState> path) {
  for (TapState state : path) stepTapState(state);
}

void walkPath(const std::vector<TapState>& path) {
  for (TapState state : path) stepTapState(state);
}

bool stepTapState(TapState target) {
  if (currentState == UNKNOWN) {
    writeResetSequence();
    if (target != RESET) moveToStableState(target);
  } else {
    std::string_view name;
    const TapState from = currentState;
    if (nextTapState('1', name) == target)
      clockTms1();
    else if (nextTapState('0', name) == target)
      clockTms0();
    else
      return false;
    expectedScans.plannedStep(from, target);
  }
  // Also where TRST held the controller in reset during the cycle: the
  // path being walked goes on from the state it planned.
  currentState = target;
  return true;
}

void moveToStableState(TapState target) {
  if (currentState == UNKNOWN) {
    stepTapState(RESET);
    if (target != RESET) moveToStableState(target);
    return;
  }
  if (!isStableState(currentState)) return;
  if (!isStableState(target)) {
    stopShowingCommandLine("\nSTATE parameter specified is not a stable state!\n");
  }
  // No path passes through a shift state, so navigation never moves a
  // register bit. A pause state is always left through Exit2 and Update, so
  // a move from a pause state to itself takes a full round.
  switch (currentState) {
    case RESET:
      if (target == RESET) return;
      stepTapState(IDLE);
      if (target == IDLE) return;
      break;
    case DRPAUSE: walkPath({DREXIT2, DRUPDATE}); break;
    case IRPAUSE: walkPath({IREXIT2, IRUPDATE}); break;
    default: break;
  }
  walkFromIdle(target);
}

void startNextFileInIdle() {
  continueInNextFile();
  moveToStableState(IDLE);
}

void clockIntoReset() {
  if (currentState == UNKNOWN) stepTapState(RESET);
  // Five TMS-1 cycles reach Test-Logic-Reset from any state.
  std::string_view name;
  while (currentState != RESET) stepTapState(nextTapState('1', name));
}

TapState matchStateName(std::string_view word) {
  for (int i = 0; i < 16; ++i)
    if (word == stateNamesUpper[i] || word == stateNamesLower[i]) return static_cast<TapState>(i);
  say("Could not match state of %s\n!", std::string(word).c_str());
  fatalStop();
}

}  // namespace vantrel
