#include "driver/pio_statements.h"

#include <algorithm>

#include "base/console.h"
#include "base/statement.h"
#include "scan/registers.h"
#include "svf/tokenizer.h"
#include "tap/navigation.h"
#include "vcl/emitter.h"
#include "vcl/output_files.h"
#include "vcl/pio.h"
#include "vcl/preamble.h"

namespace vantrel {

namespace {

void reportMapStatement() {
  say("Command line read was: \n");
  sayText(lastCommandLine);
  sayText("\n");
}

// The tester character for a PIO character, or '\0' for none.
char testerCharacter(char c) {
  switch (c) {
    case 'H':
    case 'h': return '1';  // drive high
    case 'L':
    case 'l': return '0';  // drive low
    case 'U':
    case 'u': return 'H';  // expect high
    case 'D':
    case 'd': return 'L';  // expect low
    case 'X':
    case 'x': return 'X';  // don't care
    case 'Z':
    case 'z': return 'Z';  // not driven
    default: return '\0';
  }
}

// A PIO pin is declared under its logical name, next to the JTAG pins of
// the file header: two pins of one name are one pin to the tester, which
// refuses the file. A TRST without a TRST node is no JTAG pin of the file,
// so a PIO pin may bear that name.
void refuseNamesTheTesterConfuses() {
  for (size_t i = 0; i < pioNames.size(); ++i) {
    const std::string& name = pioNames[i];
    const bool jtagPin = name == "TCK" || name == "TMS" || name == "TDI" || name == "TDO" ||
                         (name == "TRST" && trstAssigned);
    if (jtagPin) {
      say("\nPIO Map name %s is the name of a JTAG pin!\n", name.c_str());
      say("The tester cannot tell two pins of one name apart.\n");
    } else if (std::find(pioNames.begin(), pioNames.begin() + static_cast<long>(i), name) !=
               pioNames.begin() + static_cast<long>(i)) {
      say("\nPIO Map names %s twice!\n", name.c_str());
    } else {
      continue;
    }
    reportMapStatement();
    fatalStop();
  }
}

}  // namespace

void definePioMap(std::string_view parameter) {
  if (!pioNames.empty()) {
    say("\nPIO Map has already been defined!!\n");
    say("Only one PIO Map definition allowed per file.\n");
    reportMapStatement();
    fatalStop();
  }
  // Words alternate between a direction and a name. Every mapped pin is
  // declared bidirectional, so the directions are not needed; a trailing
  // direction without a name is dropped.
  const bool savedInParentheses = inParentheses;
  inParentheses = false;
  std::string_view word;
  for (size_t position = 0; nextToken(parameter, word); ++position)
    if (position % 2 == 1) pioNames.emplace_back(word);
  inParentheses = savedInParentheses;
  if (pioNames.empty()) {
    say("PIO Map has no logical names!\n");
    reportMapStatement();
    fatalStop();
  }
  refuseNamesTheTesterConfuses();
  // The pins are declared in the unit's preamble. A file whose unit has
  // begun cannot declare more, so the map ends it as a split does and goes
  // on in the next file, whose preamble declares them.
  if (preambleWritten)
    startNextFileInIdle();
  else
    writeUnitPreamble();
}

void setPioPattern(std::string_view parameter) {
  if (pioNames.empty()) {
    say("Tried to execute a PIO command before a ");
    say("PIO MAP was defined. \n");
    sayLastLineRead();
    fatalStop();
  }
  if (parameter.size() != pioNames.size()) {
    say("Number of characters in the PIO command ");
    say("do not match the number of logical names\n");
    say("from the PIO MAP.\n");
    fatalStop();
  }
  std::string pattern;
  for (char c : parameter) {
    const char tester = testerCharacter(c);
    if (!tester) {
      say("Invalid character %c in the PIO command.\n", c);
      sayLastLineRead();
      fatalStop();
    }
    pattern.push_back(tester);
  }
  PIOstring = pattern + '"';
  pioPending = true;
}

void clockPio() {
  if (sdrInStatement || sirInStatement) return;  // the scan's lines carried the pattern
  // From an unknown state, reset first; the cycle then stays in
  // Test-Logic-Reset with TMS high.
  if (currentState == UNKNOWN) moveToStableState(RESET);
  stepTapState(currentState);
}

}  // namespace vantrel
