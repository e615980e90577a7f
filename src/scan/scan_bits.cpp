#include "scan/scan_bits.h"

#include <algorithm>

#include "base/settings.h"

namespace vantrel {

namespace {

// bitLevels() of every combination of digits, looked up: the digits of a
// scan are random data, on which each of its branches would be a guess of
// the processor. TDI, MASK and SMASK digits are '0' or '1', told apart by
// their last bit; a TDO digit may also be 'X' (no expected value).
class BitLevelTable {
 public:
  constexpr BitLevelTable() {
    for (char smask : {'0', '1'})
      for (char tdi : {'0', '1'})
        for (char mask : {'0', '1'})
          for (char tdo : {'0', '1', 'X'})
            levels_[index(tdi, tdo, mask, smask)] = bitLevels(tdi, tdo, mask, smask, true);
  }
  ScanBit of(char tdi, char tdo, char mask, char smask) const {
    return levels_[index(tdi, tdo, mask, smask)];
  }

 private:
  static constexpr unsigned index(char tdi, char tdo, char mask, char smask) {
    return ((bit(smask) * 2 + bit(tdi)) * 2 + bit(mask)) * 3 + (tdo == 'X' ? 2 : bit(tdo));
  }
  static constexpr unsigned bit(char digit) { return static_cast<unsigned char>(digit) & 1u; }

  ScanBit levels_[24] = {};
};
constexpr BitLevelTable kBitLevels;

}  // namespace

MissingDigits missingDigits(const ScanRecord& record) {
  if (!settings.standardSvf) return {'X', '1', '1'};
  // Values extended with zeros; a value never given still counts as all ones.
  return {'0', record.maskBits ? '0' : '1', record.smaskBits ? '0' : '1'};
}

ScanBitReader::ScanBitReader(const ScanRecord& record, bool compares) : unread_(record.length) {
  const MissingDigits missing = missingDigits(record);
  auto digits = [](const std::optional<std::string>& value, char standIn) {
    return value ? Digits{value->data() + value->size(), value->size(), standIn}
                 : Digits{nullptr, 0, standIn};
  };
  tdi_ = digits(record.tdiBits, '0');
  // A register without TDO compares nothing: as if every digit were missing.
  tdo_ = compares ? digits(record.tdoBits, record.tdoBits ? missing.tdo : 'X')
                  : Digits{nullptr, 0, 'X'};
  mask_ = digits(record.maskBits, missing.mask);
  smask_ = digits(record.smaskBits, missing.smask);
}

// The end of the next `count` digits of a value, read backwards from there:
// its own while it has any, else a run of its stand-in.
const char* ScanBitReader::blockDigits(Digits& digits, size_t count) {
  if (digits.left == 0) {
    static const std::string zeros(kBlockBits, '0'), ones(kBlockBits, '1'),
        uncompared(kBlockBits, 'X');
    const std::string& standIns = digits.standIn == '0'   ? zeros
                                  : digits.standIn == '1' ? ones
                                                          : uncompared;
    return standIns.data() + count;
  }
  const char* end = digits.end;
  digits.end -= count;
  digits.left -= count;
  return end;
}

// A block ends where a value runs out of digits, so that the loop takes the
// digit of every value in the same way.
void ScanBitReader::readBlock() {
  size_t count = std::min<size_t>(unread_, kBlockBits);
  for (const Digits* digits : {&tdi_, &tdo_, &mask_, &smask_})
    if (digits->left > 0) count = std::min(count, digits->left);
  const char* tdi = blockDigits(tdi_, count);
  const char* tdo = blockDigits(tdo_, count);
  const char* mask = blockDigits(mask_, count);
  const char* smask = blockDigits(smask_, count);
  for (size_t i = 0; i < count; ++i) block_[i] = kBitLevels.of(*--tdi, *--tdo, *--mask, *--smask);
  unread_ -= static_cast<uint32_t>(count);
  next_ = block_;
  end_ = block_ + count;
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
