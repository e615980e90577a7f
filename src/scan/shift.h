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

namespace vantrel {

void runSdr();
void runSir();

// The TMS level of a register's last bit: the last bit of the whole scan
// leaves the shift state.
char lastBitTms(ScanRegisterId id);

// The comments of a register's TCK-high lines, "SDR bit 7" and on the last
// bit "SDR bit 7 Data Entered", for the bits in order from bit 0. The bit
// number is counted up in place: a scan of a million bits formats no number.
class BitComments {
 public:
  explicit BitComments(ScanRegisterId id);
  // The comment of the current bit (empty when vector comments are off);
  // valid until the next call.
  std::string_view text(bool last);
  // On to the next bit.
  void next();

 private:
  ScanRegisterId id_;
  bool enabled_;
  char text_[80];       // prefix, bit number, the rest
  size_t numberBegin_;  // where the bit number starts in text_
  size_t numberEnd_;
};

class ScanCuts;

// Clocks a register's bits inside the shift state, one TCK cycle a bit; a
// scan too long for one file is cut where `cuts` says.
void clockRegisterBits(ScanRegisterId id, ScanCuts* cuts = nullptr);

}  // namespace vantrel
