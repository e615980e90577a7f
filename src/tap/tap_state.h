// The TAP controller as SVF names it: the state names of STATE, ENDDR, ENDIR
// and RUNTEST, and the states in which SDR and SIR scans end.
#pragma once

#include "base/tap_controller.h"

namespace vantrel {

// The SVF state names, indexed by TapState (UNKNOWN has none).
extern const char* const stateNamesUpper[16];
extern const char* const stateNamesLower[16];

extern TapState endDrState;  // where an SDR scan ends (ENDDR)
extern TapState endIrState;  // where an SIR scan ends (ENDIR)

// Puts the controller and the end states back to the start of a run.
void resetTapModel();

}  // namespace vantrel
