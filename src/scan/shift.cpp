#include "scan/shift.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/console.h"
#include "base/settings.h"
#include "base/statement.h"
#include "scan/expected_bits.h"
#include "scan/long_scan.h"
#include "scan/retry_loop.h"
#include "scan/scan_bits.h"
#include "scan/scan_group.h"
#include "tap/navigation.h"
#include "tap/state_commands.h"
#include "vcl/emitter.h"
#include "vcl/output_files.h"

namespace vantrel {

namespace {

struct RegisterText {
  std::string_view prefix;      // before the bit number
  std::string_view afterIndex;  // after it
  std::string_view lastSuffix;  // appended on the register's last bit
};

constexpr RegisterText kRegisterText[6] = {
    {"HDR bit ", " ", " Data Header entered"}, {"HIR bit ", "", " Instruction Header entered"},
    {"TDR bit ", "", " Data Trailer entered"}, {"TIR bit ", "", " Instruction Trailer entered"},
    {"SDR bit ", "", " Data Entered"},         {"SIR bit ", "", " Instruction entered"},
};

// A register whose length changed must be given again every kind of value it
// held before: a value kept from the old length would be shifted misaligned.
void checkRegister(ScanRegisterId id) {
  const ScanRecord& record = scanRegisters[id];
  if (record.length == 0 || !record.lengthChanged) return;
  bool reported = false;
  auto report = [&](const char* field) {
    say("ERROR Must explicitly specify %s %s.\n", registerKeyword(id), field);
    reported = true;
  };
  if (!record.tdiGiven && record.tdiBits) report("TDI");
  if (!record.maskGiven && record.maskBits && record.tdoBits) report("MASK");
  if (!record.smaskGiven && record.smaskBits) report("SMASK");
  if (reported) {
    sayLastLineRead();
    fatalStop();
  }
}

// A scan with no bit at all would never leave the shift state.
void checkScanHasBits(ScanRegisterId data, ScanRegisterId trailer) {
  if (scanRegisters[data].length != 0 || scanRegisters[trailer].length != 0) return;
  say("ERROR %s and %s lengths are both zero.\n", registerKeyword(data), registerKeyword(trailer));
  sayLastLineRead();
  fatalStop();
}

// Two lines a cycle: the paths and the reset sequence take a few dozen
// cycles, the registers a cycle a bit, a retried scan its data twice and the
// idle clocks between tries.
void checkRoomForScan(ScanRegisterId header, ScanRegisterId data, ScanRegisterId trailer) {
  int64_t cycles = 64;
  for (ScanRegisterId id : {header, data, trailer}) cycles += scanRegisters[id].length;
  if (data == SDR && settings.retryMode) {
    cycles += scanRegisters[SDR].length;
    cycles += lastClockRun().cycles;
  }
  checkRoomForLines(2 * cycles);
}

void shiftBits(ScanRegisterId id, ScanCuts* cuts) {
  checkRegister(id);
  clockRegisterBits(id, cuts);
}

}  // namespace

char lastBitTms(ScanRegisterId id) {
  switch (id) {
    case HDR:
    case HIR: return '0';
    case SDR: return scanRegisters[TDR].length == 0 ? '1' : '0';
    case SIR: return scanRegisters[TIR].length == 0 ? '1' : '0';
    default: return '1';
  }
}

RegisterShift::RegisterShift(ScanRegisterId id, bool compares)
    : reader_(scanRegisters[id], compares),
      comments_(kRegisterText[id].prefix, kRegisterText[id].afterIndex,
                kRegisterText[id].lastSuffix),
      left_(scanRegisters[id].length),
      lastTms_(lastBitTms(id)) {}

void RegisterShift::clockBits(uint32_t count) {
  while (count > 0) {
    size_t taken = 0;
    const ScanBit* bits = reader_.next(count, taken);
    cycles_.write(bits, taken, comments_);
    count -= static_cast<uint32_t>(taken);
    left_ -= static_cast<uint32_t>(taken);
  }
}

RegisterShift::Bit RegisterShift::nextBit() {
  const bool last = left_ == 1;
  return Bit{reader_.peek(), last ? lastTms_ : '0', last ? comments_.lastText() : comments_.text()};
}

void RegisterShift::skipBit() {
  reader_.next();
  --left_;
  comments_.next();
}

void RegisterShift::clockBit(char tms) {
  const Bit bit = nextBit();
  writeCycle(tms, bit.levels.tdi(), bit.levels.expected(), bit.comment);
  skipBit();
}

void RegisterShift::clockRest() {
  if (left_ == 0) return;
  clockBits(left_ - 1);
  clockBit(lastTms_);
}

void clockRegisterBits(ScanRegisterId id, ScanCuts* cuts) {
  RegisterShift shift(id);
  if (!cuts) return shift.clockRest();
  while (shift.bitsLeft() > 0) {
    // The bits up to the register's last, or up to a cut.
    const uint32_t run =
        static_cast<uint32_t>(std::min<uint64_t>(shift.bitsLeft() - 1, cuts->bitsSurelyUncut()));
    cuts->pass(run);
    shift.clockBits(run);
    const bool cut = cuts->endsPiece();
    shift.clockBit(cut ? '1' : shift.bitsLeft() == 1 ? lastBitTms(id) : '0');
    if (cut) cuts->pauseAndResume();
  }
}

namespace {

void runScan(const ScanGroup& group) {
  checkScanHasBits(group.data, group.trailer);
  const bool retried = group.data == SDR && retryLoopApplies();
  std::optional<ScanCuts> cuts = planCuts(group, retried);
  ScanCuts* cutsOrNone = cuts ? &*cuts : nullptr;
  if (!cuts) checkRoomForScan(group.header, group.data, group.trailer);
  if (currentState == UNKNOWN) moveToStableState(RESET);
  walkPath(group.entryFrom(currentState));
  recordExpectedScan(group, retried && !cuts);
  shiftBits(group.header, cutsOrNone);
  checkRegister(group.data);
  // A scan cut across files is compared once: a loop cannot span files.
  if (retried && !cuts)
    runRetryLoop();
  else
    clockRegisterBits(group.data, cutsOrNone);
  shiftBits(group.trailer, cutsOrNone);
  // From Exit1; a state that is not stable is left there.
  walkPath(group.exitTo(*group.endState));
  group.finish();
}

}  // namespace

void runSdr() { runScan(drScan); }

void runSir() { runScan(irScan); }

}  // namespace vantrel
