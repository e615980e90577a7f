#include "scan/scan_bits.h"

#include "base/settings.h"

namespace vantrel {

MissingDigits missingDigits(const ScanRecord& record) {
  if (!settings.standardSvf) return {'X', '1', '1'};
  // Values extended with zeros; a value never given still counts as all ones.
  return {'0', record.maskBits ? '0' : '1', record.smaskBits ? '0' : '1'};
}

ScanBit scanBitAt(const ScanRecord& record, uint32_t index) {
  auto at = [index](const std::optional<std::string>& bits, char fallback) {
    return bits && index < bits->size() ? (*bits)[bits->size() - 1 - index] : fallback;
  };
  const MissingDigits missing = missingDigits(record);
  return bitLevels(at(record.tdiBits, '0'), at(record.tdoBits, missing.tdo),
                   at(record.maskBits, missing.mask), at(record.smaskBits, missing.smask),
                   record.tdoBits.has_value());
}

}  // namespace vantrel
