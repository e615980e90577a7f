#include "base/statement.h"

#include "base/console.h"
#include "base/run_stop.h"

namespace vantrel {

std::string lastCommandLine;
int64_t statementLine = 0;

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
