// Parallel pins: SVF's PIOMAP names the board's parallel pins, and each PIO
// statement drives or compares them alongside the boundary-scan signals. The
// mapped pins become extra columns of the vector lines, after the JTAG pins,
// declared in a second pcf pin order, "Parallel".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The logical pin names of the PIOMAP statement, in map order; empty while
// the input has no map.
extern std::vector<std::string> pioNames;

// A PIO pattern was set in the current statement.
extern bool pioPending;

void resetPio();

// PIOMAP (direction name direction name ...): one map per input.
void definePioMap(std::string_view parameter);
// PIO (pattern): one character per mapped pin, H L U D X Z in either case.
void setPioPattern(std::string_view parameter);
// The PIO statement's own cycle, when no scan of the statement carried the
// pattern.
void clockPio();

}  // namespace vantrel
