#include "svf/decimal.h"

namespace vantrel {

int32_t readDecimal(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && isWhitespace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  const int64_t limit = negative ? int64_t{INT32_MAX} + 1 : INT32_MAX;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > limit) value = limit;
  }
  return static_cast<int32_t>(negative ? -value : value);
}

}  // namespace vantrel
