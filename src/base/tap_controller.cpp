#include "base/tap_controller.h"

namespace vantrel {

TapState currentState = UNKNOWN;
char trstLevel = '\0';

namespace {

struct Transition {
  TapState onTms0;
  TapState onTms1;
  std::string_view longName;  // written on the cycle that enters the state
};

constexpr Transition transitions[17] = {
    {IDLE, RESET, "Test-Logic-Reset"},        // RESET
    {IDLE, DRSELECT, "Run-Test-Idle"},        // IDLE
    {DRCAPTURE, IRSELECT, "Select-DR-Scan"},  // DRSELECT
    {DRSHIFT, DREXIT1, "Capture-DR"},         // DRCAPTURE
    {DRSHIFT, DREXIT1, "Shift-DR"},           // DRSHIFT
    {DRPAUSE, DRUPDATE, "Exit1-DR"},          // DREXIT1
    {DRPAUSE, DREXIT2, "Pause-DR"},           // DRPAUSE
    {DRSHIFT, DRUPDATE, "Exit2-DR"},          // DREXIT2
    {IDLE, DRSELECT, "Update-DR"},            // DRUPDATE
    {IRCAPTURE, RESET, "Select-IR-Scan"},     // IRSELECT
    {IRSHIFT, IREXIT1, "Capture-IR"},         // IRCAPTURE
    {IRSHIFT, IREXIT1, "Shift-IR"},           // IRSHIFT
    {IRPAUSE, IRUPDATE, "Exit1-IR"},          // IREXIT1
    {IRPAUSE, IREXIT2, "Pause-IR"},           // IRPAUSE
    {IRSHIFT, IRUPDATE, "Exit2-IR"},          // IREXIT2
    {IDLE, DRSELECT, "Update-IR"},            // IRUPDATE
    {UNKNOWN, UNKNOWN, " "},                  // UNKNOWN
};

}  // namespace

void resetTapController() {
  currentState = UNKNOWN;
  trstLevel = '\0';
}

std::string_view tapStateName(TapState state) { return transitions[state].longName; }

TapState successor(TapState state, char tms) {
  if (tms != '0' && tms != '1') return UNKNOWN;
  const Transition& from = transitions[state];
  return tms == '1' ? from.onTms1 : from.onTms0;
}

TapState nextTapState(char tms, std::string_view& longName) {
  if (currentState == UNKNOWN) {
    longName = " ";
    return UNKNOWN;
  }
  const TapState next = successor(currentState, tms);
  if (next == UNKNOWN) return UNKNOWN;
  // Entering Run-Test-Idle from Update-IR is named with an underscore, as
  // vector files written so far have it.
  if (currentState == IRUPDATE && next == IDLE)
    longName = "Run-Test_Idle";
  else
    longName = transitions[next].longName;
  return next;
}

}  // namespace vantrel
