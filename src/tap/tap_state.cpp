#include "tap/tap_state.h"

namespace vantrel {

const char* const stateNamesUpper[16] = {
    "RESET",    "IDLE",     "DRSELECT",  "DRCAPTURE", "DRSHIFT", "DREXIT1", "DRPAUSE", "DREXIT2",
    "DRUPDATE", "IRSELECT", "IRCAPTURE", "IRSHIFT",   "IREXIT1", "IRPAUSE", "IREXIT2", "IRUPDATE"};
const char* const stateNamesLower[16] = {
    "reset",    "idle",     "drselect",  "drcapture", "drshift", "drexit1", "drpause", "drexit2",
    "drupdate", "irselect", "ircapture", "irshift",   "irexit1", "irpause", "irexit2", "irupdate"};

TapState endDrState = IDLE;
TapState endIrState = IDLE;

void resetTapModel() {
  resetTapController();
  endDrState = IDLE;
  endIrState = IDLE;
}

}  // namespace vantrel
