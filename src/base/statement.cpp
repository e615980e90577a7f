#include "base/statement.h"

#include "base/console.h"
#include "base/run_stop.h"
#include "base/settings.h"

namespace vantrel {

std::string lastCommandLine;
int64_t statementLine = 0;

void sayInputLine(int64_t inputLine) {
  if (!consoleAtLineStart) sayText("\n");
  say("At line %lld of %s.\n", static_cast<long long>(inputLine), settings.inputFileName.c_str());
}

void sayCommandLine() {
  sayText("COMMAND LINE WAS: ");
  sayText(lastCommandLine);
  sayText("\n");
}

void sayLastLineRead() {
  say("The last line read from input file was : \n\n");
  sayText("   ");
  sayText(lastCommandLine);
  sayText(" \n\n");
}

void fatalStop() { fatalStopAt(statementLine); }

void fatalStopAt(int64_t inputLine) { endRunAtInputLine(inputLine); }

void stopShowingCommandLine(const char* message) {
  sayText(message);
  sayCommandLine();
  fatalStop();
}

}  // namespace vantrel
