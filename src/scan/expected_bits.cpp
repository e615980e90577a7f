#include "scan/expected_bits.h"

#include "base/settings.h"
#include "check/expected_scans.h"
#include "scan/scan_bits.h"

namespace vantrel {

namespace {

// A digit of a value, or the stand-in for a missing one, as a small number:
// '0' 0, '1' 1, 'X' (no expected value) 2; from the bits of the characters,
// without a comparison.
constexpr unsigned digitIndex(char digit) {
  const auto c = static_cast<unsigned char>(digit);
  return (c & 1u) | ((c >> 5) & 2u);
}
static_assert(digitIndex('0') == 0 && digitIndex('1') == 1 && digitIndex('X') == 2);

// The record's code of a bit for every combination of its four digits,
// worked out once by the scan code's own rule (bitLevels): a scan of random
// data then costs no guess of the processor per bit.
class BitCodes {
 public:
  BitCodes() {
    for (char smask : {'0', '1'})
      for (char tdi : {'0', '1'})
        for (char mask : {'0', '1'})
          for (char tdo : {'0', '1', 'X'}) {
            const ScanBit bit = bitLevels(tdi, tdo, mask, smask, true);
            at(smask, tdi, mask, tdo) = ExpectedScans::bitCode(bit.tdi, bit.expected);
          }
  }
  uint8_t of(char smask, char tdi, char mask, char tdo) const {
    return codes_[digitIndex(smask)][digitIndex(tdi)][digitIndex(mask)][digitIndex(tdo)];
  }

 private:
  uint8_t& at(char smask, char tdi, char mask, char tdo) {
    return codes_[digitIndex(smask)][digitIndex(tdi)][digitIndex(mask)][digitIndex(tdo)];
  }
  uint8_t codes_[2][2][2][3] = {};
};

void recordRegister(const ScanRecord& record, uint32_t uncompared) {
  static const BitCodes codes;
  BitCursor tdi(record.tdiBits), tdo(record.tdoBits), mask(record.maskBits),
      smask(record.smaskBits);
  const MissingDigits missing = missingDigits(record);
  // A register without TDO compares nothing: as if every digit were missing.
  const char missingTdo = record.tdoBits ? missing.tdo : 'X';
  for (uint32_t i = 0; i < record.length; ++i) {
    const char s = smask.next(missing.smask), t = tdi.next('0'), m = mask.next(missing.mask);
    const char o = tdo.next(missingTdo);
    expectedScans.addBitCode(codes.of(s, t, m, i < uncompared ? 'X' : o));
  }
}

}  // namespace

void recordExpectedScan(const ScanGroup& group, bool retried) {
  if (!expectedScans.enabled()) return;
  expectedScans.beginScan(group.data == SIR);
  for (ScanRegisterId id : {group.header, group.data, group.trailer}) {
    // Bits before the compare bit run in the loop body, where nothing but
    // the compare bit is compared.
    const uint32_t uncompared =
        retried && id == group.data ? static_cast<uint32_t>(settings.compareVector) : 0;
    recordRegister(scanRegisters[id], uncompared);
  }
}

}  // namespace vantrel
