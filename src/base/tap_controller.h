// The model of the target's IEEE 1149.1 TAP controller.
//
// The translator tracks the state the controller is in after the last TCK
// cycle written so far. Every cycle moves it on by the TMS level of that
// cycle, following the standard state diagram. The vector emitter moves the
// model on every TCK-high line it writes; the SVF names of the states and the
// SVF end states live with the state commands (tap/tap_state.h).
#pragma once

#include <string_view>

namespace vantrel {

enum TapState {
  RESET,
  IDLE,
  DRSELECT,
  DRCAPTURE,
  DRSHIFT,
  DREXIT1,
  DRPAUSE,
  DREXIT2,
  DRUPDATE,
  IRSELECT,
  IRCAPTURE,
  IRSHIFT,
  IREXIT1,
  IRPAUSE,
  IREXIT2,
  IRUPDATE,
  UNKNOWN
};

extern TapState currentState;  // after the last cycle written

// The TRST level of the next cycle: '0' (held in reset), '1', 'Z' (not
// driven), or '\0' when no TRST statement has set one.
extern char trstLevel;

// Puts the controller back to the start of a run: state unknown, no TRST level.
void resetTapController();

// RESET, IDLE, DRPAUSE and IRPAUSE: the states the controller can rest in.
inline bool isStableState(TapState state) {
  return state == RESET || state == IDLE || state == DRPAUSE || state == IRPAUSE;
}

// The state one TCK cycle with TMS `tms` ('0' or '1') leads to from `state`,
// by the IEEE 1149.1 state diagram. From UNKNOWN it stays UNKNOWN. Pure: the
// model is not moved, so it also serves code that follows a controller of its
// own.
TapState successor(TapState state, char tms);

// The name of a state as vectors name it ("Shift-DR"); " " for UNKNOWN.
std::string_view tapStateName(TapState state);

// The state one cycle with TMS `tms` ('0' or '1') leads to from currentState,
// and in `longName` the name written on the vector that enters it. The model
// itself is not moved. From UNKNOWN it stays UNKNOWN, named " ".
TapState nextTapState(char tms, std::string_view& longName);

}  // namespace vantrel
