// The scans of the replay (check/replay.h): where one begins and how it
// ends, the record's next bit, and the count of bits the SVF gives.
#include "base/console.h"
#include "check/replay.h"

namespace vantrel {

// The code of the record's next bit, where it is not at hand: at the start
// of a scan, or after a change of SVF line.
uint8_t Replay::uncommonBit(bool instruction, const Half& low) {
  if (!scanOpen_) beginScan(instruction, low.line);
  uint8_t code = 0;
  if (expected_.peek() != ExpectedScans::Reader::Bit || !expected_.takeBitCode(code))
    differ(low.line, formatText("the %s goes on past the %llu bits the SVF gives",
                                scanName(instruction), static_cast<unsigned long long>(scanBits_)));
  return code;
}

void Replay::beginScan(bool instruction, int64_t fileLine) {
  expectNoRun();
  if (expected_.peek() != ExpectedScans::Reader::Start)
    differ(fileLine, formatText("%s that the SVF does not give", aScan(instruction)));
  if (expected_.takeStart() != instruction)
    differ(fileLine,
           formatText("%s where the SVF gives %s", aScan(instruction), aScan(!instruction)));
  scanOpen_ = true;
  scanInstruction_ = instruction;
  scanBits_ = 0;
  ++totals_.scans;
}

void Replay::endScan(ScanEnd how) {
  expectNoRun();
  const char* scan = scanName(scanInstruction_);
  const ExpectedScans::Reader::Kind next = expected_.peek();
  if (next == ExpectedScans::Reader::Bit)
    differ(formatText("the %s ends after %llu bits; the SVF gives %llu", scan,
                      static_cast<unsigned long long>(scanBits_), expectedLength()));
  const char* update = scanInstruction_ ? "Update-IR" : "Update-DR";
  if (next != ExpectedScans::Reader::End)
    differ(how == ScanEnd::Update
               ? formatText("%s ends the %s, which the SVF leaves without an end", update, scan)
               : formatText("TRST ends the %s, which the SVF leaves without an end", scan));
  const ScanEnd expected = expected_.takeEnd();
  if (expected != ScanEnd::Either && expected != how)
    differ(how == ScanEnd::Update
               ? formatText("%s ends the %s; the SVF ends it with TRST", update, scan)
               : formatText("TRST ends the %s without %s; the SVF updates it", scan, update));
  scanOpen_ = false;
}

unsigned long long Replay::expectedLength() {
  return static_cast<unsigned long long>(scanBits_ + expected_.bitsAhead());
}

}  // namespace vantrel
