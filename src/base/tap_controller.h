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

// The IEEE 1149.1 state diagram: the state after a cycle with TMS 0 and with
// TMS 1, for each state. UNKNOWN stays UNKNOWN.
inline constexpr TapState kSuccessors[17][2] = {
    {IDLE, RESET},          // RESET
    {IDLE, DRSELECT},       // IDLE
    {DRCAPTURE, IRSELECT},  // DRSELECT
    {DRSHIFT, DREXIT1},     // DRCAPTURE
    {DRSHIFT, DREXIT1},     // DRSHIFT
    {DRPAUSE, DRUPDATE},    // DREXIT1
    {DRPAUSE, DREXIT2},     // DRPAUSE
    {DRSHIFT, DRUPDATE},    // DREXIT2
    {IDLE, DRSELECT},       // DRUPDATE
    {IRCAPTURE, RESET},     // IRSELECT
    {IRSHIFT, IREXIT1},     // IRCAPTURE
    {IRSHIFT, IREXIT1},     // IRSHIFT
    {IRPAUSE, IRUPDATE},    // IREXIT1
    {IRPAUSE, IREXIT2},     // IRPAUSE
    {IRSHIFT, IRUPDATE},    // IREXIT2
    {IDLE, DRSELECT},       // IRUPDATE
    {UNKNOWN, UNKNOWN},     // UNKNOWN
};

// The state one TCK cycle with TMS `tms` ('0' or '1') leads to from `state`.
// Pure: the model is not moved, so it also serves code that follows a
// controller of its own.
inline TapState successor(TapState state, char tms) {
  if (tms != '0' && tms != '1') return UNKNOWN;
  return kSuccessors[state][tms - '0'];
}

// The name of a state as vectors name it ("Shift-DR"); " " for UNKNOWN.
std::string_view tapStateName(TapState state);

// The state one cycle with TMS `tms` ('0' or '1') leads to from currentState,
// and in `longName` the name written on the vector that enters it. The model
// itself is not moved. From UNKNOWN it stays UNKNOWN, named " ".
TapState nextTapState(char tms, std::string_view& longName);

}  // namespace vantrel
