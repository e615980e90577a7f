// The console: banner, confirmations, progress and error reports.
//
// Everything the translator tells the user goes to one stream (standard
// output for the vantrel program, a string for in-process tests).
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace vantrel {

// The stream of the current run; set by runTranslator().
extern std::ostream* consoleStream;

// Whether the console's last character ends a line (true while nothing has
// been written). Some reports end in the middle of a line.
extern bool consoleAtLineStart;

// Prints a C printf format with its arguments.
void say(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The text of a C printf format with its arguments.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Prints text as it stands, any length, embedded NUL bytes included.
void sayText(std::string_view text);

}  // namespace vantrel
