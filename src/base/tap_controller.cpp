#include "base/tap_controller.h"

namespace vantrel {

TapState currentState = UNKNOWN;
char trstLevel = '\0';

namespace {

// Written on the cycle that enters each state.
constexpr std::string_view longNames[17] = {
    "Test-Logic-Reset",
    "Run-Test-Idle",
    "Select-DR-Scan",
    "Capture-DR",
    "Shift-DR",
    "Exit1-DR",
    "Pause-DR",
    "Exit2-DR",
    "Update-DR",
    "Select-IR-Scan",
    "Capture-IR",
    "Shift-IR",
    "Exit1-IR",
    "Pause-IR",
    "Exit2-IR",
    "Update-IR",
    " ",
};

}  // namespace

void resetTapController() {
  currentState = UNKNOWN;
  trstLevel = '\0';
}

std::string_view tapStateName(TapState state) { return longNames[state]; }

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
    longName = longNames[next];
  return next;
}

}  // namespace vantrel
