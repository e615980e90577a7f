#include "scan/shift.h"

#include <charconv>
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
    if (!settings.convertRuntest) cycles += lastRunTestCount;
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

BitComments::BitComments(ScanRegisterId id) : id_(id), enabled_(settings.commentMode == 2) {
  char* p = appendText(text_, kRegisterText[id].prefix);
  numberBegin_ = static_cast<size_t>(p - text_);
  *p = '0';
  numberEnd_ = numberBegin_ + 1;
}

void BitComments::next() {
  size_t i = numberEnd_;
  while (i > numberBegin_ && text_[i - 1] == '9') text_[--i] = '0';
  if (i > numberBegin_) {
    ++text_[i - 1];
  } else {  // 9 became 10, 99 became 100: one digit more
    text_[numberBegin_] = '1';
    text_[numberEnd_++] = '0';
  }
}

std::string_view BitComments::text(bool last) {
  if (!enabled_) return {};
  const RegisterText& text = kRegisterText[id_];
  char* p = appendText(text_ + numberEnd_, text.afterIndex);
  if (last) p = appendText(p, text.lastSuffix);
  return std::string_view(text_, static_cast<size_t>(p - text_));
}

void clockRegisterBits(ScanRegisterId id, ScanCuts* cuts) {
  const ScanRecord& record = scanRegisters[id];
  ScanBitReader reader(record);
  BitComments comments(id);
  const char lastTms = lastBitTms(id);
  for (uint32_t i = 0; i < record.length; ++i, comments.next()) {
    const ScanBit bit = reader.next();
    const bool last = i + 1 == record.length;
    const bool cut = cuts && cuts->endsPiece();
    const char tms = cut ? '1' : last ? lastTms : '0';
    writeTckLow(tms, bit.tdi, bit.expected);
    writeTckHigh(tms, bit.tdi, 'X', comments.text(last));
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
