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

// The comment of a bit's TCK-high line ("SDR bit 7 Data Entered" on the
// last); empty when vector comments are off. Valid until the next call.
std::string_view bitComment(ScanRegisterId id, uint32_t index, bool last);

// Clocks a register's bits inside the shift state, one TCK cycle a bit.
void clockRegisterBits(ScanRegisterId id);

}  // namespace vantrel
