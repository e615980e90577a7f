// Taking a statement apart from the front, one token at a time.
//
// SVF statements are keyword/value pairs (SDR 8 TDI (A5) TDO (5A)); a value in
// parentheses is one token without its parentheses, whatever it contains.
#pragma once

#include <string_view>

namespace vantrel {

// The next token is the inside of a parenthesised value.
extern bool inParentheses;

void resetTokenizer();

// Whether `word` is the keyword `upper`, written all upper or all lower case
// as SVF keywords are.
bool isSvfKeyword(std::string_view word, std::string_view upper);

// Takes the next token from the front of `text` into `token`. False, leaving
// `text` and `token` empty, when only white space and parentheses are left.
bool nextToken(std::string_view& text, std::string_view& token);

// Takes a command and its parameter. False when the text is empty (the slots
// are then untouched) or when either token is missing.
bool nextPair(std::string_view& text, std::string_view& command, std::string_view& parameter);

}  // namespace vantrel
