// SVF's PIOMAP and PIO statements: parallel pins of the board driven and
// compared alongside the boundary-scan signals, as extra columns of the
// vector lines (vcl/pio.h).
#pragma once

#include <string_view>

namespace vantrel {

// PIOMAP (direction name direction name ...): one map per input.
void definePioMap(std::string_view parameter);
// PIO (pattern): one character per mapped pin, H L U D X Z in either case.
void setPioPattern(std::string_view parameter);
// The PIO statement's own cycle, when no scan of the statement carried the
// pattern.
void clockPio();

}  // namespace vantrel
