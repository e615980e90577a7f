#include "scan/expected_bits.h"

#include "base/settings.h"
#include "check/expected_scans.h"
#include "scan/scan_bits.h"

namespace vantrel {

void recordExpectedScan(const ScanGroup& group, bool retried) {
  if (!expectedScans.enabled()) return;
  expectedScans.beginScan(group.data == SIR);
  for (ScanRegisterId id : {group.header, group.data, group.trailer}) {
    const ScanRecord& record = scanRegisters[id];
    // Bits before the compare bit run in the loop body, where nothing but
    // the compare bit is compared.
    const uint32_t uncompared =
        retried && id == group.data ? static_cast<uint32_t>(settings.compareVector) : 0;
    ScanBitReader reader(record);
    for (uint32_t i = 0; i < record.length; ++i) {
      const ScanBit bit = reader.next();
      expectedScans.addBit(bit.tdi, i < uncompared ? 'X' : bit.expected);
    }
  }
}

}  // namespace vantrel
