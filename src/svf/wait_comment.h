// Delays written as SVF comments ("! wait 10 ms") and their tester waits.
//
// SVF files often carry the delays a device needs (after an erase, say) as
// comments. A comment on a statement line always asks for a wait after that
// statement's vectors; a whole comment line does so with -WC, at once.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

void resetWaitComments();

// Looks for "wait" (or "Wait") in the comment that starts at `start` in
// `line`, input line number `lineNumber`, and keeps the number and unit after
// it as the pending wait. The line is cut right after the unit word.
void parseWaitComment(std::string& line, size_t start, int64_t lineNumber);

// Writes the pending wait, if any, as a tester wait statement and clears it.
// A unit that is not m, u, s, n or S stops the run with a report about the
// comment's line.
void emitPendingWait();

}  // namespace vantrel
