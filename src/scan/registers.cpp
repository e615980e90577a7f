#include "scan/registers.h"

#include <cstring>

#include "base/console.h"
#include "base/settings.h"
#include "base/statement.h"
#include "svf/decimal.h"

namespace vantrel {

ScanRecord scanRegisters[6];
ScanRegisterId currentRegister = HDR;
bool sdrInStatement = false;
bool sirInStatement = false;

namespace {

void finishRegister(ScanRecord& record) {
  record.lengthChanged = false;
  record.tdiGiven = false;
  record.maskGiven = false;
  record.smaskGiven = false;
  record.tdoBits.reset();
}

}  // namespace

const char* registerKeyword(ScanRegisterId id) {
  static const char* const kKeywords[] = {"HDR", "HIR", "TDR", "TIR", "SDR", "SIR"};
  return kKeywords[id];
}

void releaseRegister(ScanRegisterId id) { scanRegisters[id] = ScanRecord{}; }

void releaseAllRegisters() {
  for (ScanRecord& record : scanRegisters) record = ScanRecord{};
  currentRegister = HDR;
  sdrInStatement = false;
  sirInStatement = false;
}

void setRegisterLength(ScanRegisterId id, std::string_view parameter) {
  const int32_t length = readDecimal(parameter);
  if (length < 0) {
    say("\nInvalid length specified for %s!\n", registerKeyword(id));
    sayCommandLine();
    fatalStop();
  }
  ScanRecord& record = scanRegisters[id];
  if (length == 0) releaseRegister(id);
  const uint32_t newLength = static_cast<uint32_t>(length);
  record.lengthChanged = record.length != 0 && record.length != newLength;
  if (record.lengthChanged && settings.standardSvf) {
    // The SVF standard: a new length drops MASK and SMASK, so that every bit
    // is compared and driven unless the statement gives them again.
    record.maskBits.reset();
    record.smaskBits.reset();
  }
  record.length = newLength;
  currentRegister = id;
  if (id == SDR) sdrInStatement = true;
  if (id == SIR) sirInStatement = true;
}

namespace {

// The four binary digits of each hex digit character, or nothing for a
// character that is no hex digit. Looked up: the digits of a value are
// random data, on which every test of a character range would be a guess of
// the processor.
struct HexDigits {
  char bits[256][4] = {};
  bool isDigit[256] = {};
  constexpr HexDigits() {
    for (int c = 0; c < 256; ++c) {
      const int value = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                               : -1;
      if (value < 0) continue;
      isDigit[c] = true;
      for (int i = 0; i < 4; ++i) bits[c][i] = value & (8 >> i) ? '1' : '0';
    }
  }
};
constexpr HexDigits kHexDigits;

}  // namespace

void hexToBinString(std::optional<std::string>& field, std::string_view hex, uint32_t length) {
  field.reset();
  if (length == 0) return;
  std::string& bits = field.emplace(hex.size() * 4, '0');
  char* out = bits.data();
  for (char c : hex) {
    const auto code = static_cast<unsigned char>(c);
    std::memcpy(out, kHexDigits.bits[code], 4);
    // Blanks left by a value continued over lines, stray characters: their
    // copy is written over by the next digit's.
    out += kHexDigits.isDigit[code] ? 4 : 0;
  }
  bits.resize(static_cast<size_t>(out - bits.data()));
}

namespace {

// A field of the register the latest length keyword named; `given` (when
// the field has such a flag) records that the statement gave it.
void storeField(std::optional<std::string> ScanRecord::*field, bool ScanRecord::*given,
                std::string_view hex) {
  ScanRecord& record = scanRegisters[currentRegister];
  hexToBinString(record.*field, hex, record.length);
  if (given) record.*given = true;
}

}  // namespace

void setTdi(std::string_view parameter) {
  storeField(&ScanRecord::tdiBits, &ScanRecord::tdiGiven, parameter);
}
void setTdo(std::string_view parameter) { storeField(&ScanRecord::tdoBits, nullptr, parameter); }
void setMask(std::string_view parameter) {
  storeField(&ScanRecord::maskBits, &ScanRecord::maskGiven, parameter);
}
void setSmask(std::string_view parameter) {
  storeField(&ScanRecord::smaskBits, &ScanRecord::smaskGiven, parameter);
}

void finishDrGroup() {
  for (ScanRegisterId id : {HDR, SDR, TDR}) finishRegister(scanRegisters[id]);
}

void finishIrGroup() {
  for (ScanRegisterId id : {HIR, SIR, TIR}) finishRegister(scanRegisters[id]);
}

}  // namespace vantrel
