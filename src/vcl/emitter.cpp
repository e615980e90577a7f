#include "vcl/emitter.h"

#include <cstring>

#include "base/settings.h"
#include "base/tap_controller.h"
#include "vcl/output_files.h"
#include "vcl/pio.h"
#include "vcl/preamble.h"

namespace vantrel {

bool pcfMode = true;
std::string PIOstring = "\"";

void resetEmitter() {
  pcfMode = true;
  PIOstring = "\"";
}

const char* pinOrderLine() { return pioPending ? "use pcf order Parallel" : "use pcf order Scan"; }

void writeWaitStatement(std::string_view time) {
  if (!preambleWritten) writeUnitPreamble();
  if (pcfMode) outputFile.write("end pcf\n");
  outputFile.write("wait ");
  outputFile.write(time);
  if (pcfMode) {
    outputFile.write("\npcf\n");
    outputFile.write(pinOrderLine());
  }
  outputFile.write("\n");
}

namespace {

// Every line is built straight into the output buffer: millions of them make
// up a large test, so no line is formatted or copied twice.
constexpr size_t kFixedRoom = 32;  // pins, markers and line end

// The pins of one line: TCK, TMS, TDI, TDO and, where the board has a TRST
// node, TRST; in pcf form quoted together with the PIO pins, in execute form
// as the name of a predefined vector.
char* appendPins(char* p, char tck, char tms, char tdi, char tdo) {
  if (pcfMode) {
    *p++ = '"';
  } else {
    p = appendText(p, "execute V");
  }
  *p++ = tck;
  *p++ = tms;
  *p++ = tdi;
  *p++ = tdo;
  if (trstAssigned) *p++ = trstLevel == '0' || trstLevel == 'Z' ? trstLevel : '1';
  if (pcfMode) {
    if (PIOstring.size() == 1)  // no PIO pattern: just the closing quote
      *p++ = '"';
    else
      p = appendText(p, PIOstring);
  }
  return p;
}

}  // namespace

void writeTckLow(char tms, char tdi, char tdo, std::string_view text) {
  char* start = outputFile.reserve(kFixedRoom + PIOstring.size() + text.size());
  char* p = appendPins(start, '0', tms, tdi, tdo);
  if (!pcfMode) {
    p = appendText(p, text);
  } else if (settings.commentMode == 2 && !text.empty()) {
    *p++ = ' ';
    *p++ = '!';
    p = appendText(p, text);
  }
  *p++ = ' ';
  *p++ = '\n';
  outputFile.advance(static_cast<size_t>(p - start));
  if (trstLevel == '0') currentState = RESET;
  ++vectorCount;
}

void writeTckHigh(char tms, char tdi, char tdo, std::string_view text) {
  std::string_view stateName;
  currentState = nextTapState(tms, stateName);
  // While TRST is driven low the controller is held in Test-Logic-Reset,
  // whatever TMS does; the comment still names where TMS led.
  if (trstLevel == '0') currentState = RESET;
  char* start = outputFile.reserve(kFixedRoom + PIOstring.size() + stateName.size() + text.size());
  char* p = appendPins(start, '1', tms, tdi, tdo);
  trstLevel = '1';  // a TRST level of 0 or Z lasts one cycle
  if (settings.commentMode == 2) {
    *p++ = ' ';
    *p++ = '!';
    p = appendText(p, stateName);
    *p++ = ' ';
    p = appendText(p, text);
  }
  *p++ = ' ';
  *p++ = '\n';
  outputFile.advance(static_cast<size_t>(p - start));
  ++vectorCount;
}

}  // namespace vantrel
