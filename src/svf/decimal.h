// Reading decimal numbers the way the command line and SVF lengths are read:
// leading white space, an optional sign, then decimal digits up to the first
// other character. Text that does not begin with a number reads as 0, and a
// number beyond the signed 32-bit range stops at its limit.
#pragma once

#include <cstdint>
#include <string_view>

namespace vantrel {

int32_t readDecimal(std::string_view text);

// The white-space class: space, tab, line feed, vertical tab, form feed,
// carriage return.
inline bool isWhitespace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace vantrel
