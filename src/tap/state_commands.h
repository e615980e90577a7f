// The SVF statements that act on the TAP controller itself: STATE, ENDDR,
// ENDIR, TRST and RUNTEST.
#pragma once

#include <cstdint>
#include <string_view>

#include "tap/tap_state.h"

namespace vantrel {

// How the clocks of a run are spent on the tester: TCK cycles in the run
// state, then, where clocks become a tester wait (-CR), a wait for the rest
// of the run's time, one microsecond a clock. During a wait the tester holds
// every pin still, TCK included: a device that counts TCK edges (an FPGA's
// start-up, an operation started by its first clocks) sees none.
struct ClockRun {
  uint32_t cycles = 0;      // TCK cycles in the run state
  bool wait = false;        // a tester wait follows them
  uint64_t waitMicros = 0;  // its length
};

// A run of `clocks` clocks. With clocks as cycles (-NOCR) every clock is a
// TCK cycle; with clocks as a wait, up to `cycles` of them are TCK cycles and
// the rest is the wait (none when the cycles are the whole run, but a run of
// no cycle at all is a wait, also of 0). More cycles than 2147483647 are
// that many: no file takes them.
ClockRun planClockRun(uint64_t clocks, uint64_t cycles);

// How the latest RUNTEST was run (before the first RUNTEST, a run of no
// clock); the SDR retry loop runs it again between tries.
ClockRun lastClockRun();

// RUNTESTs of a TCK count that wrote fewer TCK cycles than their count, and
// the input line of the first.
extern int64_t runTestsWaited;
extern int64_t firstRunTestWaitedLine;

// Where the standard RUNTEST runs its clocks and where it leaves the
// controller, remembered from one RUNTEST to the next.
extern TapState standardRunState;
extern TapState standardEndState;

void resetStateCommands();

// STATE: one stable state, or an explicit path of states one cycle apart
// ending in a stable state. `rest` holds the words after the first.
void handleState(std::string_view parameter, std::string_view& rest);
void handleEndDr(std::string_view parameter);
void handleEndIr(std::string_view parameter);
void handleTrst(std::string_view parameter);
// RUNTEST count [TCK|SCK] [ENDSTATE state]
void handleRunTest(std::string_view parameter, std::string_view& rest);

// RUNTEST in every form of the SVF standard (option -STDSVF):
// RUNTEST [run_state] run_count TCK|SCK [min_time SEC [MAXIMUM max_time SEC]]
//         [ENDSTATE end_state]
// RUNTEST [run_state] min_time SEC [MAXIMUM max_time SEC] [ENDSTATE end_state]
void handleStandardRunTest(std::string_view parameter, std::string_view& rest);

// A run of more TCK cycles than half the vector limit cannot fit a file.
void checkClockLimit(uint32_t cycles);
// A RUNTEST run as `run` in `runState`: moves there, writes the cycles, then
// the wait; the retry loop runs it again. `tckCount` is the count of TCK
// cycles it gives (0 for a count of SCK or a time only).
void runRunTest(TapState runState, const ClockRun& run, uint64_t tckCount);

// Runs the latest RUNTEST's clocks again in Run-Test-Idle, as a RUNTEST
// without a statement.
void runIdleClocks();

}  // namespace vantrel
