// The parallel pins' columns of the vector lines: SVF's PIOMAP names the
// board's parallel pins (driver/pio_statements.h). They become extra columns
// after the JTAG pins, declared in a second pcf pin order, "Parallel", and
// carry a PIO statement's pattern on every vector line the statement writes.
#pragma once

#include <string>
#include <vector>

namespace vantrel {

// The logical pin names of the PIOMAP statement, in map order; empty while
// the input has no map.
extern std::vector<std::string> pioNames;

// A PIO pattern was set in the current statement.
extern bool pioPending;

void resetPio();

}  // namespace vantrel
