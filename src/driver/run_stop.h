// Ending a run early.
//
// Every way a run can end before the end of its input (the usage screen, a
// file that cannot be opened, a translation error) throws RunStopped. The one
// catch in runTranslator() closes whatever files are open and returns status 1,
// so a run ends the same way whether it is the vantrel process or a test that
// drives the translator in-process.
#pragma once

namespace vantrel {

struct RunStopped {};

// Ends the run with status 1. The caller has printed its messages.
[[noreturn]] inline void endRun() { throw RunStopped{}; }

}  // namespace vantrel
