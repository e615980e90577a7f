// The SVF statements that act on the TAP controller itself: STATE, ENDDR,
// ENDIR, TRST and RUNTEST.
#pragma once

#include <string_view>

namespace vantrel {

void resetStateCommands();

void handleState(std::string_view parameter, std::string_view& rest);
void handleEndDr(std::string_view parameter);
void handleEndIr(std::string_view parameter);
void handleTrst(std::string_view parameter);
void handleRunTest(std::string_view parameter, std::string_view& rest);

}  // namespace vantrel
