#include "vcl/preamble.h"

#include <string>

#include "base/settings.h"
#include "vcl/output_files.h"
#include "vcl/pio.h"

namespace vantrel {

namespace {

// The tester's own accounting of the preamble's lines.
constexpr int kChargeWithoutPio = 106;
constexpr int kChargeWithPio = 108;  // plus one per PIO name

void writeNameList() {
  for (size_t i = 0; i < pioNames.size(); ++i) {
    if (i > 0) outputFile.write(", ");
    outputFile.write(pioNames[i]);
  }
}

// One predefined vector: TCK and TMS low, TDI driven, TDO compared, and TRST
// where the board has a TRST node. Its name spells the levels in pin order.
void writeVectorDefinition(char tdi, char tdo, char trst) {
  std::string name = "V00";
  name += tdi;
  name += tdo == '1' ? 'H' : 'L';
  if (trst) name += trst;
  outputFile.write("vector " + name + "\n");
  outputFile.write("   set TCK  to \"0\"\n");
  outputFile.write("   set TMS  to \"0\"\n");
  outputFile.write(tdi == '1' ? "   set TDI  to \"1\"\n" : "   set TDI  to \"0\"\n");
  outputFile.write(tdo == '1' ? "   set TDO  to \"1\"\n" : "   set TDO  to \"0\"\n");
  if (trst) {
    outputFile.write("   set TRST to \"");
    outputFile.put(trst);
    outputFile.write("\"\n");
  }
  outputFile.write("end vector\n\n");
}

void writeVectorDefinitions() {
  auto writeFour = [](char trst) {
    for (char tdo : {'1', '0'})
      for (char tdi : {'0', '1'}) writeVectorDefinition(tdi, tdo, trst);
  };
  if (!trstAssigned) {
    writeFour('\0');
    return;
  }
  for (char trst : {'1', '0', 'Z'}) writeFour(trst);
}

}  // namespace

void writeUnitPreamble() {
  const bool pioMap = !pioNames.empty();
  if (pioMap) {
    for (const std::string& name : pioNames)
      outputFile.write("assign " + name + " to nodes \"" + name + "\" \n");
    outputFile.write("bidirectional ");
    writeNameList();
  }
  outputFile.write(trstAssigned ? "\ninputs TCK, TMS, TDI, TRST\n" : "\ninputs TCK, TMS, TDI\n");
  outputFile.write("outputs TDO\n");
  outputFile.write(trstAssigned ? "pcf order default Scan is TCK, TMS, TDI, TDO, TRST\n"
                                : "pcf order default Scan is TCK, TMS, TDI, TDO\n");
  if (pioMap) {
    outputFile.write(trstAssigned ? "pcf order Parallel is TCK, TMS, TDI, TDO, TRST, "
                                  : "pcf order Parallel is TCK, TMS, TDI, TDO, ");
    writeNameList();
  }
  outputFile.write("\n\n!!-------Vector Defs------------\n\n");
  writeVectorDefinitions();
  outputFile.write("!!-------End Vector Defs------------\n\n\n");
  outputFile.write("\nunit \"Test\"\n");
  outputFile.write("pcf\n");
  outputFile.write("use pcf order Scan\n");
  vectorCount +=
      pioMap ? kChargeWithPio + static_cast<int64_t>(pioNames.size()) : kChargeWithoutPio;
  preambleWritten = true;
}

void continueInNextFile() {
  // A file closed in the middle of a statement is not seen by the check made
  // before each statement.
  if (vectorCount >= kRestartCeiling) ceilingPassed = true;
  openOutputFile(settings.outputFileName);
  writeUnitPreamble();
  if (pioPending) {  // the statement's vectors carry the PIO pins
    outputFile.write("use pcf order Parallel\n");
    ++vectorCount;
  }
}

}  // namespace vantrel
