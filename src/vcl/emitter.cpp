#include "vcl/emitter.h"

#include "driver/settings.h"
#include "tap/tap_state.h"
#include "vcl/output_files.h"
#include "vcl/pio.h"

namespace vantrel {

bool pcfMode = true;
std::string PIOstring = "\"";

void resetEmitter() {
  pcfMode = true;
  PIOstring = "\"";
}

const char* pinOrderLine() { return pioPending ? "use pcf order Parallel" : "use pcf order Scan"; }

namespace {

// The TRST character of the next line, or '\0' when the line has no TRST
// column (no TRST node on the board).
char trstCharacter() {
  if (!trstAssigned) return '\0';
  return trstLevel == '0' || trstLevel == 'Z' ? trstLevel : '1';
}

// The pins of one line: TCK, TMS, TDI, TDO and TRST if any, in the pcf or the
// execute form.
void writePins(char tck, char tms, char tdi, char tdo) {
  char pins[16];
  size_t n = 0;
  if (pcfMode) {
    pins[n++] = '"';
  } else {
    static constexpr std::string_view kExecute = "execute V";
    kExecute.copy(pins, kExecute.size());
    n = kExecute.size();
  }
  pins[n++] = tck;
  pins[n++] = tms;
  pins[n++] = tdi;
  pins[n++] = tdo;
  if (char trst = trstCharacter()) pins[n++] = trst;
  outputFile.write(std::string_view(pins, n));
  if (pcfMode) outputFile.write(PIOstring);
}

}  // namespace

void writeTckLow(char tms, char tdi, char tdo, std::string_view text) {
  writePins('0', tms, tdi, tdo);
  if (!pcfMode) {
    outputFile.write(text);
  } else if (settings.commentMode == 2 && !text.empty()) {
    outputFile.write(" !");
    outputFile.write(text);
  }
  if (trstLevel == '0') currentState = RESET;
  outputFile.write(" \n");
  ++vectorCount;
}

void writeTckHigh(char tms, char tdi, char tdo, std::string_view text) {
  std::string_view stateName;
  currentState = nextTapState(tms, stateName);
  // While TRST is driven low the controller is held in Test-Logic-Reset,
  // whatever TMS does; the comment still names where TMS led.
  if (trstLevel == '0') currentState = RESET;
  writePins('1', tms, tdi, tdo);
  trstLevel = '1';
  if (settings.commentMode == 2) {
    outputFile.write(" !");
    outputFile.write(stateName);
    outputFile.put(' ');
    outputFile.write(text);
  }
  outputFile.write(" \n");
  ++vectorCount;
}

}  // namespace vantrel
