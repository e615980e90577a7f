#include "svf/tokenizer.h"

#include "svf/decimal.h"

namespace vantrel {

bool inParentheses = false;

void resetTokenizer() { inParentheses = false; }

namespace {

void skipWhitespace(std::string_view& text) {
  size_t i = 0;
  while (i < text.size() && isWhitespace(text[i])) ++i;
  text.remove_prefix(i);
}

}  // namespace

bool isSvfKeyword(std::string_view word, std::string_view upper) {
  if (word == upper) return true;
  if (word.size() != upper.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (word[i] != upper[i] - 'A' + 'a') return false;
  return true;
}

bool nextToken(std::string_view& text, std::string_view& token) {
  token = {};
  skipWhitespace(text);
  if (!text.empty() && text[0] == '(') inParentheses = true;
  if (!text.empty() && (text[0] == '(' || text[0] == ')')) text.remove_prefix(1);
  skipWhitespace(text);
  if (text.empty()) return false;

  size_t end;
  if (inParentheses) {
    end = text.find(')');
    if (end != std::string_view::npos) inParentheses = false;
  } else {
    // A bare word ends at a blank or where a value opens; a ")" does not end it.
    end = text.find_first_of(" \t(");
    if (end != std::string_view::npos && text[end] == '(') inParentheses = true;
  }
  if (end == std::string_view::npos) end = text.size();
  token = text.substr(0, end);
  text.remove_prefix(end == text.size() ? end : end + 1);  // the end mark is consumed

  size_t tokenEnd = token.size();
  while (tokenEnd > 0 && isWhitespace(token[tokenEnd - 1])) --tokenEnd;
  token = token.substr(0, tokenEnd);

  skipWhitespace(text);
  // A value that opens after white space: the "(" stays for the next call.
  if (!text.empty() && text[0] == '(') inParentheses = true;
  return true;
}

bool nextPair(std::string_view& text, std::string_view& command, std::string_view& parameter) {
  if (text.empty()) return false;
  bool haveCommand = nextToken(text, command);
  bool haveParameter = nextToken(text, parameter);
  return haveCommand && haveParameter;
}

}  // namespace vantrel
