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

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "scan/registers.h"
#include "vcl/emitter.h"

namespace vantrel {

// What a bit of the register takes where a value has no digit for it.
struct MissingDigits {
  char tdo;    // '0', or 'X': not compared
  char mask;   // '0' or '1'
  char smask;  // '0' or '1'
};
MissingDigits missingDigits(const ScanRecord& record);

// The levels of one bit from its four digits (or their stand-ins).
constexpr ScanBit bitLevels(char tdi, char tdo, char mask, char smask, bool compares) {
  const bool compared = compares && mask != '0' && tdo != 'X';
  return ScanBit(smask == '0' ? 'Z' : tdi, !compared ? 'X' : tdo == '1' ? 'H' : 'L');
}

// A register's bits in shift order, from bit 0. Their levels are worked out
// a block at a time, in a loop that does nothing else: a scan of thousands
// of bits is most of a large test's work.
class ScanBitReader {
 public:
  // `compares` false: as if the register had no TDO, no bit compares.
  explicit ScanBitReader(const ScanRecord& record, bool compares = true);
  ScanBitReader(const ScanBitReader&) = delete;
  ScanBitReader& operator=(const ScanBitReader&) = delete;

  // The next bit; no more than the register's length.
  ScanBit next() {
    const ScanBit bit = peek();
    ++next_;
    return bit;
  }
  // The next bit, which stays the next.
  ScanBit peek() {
    if (next_ == end_) readBlock();
    return *next_;
  }
  // The next bits, at least one and no more than `most`: `count` of them.
  const ScanBit* next(size_t most, size_t& count) {
    if (next_ == end_) readBlock();
    count = std::min(most, static_cast<size_t>(end_ - next_));
    const ScanBit* bits = next_;
    next_ += count;
    return bits;
  }

 private:
  static constexpr size_t kBlockBits = 256;

  // The digits of a value not read yet: the `left` digits before `end`.
  struct Digits {
    const char* end;
    size_t left;
    char standIn;  // what a bit past the value's left end takes
  };
  void readBlock();
  const char* blockDigits(Digits& digits, size_t count);

  Digits tdi_, tdo_, mask_, smask_;
  uint32_t unread_;  // bits of the register not in a block yet
  ScanBit block_[kBlockBits];
  const ScanBit* next_ = block_;
  const ScanBit* end_ = block_;
};

// The bit `index` of a register (0 = first shifted), without walking the others.
ScanBit scanBitAt(const ScanRecord& record, uint32_t index);

}  // namespace vantrel
