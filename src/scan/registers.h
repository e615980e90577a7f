// The six SVF scan registers: the header and trailer registers around every
// data scan (HDR, TDR) and instruction scan (HIR, TIR), and the data and
// instruction registers themselves (SDR, SIR).
//
// Values are kept as binary-digit strings: an SVF hex value written out as
// '0'/'1' characters, four per hex digit, most significant first. The last
// character is the first bit shifted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

enum ScanRegisterId { HDR, HIR, TDR, TIR, SDR, SIR };

struct ScanRecord {
  uint32_t length = 0;         // bits; 0: absent (no header/trailer, empty scan)
  bool lengthChanged = false;  // the last length keyword replaced another non-zero length
  std::optional<std::string> tdiBits;
  bool tdiGiven = false;               // since the last scan of the register's group
  std::optional<std::string> tdoBits;  // expected values, used by one scan only
  std::optional<std::string> maskBits;
  bool maskGiven = false;
  std::optional<std::string> smaskBits;
  bool smaskGiven = false;
};

extern ScanRecord scanRegisters[6];
extern ScanRegisterId currentRegister;  // where TDI, TDO, MASK and SMASK go
extern bool sdrInStatement;             // the statement has an SDR keyword
extern bool sirInStatement;             // the statement has an SIR keyword

// The keyword of a register, upper case.
const char* registerKeyword(ScanRegisterId id);

void releaseRegister(ScanRegisterId id);
void releaseAllRegisters();

// The length keyword of a register; the TDI, TDO, MASK and SMASK fields that
// follow go to that register.
void setRegisterLength(ScanRegisterId id, std::string_view parameter);
void setTdi(std::string_view parameter);
void setTdo(std::string_view parameter);
void setMask(std::string_view parameter);
void setSmask(std::string_view parameter);

// Replaces `field` with the binary digits of the hex text; every character
// that is not a hex digit is skipped. A register of length 0 keeps no value.
void hexToBinString(std::optional<std::string>& field, std::string_view hex, uint32_t length);

// After a scan of the group: the expected values are used up and the
// "given" flags start over. Lengths and the other values stay.
void finishDrGroup();
void finishIrGroup();

}  // namespace vantrel
