#include "driver/dispatch.h"

#include <string>

#include "base/console.h"
#include "base/settings.h"
#include "base/statement.h"
#include "driver/command_list.h"
#include "driver/pio_statements.h"
#include "scan/registers.h"
#include "svf/decimal.h"
#include "tap/state_commands.h"
#include "vcl/output_files.h"
#include "vcl/pio.h"
#include "vcl/preamble.h"

namespace vantrel {

namespace {

enum class Keyword {
  State,
  EndDr,
  EndIr,
  Hdr,
  Hir,
  Tdi,
  Tdo,
  Mask,
  Smask,
  Pio,
  PioMap,
  RunTest,
  Sdr,
  Sir,
  Tdr,
  Tir,
  Trst,
  Frequency,
  Unknown
};

struct KeywordEntry {
  const char* upper;
  const char* lower;
  Keyword keyword;
};

// SVF keywords are recognised in all upper or all lower case only.
constexpr KeywordEntry keywords[] = {
    {"STATE", "state", Keyword::State},    {"ENDDR", "enddr", Keyword::EndDr},
    {"ENDIR", "endir", Keyword::EndIr},    {"HDR", "hdr", Keyword::Hdr},
    {"HIR", "hir", Keyword::Hir},          {"TDI", "tdi", Keyword::Tdi},
    {"TDO", "tdo", Keyword::Tdo},          {"MASK", "mask", Keyword::Mask},
    {"SMASK", "smask", Keyword::Smask},    {"PIO", "pio", Keyword::Pio},
    {"PIOMAP", "piomap", Keyword::PioMap}, {"RUNTEST", "runtest", Keyword::RunTest},
    {"SDR", "sdr", Keyword::Sdr},          {"SIR", "sir", Keyword::Sir},
    {"TDR", "tdr", Keyword::Tdr},          {"TIR", "tir", Keyword::Tir},
    {"TRST", "trst", Keyword::Trst},       {"FREQUENCY", "frequency", Keyword::Frequency},
};

Keyword lookUpKeyword(std::string_view word) {
  for (const KeywordEntry& entry : keywords)
    if (word == entry.upper || word == entry.lower) return entry.keyword;
  return Keyword::Unknown;
}

// Reported and passed over: the rest of the statement is still read.
void reportUnknownCommand() {
  say("\nINVALID COMMAND ENCOUNTERED!\n");
  say("\nCommand line read was :\n");
  sayText("   ");
  sayText(lastCommandLine);
  sayText(" \n");
  sayInputLine(statementLine);
}

// The statements that move the controller need the unit's declarations
// in the file before their first vector.
void ensurePreamble() {
  if (!preambleWritten) writeUnitPreamble();
}

}  // namespace

void dispatchPair(std::string_view command, std::string_view parameter, std::string_view& rest) {
  if (settings.verbosity > 1) {
    sayText("\ncommand: ");
    sayText(command);
    sayText("\tparameter: ");
    sayText(parameter);
    sayText("\n\n");
  }
  switch (lookUpKeyword(command)) {
    case Keyword::State:
      ensurePreamble();
      handleState(parameter, rest);
      break;
    case Keyword::EndDr: handleEndDr(parameter); break;
    case Keyword::EndIr: handleEndIr(parameter); break;
    case Keyword::Hdr: setRegisterLength(HDR, parameter); break;
    case Keyword::Hir: setRegisterLength(HIR, parameter); break;
    case Keyword::Tdi: setTdi(parameter); break;
    case Keyword::Tdo: setTdo(parameter); break;
    case Keyword::Mask: setMask(parameter); break;
    case Keyword::Smask: setSmask(parameter); break;
    case Keyword::Pio:
      setPioPattern(parameter);
      queueCommand(command);
      break;
    case Keyword::PioMap: definePioMap(parameter); break;
    case Keyword::RunTest:
      ensurePreamble();
      if (settings.standardSvf)
        handleStandardRunTest(parameter, rest);
      else
        handleRunTest(parameter, rest);
      break;
    case Keyword::Sdr:
      ensurePreamble();
      setRegisterLength(SDR, parameter);
      queueCommand(command);
      break;
    case Keyword::Sir:
      ensurePreamble();
      setRegisterLength(SIR, parameter);
      queueCommand(command);
      break;
    case Keyword::Tdr: setRegisterLength(TDR, parameter); break;
    case Keyword::Tir: setRegisterLength(TIR, parameter); break;
    case Keyword::Trst: handleTrst(parameter); break;
    case Keyword::Frequency:
      // The tester's vector cycle sets the clock: the statement changes nothing.
      if (settings.standardSvf) {
        SvfNumber cycles;
        if (parseSvfNumber(parameter, cycles)) noteDecimalComma(cycles);
        rest = {};
      } else {
        reportUnknownCommand();
      }
      break;
    case Keyword::Unknown: reportUnknownCommand(); break;
  }
}

}  // namespace vantrel
