// The vector emitter: the only writer of vector lines.
//
// One TCK cycle is two lines, TCK low then TCK high. Each line gives the
// levels driven on TMS and TDI, the level expected on TDO, the TRST level when
// a TRST node is assigned, and the PIO pins' levels while a PIO pattern is in
// force. The TCK-high line moves the TAP model on by the cycle's TMS.
//
// Pin characters: '0'/'1' drive low/high, 'L'/'H' expect low/high, 'X' neither
// drives nor compares, 'Z' leaves the pin undriven.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "base/tap_controller.h"

namespace vantrel {

// Set: lines are pcf data lines ("0..." inside a pcf block). Clear: the low
// line is an execute line naming a predefined vector (the retry loop's compare
// vector, which stands outside the pcf block).
extern bool pcfMode;

// Written after the JTAG pin characters of every pcf line: the PIO pins'
// characters, then the closing double quote.
extern std::string PIOstring;

void resetEmitter();

// The line that selects the pin order in force when a pcf block is opened
// again (without its line end): the Parallel order while a PIO pattern rides
// on the vectors, the Scan order otherwise.
const char* pinOrderLine();

// A tester wait statement, "wait " and the time (with its unit letter). It
// stands inside the unit, so the unit's declarations come first when the
// file has none yet, and outside the pcf block, which it closes and opens
// again around itself.
void writeWaitStatement(std::string_view time);

// TCK-low line. `tdo` is the expected level ('H', 'L' or 'X'); `text` is a
// comment in pcf form, or the tail of the execute line in execute form.
void writeTckLow(char tms, char tdi, char tdo, std::string_view text = {});

// TCK-high line, moving the TAP model on. `text` follows the state name.
void writeTckHigh(char tms, char tdi, char tdo, std::string_view text = {});

// A whole TCK cycle: writeTckLow(tms, tdi, tdo), then
// writeTckHigh(tms, tdi, 'X', comment).
void writeCycle(char tms, char tdi, char tdo, std::string_view comment = {});

// A bit of a scan as its cycle's lines give it: the level driven on TDI
// ('0', '1', or 'Z' where it is not driven) and the level expected on TDO
// ('L', 'H', or 'X' where it is not compared). Kept as the number of that
// pair of levels, 0 to 8: 3 times TDI's place in "01Z" plus TDO's in "LHX".
class ScanBit {
 public:
  ScanBit() = default;
  constexpr ScanBit(char tdi, char expected)
      : pair_(static_cast<uint8_t>(3 * place(tdi, "01Z") + place(expected, "LHX"))) {}
  char tdi() const { return "01Z"[pair_ / 3]; }
  char expected() const { return "LHX"[pair_ % 3]; }
  constexpr unsigned pair() const { return pair_; }

 private:
  static constexpr unsigned place(char level, const char* levels) {
    unsigned i = 0;
    while (i < 2 && levels[i] != level) ++i;
    return i;
  }
  uint8_t pair_;
};

// The texts copied for every bit of a scan are kept with room for a whole
// block of kCopyBlock bytes from their start, where they are shorter. Such a
// text is copied as the whole block, in a few moves, where a copy of a length
// known only as the program runs is a call; what lies past its end is
// written over next. `room` is the bytes that may be read at `text` and
// written at `out`; the end of the copy is returned.
constexpr size_t kCopyBlock = 32;
inline char* appendCopyBlock(char* out, const char* text, size_t size, size_t room) {
  if (room == kCopyBlock)
    std::memcpy(out, text, kCopyBlock);
  else
    std::memcpy(out, text, size);
  return out + size;
}

// The comments on the TCK-high lines of a register's bits, one bit after
// another from bit 0: a label, the bit number and a text after it ("SDR bit
// 7", "HDR bit 7 "), and on the register's last bit a text more. The number
// is counted up in place: a scan of a million bits formats no number.
//
// Its last digit, which changes with every bit, is kept apart and put into
// the text only where it is written: a byte stored into the text just before
// the text is read as a block would hold up that read until the store is
// done, on every bit.
class BitComments {
 public:
  BitComments(std::string_view label, std::string_view afterNumber, std::string_view lastSuffix);
  // The current bit's comment, empty while vector comments are off; valid
  // until next().
  std::string_view text() {
    if (enabled_) text_[numberEnd_ - 1] = lastDigit_;
    return std::string_view(text_.data(), size_);
  }
  // The same with the text of the register's last bit.
  std::string_view lastText();
  // Writes text() at `out`, which has room for longest() bytes, and returns
  // the end of what it wrote. Comments are on.
  char* write(char* out) const {
    char* const end = appendCopyBlock(out, text_.data(), size_, text_.size());
    out[numberEnd_ - 1] = lastDigit_;
    return end;
  }
  // On to the next bit.
  void next() {
    if (!enabled_) return;
    if (lastDigit_ != '9')
      ++lastDigit_;
    else
      carry();
  }
  bool enabled() const { return enabled_; }
  // The longest text() can become, at least kCopyBlock.
  size_t longest() const { return text_.size(); }

 private:
  void carry();

  bool enabled_;
  std::string_view afterNumber_, lastSuffix_;
  // The label, the number and what follows, with room to grow; the number's
  // last digit is lastDigit_, whatever text_ holds in its place.
  std::string text_;
  size_t numberBegin_ = 0;  // where the bit number starts in text_
  size_t numberEnd_ = 0;
  char lastDigit_ = '0';
  size_t size_ = 0;  // of the current comment
};

// The cycles in the middle of a register's shift, most of the vector lines
// of a large test. TMS is 0, which keeps the controller in Shift-DR
// (Shift-IR), so the two lines of one such cycle differ from those of
// another only in TDI, the expected TDO and the comment: nine pairs of
// levels. The lines of each pair, the TCK-low line whole and the TCK-high
// line up to its comment, are made once for the lines' present form (TRST
// column, PIO pins, comments on or off) by the code of writeTckLow and
// writeTckHigh, and copied for every bit.
class ShiftCycles {
 public:
  // For one register of a scan: the form of the lines stays the same while
  // it is shifted (a PIO pattern changes between statements only, and every
  // file has the same TRST column).
  ShiftCycles();

  // A cycle with TMS 0 for each of `bits`, the same lines as writeCycle
  // writes; the TCK-high lines take the comments of `comments`, which moves
  // on past the bits.
  void write(const ScanBit* bits, size_t count, BitComments& comments);

 private:
  friend class ShiftCycleTexts;

  TapState state_;     // Shift-DR or Shift-IR, which the texts name
  const char* texts_;  // the nine pairs, `stride_` bytes apart
  size_t pairSize_;    // bytes of each pair
  // kCopyBlock, which holds the pairs of the usual forms (with comments on,
  // a TRST column and a few PIO pins), or pairSize_ when that is longer.
  size_t stride_;
};

}  // namespace vantrel
