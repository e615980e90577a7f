// Working out the levels of each bit of a scan register.
//
// The four value strings are read from their right ends, one character per
// bit, whether or not MASK or SMASK makes the bit a don't-care, so they stay
// aligned by position from the right. Bit 0, the first bit shifted, is the
// least significant bit of the SVF value. Past the left end of a string a
// bit takes the default: TDI not driven, nothing expected, MASK and SMASK 1.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "scan/registers.h"

namespace vantrel {

struct ScanBit {
  char tdi;       // '0', '1', or 'Z' when not driven
  char expected;  // 'H', 'L', or 'X' when not compared
};

class BitCursor {
 public:
  explicit BitCursor(const std::optional<std::string>& bits)
      : data_(bits ? bits->data() : nullptr), left_(bits ? bits->size() : 0) {}
  // The next character from the right, or `fallback` when none is left.
  char next(char fallback) { return left_ > 0 ? data_[--left_] : fallback; }

 private:
  const char* data_;
  size_t left_;
};

class ScanBitReader {
 public:
  explicit ScanBitReader(const ScanRecord& record)
      : tdi_(record.tdiBits),
        tdo_(record.tdoBits),
        mask_(record.maskBits),
        smask_(record.smaskBits),
        compares_(record.tdoBits.has_value()) {}

  ScanBit next() {
    const char smask = smask_.next('1');
    char tdi = tdi_.next('Z');
    if (smask == '0') tdi = 'Z';
    ScanBit bit{tdi, 'X'};
    if (compares_) {
      const char mask = mask_.next('1');
      const char tdo = tdo_.next('X');
      if (mask != '0' && tdo != 'X') bit.expected = tdo == '1' ? 'H' : 'L';
    }
    return bit;
  }

 private:
  BitCursor tdi_, tdo_, mask_, smask_;
  bool compares_;
};

// The bit `index` of a register (0 = first shifted), without walking the others.
ScanBit scanBitAt(const ScanRecord& record, uint32_t index);

}  // namespace vantrel
