// Working out the levels of each bit of a scan register.
//
// The four value strings are read from their right ends, one character per
// bit, whether or not MASK or SMASK makes the bit a don't-care, so they stay
// aligned by position from the right. Bit 0, the first bit shifted, is the
// least significant bit of the SVF value.
//
// An SVF value is a number: the digits it leaves out on the left are leading
// zeros. A bit with no TDI digit (the value is shorter than the register, or
// the register never had a TDI) is therefore driven low. Left undriven, the
// pull-up that IEEE 1149.1 puts on TDI would shift in a 1 instead. Past the
// left end of the other values a bit is not compared and MASK and SMASK count
// as 1; with -STDSVF they too are numbers extended with zeros (TDO expects 0,
// MASK does not compare, SMASK leaves TDI undriven). A register with no TDO at
// all compares nothing; one with no MASK or SMASK at all compares or drives
// every bit.
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

// What a bit of the register takes where a value has no digit for it.
struct MissingDigits {
  char tdo;    // '0', or 'X': not compared
  char mask;   // '0' or '1'
  char smask;  // '0' or '1'
};
MissingDigits missingDigits(const ScanRecord& record);

// The levels of one bit from its four digits (or their stand-ins).
inline ScanBit bitLevels(char tdi, char tdo, char mask, char smask, bool compares) {
  ScanBit bit{smask == '0' ? 'Z' : tdi, 'X'};
  if (compares && mask != '0' && tdo != 'X') bit.expected = tdo == '1' ? 'H' : 'L';
  return bit;
}

class ScanBitReader {
 public:
  explicit ScanBitReader(const ScanRecord& record)
      : tdi_(record.tdiBits),
        tdo_(record.tdoBits),
        mask_(record.maskBits),
        smask_(record.smaskBits),
        missing_(missingDigits(record)),
        compares_(record.tdoBits.has_value()) {}

  ScanBit next() {
    const char smask = smask_.next(missing_.smask);
    const char tdi = tdi_.next('0');
    const char mask = mask_.next(missing_.mask);
    const char tdo = tdo_.next(missing_.tdo);
    return bitLevels(tdi, tdo, mask, smask, compares_);
  }

 private:
  BitCursor tdi_, tdo_, mask_, smask_;
  MissingDigits missing_;
  bool compares_;
};

// The bit `index` of a register (0 = first shifted), without walking the others.
ScanBit scanBitAt(const ScanRecord& record, uint32_t index);

}  // namespace vantrel
