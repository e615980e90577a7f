// Character classes shared by the input reader and the naming of output files.
#pragma once

namespace vantrel {

// The white-space class: space, tab, line feed, vertical tab, form feed,
// carriage return.
inline bool isWhitespace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace vantrel
