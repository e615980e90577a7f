// Reading decimal numbers the way the command line and SVF lengths are read:
// leading white space, an optional sign, then decimal digits up to the first
// other character. Text that does not begin with a number reads as 0, and a
// number beyond the signed 32-bit range stops at its limit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/text.h"

namespace vantrel {

int32_t readDecimal(std::string_view text);

// A real number as SVF writes times and counts: an optional sign, digits
// with an optional point ("5.", ".5"), an optional exponent ("1E-3"). Tools
// run under a locale with a decimal comma write a comma for the point
// ("1,00E-03"); that is the same number, and it is marked.
struct SvfNumber {
  bool negative = false;
  std::string digits;         // all the digits, the point left out
  int64_t exponent = 0;       // value = digits x 10^exponent
  bool decimalComma = false;  // written with a comma for the point
};

// False when `word` is not such a number as a whole ("1E", "1.0.0", "1.0,0",
// "0x10").
bool parseSvfNumber(std::string_view word, SvfNumber& number);

// Where a real number is read with a decimal comma, the first time in a run
// (a restart reads the input again, but does not say it again): says so,
// naming the line of the statement.
void noteDecimalComma(const SvfNumber& number);
void resetDecimalCommaNote();

// True when the number is below zero ("-0" is not).
bool isBelowZero(const SvfNumber& number);

// The number times 10^scale, rounded up to a whole number, computed exactly
// from its digits; at most `most`. For numbers not below zero.
int64_t ceilScaled(const SvfNumber& number, int scale, int64_t most);

}  // namespace vantrel
