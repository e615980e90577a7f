// The SVF statements that act on the TAP controller itself: STATE, ENDDR,
// ENDIR, TRST and RUNTEST.
#pragma once

#include <cstdint>
#include <string_view>

namespace vantrel {

// The clock count of the latest RUNTEST; the SDR retry loop runs it again
// between tries.
extern uint32_t lastRunTestCount;

void resetStateCommands();

// STATE: one stable state, or an explicit path of states one cycle apart
// ending in a stable state. `rest` holds the words after the first.
void handleState(std::string_view parameter, std::string_view& rest);
void handleEndDr(std::string_view parameter);
void handleEndIr(std::string_view parameter);
void handleTrst(std::string_view parameter);
// RUNTEST count [TCK|SCK] [ENDSTATE state]
void handleRunTest(std::string_view parameter, std::string_view& rest);

// Runs `count` clocks in Run-Test-Idle (or the tester wait that replaces
// them), as a RUNTEST without a statement.
void runIdleClocks(uint32_t count);

}  // namespace vantrel
