#include "base/console.h"

#include <cstdarg>
#include <cstdio>
#include <string>

namespace vantrel {

std::ostream* consoleStream = nullptr;
bool consoleAtLineStart = true;

void sayText(std::string_view text) {
  if (text.empty()) return;
  if (consoleStream) consoleStream->write(text.data(), static_cast<std::streamsize>(text.size()));
  consoleAtLineStart = text.back() == '\n';
}

namespace {

std::string formatArguments(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, args);
  text.resize(static_cast<size_t>(length));
  return text;
}

}  // namespace

void say(const char* format, ...) {
  va_list args;
  va_start(args, format);
  sayText(formatArguments(format, args));
  va_end(args);
}

std::string formatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = formatArguments(format, args);
  va_end(args);
  return text;
}

}  // namespace vantrel
