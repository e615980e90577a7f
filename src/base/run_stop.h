// Ending a run early.
//
// Every way a run can end before the end of its input (the usage screen, a
// file that cannot be opened, a translation error) throws RunStopped. The one
// catch in runTranslator() closes whatever files are open and returns status 1,
// so a run ends the same way whether it is the vantrel process or a test that
// drives the translator in-process.
#pragma once

#include <cstdint>

namespace vantrel {

struct RunStopped {
  // The input line a translation error is about, which the catch names after
  // the report; 0 for the reports that are about no line of the input (the
  // usage screen, files, memory).
  int64_t inputLine = 0;
};

// Ends the run with status 1. The caller has printed its messages.
[[noreturn]] inline void endRun() { throw RunStopped{}; }

// Ends the run after a report about the input at `inputLine`.
[[noreturn]] inline void endRunAtInputLine(int64_t inputLine) { throw RunStopped{inputLine}; }

}  // namespace vantrel
