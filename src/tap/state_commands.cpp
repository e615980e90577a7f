#include "tap/state_commands.h"

#include "driver/dispatch.h"

namespace vantrel {

void resetStateCommands() {}

void handleState(std::string_view, std::string_view&) { refuseUntranslatedCommand("STATE"); }
void handleEndDr(std::string_view) { refuseUntranslatedCommand("ENDDR"); }
void handleEndIr(std::string_view) { refuseUntranslatedCommand("ENDIR"); }
void handleTrst(std::string_view) { refuseUntranslatedCommand("TRST"); }
void handleRunTest(std::string_view, std::string_view&) { refuseUntranslatedCommand("RUNTEST"); }

}  // namespace vantrel
