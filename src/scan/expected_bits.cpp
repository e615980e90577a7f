#include "scan/expected_bits.h"

#include <algorithm>

#include "base/settings.h"
#include "check/expected_scans.h"
#include "scan/scan_bits.h"

namespace vantrel {

namespace {

// The record numbers a bit's levels as ScanBit does.
constexpr bool sameNumbers() {
  for (char tdi : {'0', '1', 'Z'})
    for (char tdo : {'L', 'H', 'X'})
      if (ExpectedScans::bitCode(tdi, tdo) != ScanBit(tdi, tdo).pair()) return false;
  return true;
}
static_assert(sameNumbers());

// A block of bits at a time, as the reader works them out.
void recordRegister(const ScanRecord& record, uint32_t uncompared) {
  ScanBitReader bits(record);
  uint8_t codes[256];
  for (uint32_t done = 0; done < record.length;) {
    size_t count = 0;
    const ScanBit* block = bits.next(std::min<size_t>(sizeof codes, record.length - done), count);
    for (size_t i = 0; i < count; ++i) codes[i] = static_cast<uint8_t>(block[i].pair());
    for (size_t i = 0; i < count && done + i < uncompared; ++i)
      codes[i] = static_cast<uint8_t>(ScanBit(block[i].tdi(), 'X').pair());
    expectedScans.addBitCodes(codes, count);
    done += static_cast<uint32_t>(count);
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
