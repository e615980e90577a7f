#include "svf/decimal.h"

#include <algorithm>

#include "base/console.h"
#include "base/statement.h"

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

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool parseSvfNumber(std::string_view word, SvfNumber& number) {
  number = SvfNumber{};
  size_t i = 0;
  if (i < word.size() && (word[i] == '+' || word[i] == '-')) number.negative = word[i++] == '-';
  int64_t fractionDigits = 0;
  bool point = false;
  for (; i < word.size(); ++i) {
    if (isDigit(word[i])) {
      number.digits.push_back(word[i]);
      if (point) ++fractionDigits;
    } else if ((word[i] == '.' || word[i] == ',') && !point) {
      point = true;
      number.decimalComma = word[i] == ',';
    } else {
      break;
    }
  }
  if (number.digits.empty()) return false;
  int64_t exponent = 0;
  if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) negativeExponent = word[i++] == '-';
    if (i == word.size()) return false;
    for (; i < word.size() && isDigit(word[i]); ++i)
      exponent = std::min<int64_t>(exponent * 10 + (word[i] - '0'), 1000000000);
    if (negativeExponent) exponent = -exponent;
  }
  if (i != word.size()) return false;
  number.exponent = exponent - fractionDigits;
  return true;
}

namespace {
bool decimalCommaNoted = false;
}

void noteDecimalComma(const SvfNumber& number) {
  if (!number.decimalComma || decimalCommaNoted) return;
  decimalCommaNoted = true;
  say("Note: a decimal comma is read as a decimal point.\n");
  sayInputLine(statementLine);
}

void resetDecimalCommaNote() { decimalCommaNoted = false; }

bool isBelowZero(const SvfNumber& number) {
  return number.negative && number.digits.find_first_not_of('0') != std::string::npos;
}

int64_t ceilScaled(const SvfNumber& number, int scale, int64_t most) {
  const size_t first = number.digits.find_first_not_of('0');
  if (first == std::string::npos) return 0;
  const std::string_view digits = std::string_view(number.digits).substr(first);
  const int64_t exponent = number.exponent + scale;
  // The whole part: the digits left of the point once it has moved.
  const int64_t wholeDigits = static_cast<int64_t>(digits.size()) + exponent;
  if (wholeDigits > 18) return most;  // more than int64_t holds
  int64_t value = 0;
  for (int64_t k = 0; k < wholeDigits; ++k)
    value = value * 10 + (k < static_cast<int64_t>(digits.size()) ? digits[k] - '0' : 0);
  // Anything right of the point rounds up.
  const size_t kept = wholeDigits > 0 ? static_cast<size_t>(wholeDigits) : 0;
  if (kept < digits.size() && digits.find_first_not_of('0', kept) != std::string_view::npos)
    ++value;
  return std::min(value, most);
}

}  // namespace vantrel
