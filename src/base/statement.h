// The statement being translated, as reports show it, and the stop after a
// report about it.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// The statement being translated, as the reader returned it; error reports
// show it.
extern std::string lastCommandLine;

// The input line on which the current statement's first character stands;
// comment and blank lines before it are not its lines, and a second
// statement on a line stands on that line. Reports about the statement name it.
extern int64_t statementLine;

// Names the input line a report is about, on a line of its own:
// "At line N of file."
void sayInputLine(int64_t inputLine);

// The two ways a report shows the offending statement:
// "COMMAND LINE WAS: ..." and "The last line read from input file was : ...".
void sayCommandLine();
void sayLastLineRead();

// Ends the run with status 1 after a report about the statement being
// translated; its input line is named after the report, and the files are
// closed on the way out.
[[noreturn]] void fatalStop();
// The same after a report about input line `inputLine`.
[[noreturn]] void fatalStopAt(int64_t inputLine);

// Prints `message`, then the statement as "COMMAND LINE WAS", and stops.
[[noreturn]] void stopShowingCommandLine(const char* message);

}  // namespace vantrel
