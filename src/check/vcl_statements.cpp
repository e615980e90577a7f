#include "check/vcl_statements.h"

namespace vantrel {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The next word of `text` (up to a blank), taken off its front.
bool takeWord(std::string_view& text, std::string_view& word) {
  text = trimmed(text);
  if (text.empty()) return false;
  size_t end = 0;
  while (end < text.size() && !isBlank(text[end])) ++end;
  word = text.substr(0, end);
  text.remove_prefix(end);
  return true;
}

bool takeKeyword(std::string_view& text, std::string_view keyword) {
  std::string_view word;
  std::string_view rest = text;
  if (!takeWord(rest, word) || word != keyword) return false;
  text = rest;
  return true;
}

// Whether `line` is `keyword` followed by the end or a blank; `rest` is what
// follows.
bool startsWith(std::string_view line, std::string_view keyword, std::string_view& rest) {
  if (line.substr(0, keyword.size()) != keyword) return false;
  if (line.size() > keyword.size() && !isBlank(line[keyword.size()])) return false;
  rest = trimmed(line.substr(keyword.size()));
  return true;
}

struct Keyword {
  std::string_view text;
  VclStatement statement;
};

// Longer keywords first where one begins another.
constexpr Keyword kKeywords[] = {
    {"end pcf", VclStatement::EndPcf},
    {"end unit", VclStatement::EndUnit},
    {"end homingloop", VclStatement::EndHomingLoop},
    {"end vector", VclStatement::EndVector},
    {"use pcf order", VclStatement::UsePcfOrder},
    {"pcf order", VclStatement::PcfOrder},
    {"pcf", VclStatement::Pcf},
    {"wait", VclStatement::Wait},
    {"homingloop", VclStatement::HomingLoop},
    {"execute", VclStatement::Execute},
    {"vector cycle", VclStatement::Setting},
    {"vector", VclStatement::Vector},
    {"set", VclStatement::Set},
    {"assign", VclStatement::Assign},
    {"unit", VclStatement::Unit},
    {"enable loop counter", VclStatement::Setting},
    {"sequential", VclStatement::Setting},
    {"receive delay", VclStatement::Setting},
    {"family", VclStatement::Setting},
    {"default device", VclStatement::Setting},
    {"inputs", VclStatement::Directions},
    {"outputs", VclStatement::Directions},
    {"bidirectional", VclStatement::Directions},
};

}  // namespace

VclStatement classifyStatement(std::string_view line, std::string_view& rest) {
  if (line[0] == '!') return VclStatement::Comment;
  for (const Keyword& keyword : kKeywords) {
    if (!startsWith(line, keyword.text, rest)) continue;
    switch (keyword.statement) {
      case VclStatement::Pcf:
      case VclStatement::EndPcf:
      case VclStatement::EndUnit:
      case VclStatement::EndHomingLoop:
      case VclStatement::EndVector:
        // These take nothing after the keyword.
        return rest.empty() ? keyword.statement : VclStatement::Unknown;
      default: return keyword.statement;
    }
  }
  return VclStatement::Unknown;
}

bool parsePinOrder(std::string_view rest, bool& isDefault, std::string_view& name,
                   std::vector<std::string_view>& pins) {
  isDefault = takeKeyword(rest, "default");
  return takeWord(rest, name) && takeKeyword(rest, "is") && parsePinList(rest, pins);
}

bool parsePinList(std::string_view rest, std::vector<std::string_view>& pins) {
  pins.clear();
  for (;;) {
    const size_t comma = rest.find(',');
    const std::string_view pin = trimmed(rest.substr(0, comma));
    if (pin.empty()) return false;
    for (char c : pin)
      if (isBlank(c) || c == '"') return false;
    pins.push_back(pin);
    if (comma == std::string_view::npos) return true;
    rest.remove_prefix(comma + 1);
  }
}

bool parseLoopCount(std::string_view rest, int64_t& count) {
  std::string_view number;
  if (!takeWord(rest, number) || !takeKeyword(rest, "times") || !trimmed(rest).empty())
    return false;
  bool negative = !number.empty() && number[0] == '-';
  if (negative) number.remove_prefix(1);
  if (number.empty() || number.size() > 10) return false;
  count = 0;
  for (char c : number) {
    if (c < '0' || c > '9') return false;
    count = count * 10 + (c - '0');
  }
  if (negative) count = -count;
  return true;
}

bool parseExecute(std::string_view rest, std::string_view& vector) {
  return takeWord(rest, vector) && takeKeyword(rest, "exit") && takeKeyword(rest, "if") &&
         takeKeyword(rest, "pass") && trimmed(rest).empty();
}

bool parseSet(std::string_view rest, std::string_view& pin, char& level) {
  std::string_view value;
  if (!takeWord(rest, pin) || !takeKeyword(rest, "to") || !takeWord(rest, value) ||
      !trimmed(rest).empty())
    return false;
  if (value.size() != 3 || value[0] != '"' || value[2] != '"') return false;
  level = value[1];
  return true;
}

bool parseAssign(std::string_view rest, std::string_view& pin, std::string_view& nodes) {
  if (!takeWord(rest, pin) || !takeKeyword(rest, "to") || !takeKeyword(rest, "nodes")) return false;
  nodes = trimmed(rest);
  return !nodes.empty();
}

bool parseWaitTime(std::string_view rest, double& seconds, double& resolution) {
  double scale = 1;  // seconds per unit
  if (!rest.empty()) {
    switch (rest.back()) {
      case 'n': scale = 1e-9; break;
      case 'u': scale = 1e-6; break;
      case 'm': scale = 1e-3; break;
      default: break;
    }
    if (scale != 1) rest.remove_suffix(1);
  }
  // Digits, at most one decimal point; enough digits for any wait a
  // translation writes, few enough for exact arithmetic.
  if (rest.empty() || rest.size() > 15) return false;
  double value = 0;
  double fraction = 0;  // the weight of the next digit after the point
  for (char c : rest) {
    if (c == '.' && fraction == 0) {
      fraction = 0.1;
    } else if (c >= '0' && c <= '9') {
      if (fraction == 0) {
        value = value * 10 + (c - '0');
      } else {
        value += (c - '0') * fraction;
        fraction /= 10;
      }
    } else {
      return false;
    }
  }
  if (rest == ".") return false;
  seconds = value * scale;
  resolution = fraction == 0 ? scale : fraction * 10 * scale;
  return true;
}

}  // namespace vantrel
