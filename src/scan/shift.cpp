#include "scan/shift.h"

#include "driver/dispatch.h"

namespace vantrel {

void runSdr() { refuseUntranslatedCommand("SDR"); }
void runSir() { refuseUntranslatedCommand("SIR"); }

}  // namespace vantrel
