// The SVF statements that act on the TAP controller itself: STATE, ENDDR,
// ENDIR, TRST and RUNTEST.
#pragma once

#include <cstdint>
#include <string_view>

#include "tap/tap_state.h"

namespace vantrel {

// The clock count of the latest RUNTEST; the SDR retry loop runs it again
// between tries.
extern uint32_t lastRunTestCount;

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

// With clocks (-NOCR), a count above half the vector limit cannot fit a file.
void checkClockLimit(uint32_t count);
// Moves to `runState`, then runs `count` clocks there or writes the tester
// wait that replaces them.
void runClocks(TapState runState, uint32_t count);

// Runs `count` clocks in Run-Test-Idle (or the tester wait that replaces
// them), as a RUNTEST without a statement.
void runIdleClocks(uint32_t count);

}  // namespace vantrel
