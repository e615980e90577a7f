// Generating the TCK cycles of SDR and SIR scans.
//
// A scan walks the TAP controller into Shift-DR or Shift-IR, shifts the
// header register's bits, the scan register's bits and the trailer
// register's bits, leaves the shift state on the last bit (TMS 1), and walks
// to the end state set by ENDDR or ENDIR.
#pragma once

#include <cstdint>
#include <string_view>

#include "scan/registers.h"
#include "scan/scan_bits.h"
#include "vcl/emitter.h"

namespace vantrel {

void runSdr();
void runSir();

// The TMS level of a register's last bit: the last bit of the whole scan
// leaves the shift state.
char lastBitTms(ScanRegisterId id);

// Shifting a register's bits in order from bit 0, a TCK cycle each, with
// the comments "SDR bit 7" and on the last bit "SDR bit 7 Data Entered".
class RegisterShift {
 public:
  // `compares` false: no bit compares TDO (a retry loop's body).
  explicit RegisterShift(ScanRegisterId id, bool compares = true);

  uint32_t bitsLeft() const { return left_; }
  // The next `count` bits, in the middle of the shift: TMS 0, none of them
  // the register's last.
  void clockBits(uint32_t count);
  // The next bit, with TMS `tms`.
  void clockBit(char tms);
  // The rest of the register; its last bit with lastBitTms().
  void clockRest();

  // The next bit, for the caller to write (or not): its levels, TMS and
  // comment; valid until skipBit().
  struct Bit {
    ScanBit levels;
    char tms;
    std::string_view comment;
  };
  Bit nextBit();
  // On past the next bit.
  void skipBit();

 private:
  ScanBitReader reader_;
  BitComments comments_;
  ShiftCycles cycles_;
  uint32_t left_;
  char lastTms_;
};

class ScanCuts;

// Clocks a register's bits inside the shift state, one TCK cycle a bit; a
// scan too long for one file is cut where `cuts` says.
void clockRegisterBits(ScanRegisterId id, ScanCuts* cuts = nullptr);

}  // namespace vantrel
