#include "scan/expected_bits.h"

#include "base/settings.h"
#include "check/expected_scans.h"
#include "scan/scan_bits.h"

namespace vantrel {

namespace {

void recordRegister(const ScanRecord& record, uint32_t uncompared) {
  ScanBitReader bits(record);
  for (uint32_t i = 0; i < record.length; ++i) {
    const ScanBit bit = bits.next();
    expectedScans.addBit(bit.tdi, i < uncompared ? 'X' : bit.expected);
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
