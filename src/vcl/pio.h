// Parallel pins (PIOMAP and PIO): extra columns of the vector lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// The logical pin names of the PIOMAP statement, in map order; empty when
// the input has no map.
extern std::vector<std::string> pioNames;

// A PIO pattern was set in the current statement.
extern bool pioPending;

void resetPio();

void definePioMap(std::string_view parameter);
void setPioPattern(std::string_view parameter);
void clockPio();

}  // namespace vantrel
