// Delays written as SVF comments ("! wait 10 ms") and their tester waits.
#pragma once

#include <string>

namespace vantrel {

void resetWaitComments();

// Looks for a wait request in the comment that starts at `start` in `line`
// and keeps it as the pending wait. May cut `line` after the request.
void parseWaitComment(std::string& line, size_t start);

// Writes the pending wait, if any, to the output and clears it.
void emitPendingWait();

}  // namespace vantrel
