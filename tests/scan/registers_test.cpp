// The six scan registers between statements: which values a scan uses up and
// which stay for the next statement, how SVF hex values become binary-digit
// strings, and how a register's bits are read from the right ends of them.
#include "scan/registers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "scan/scan_bits.h"

namespace vantrel::testing {
namespace {

using Bits = std::optional<std::string>;

class ScanRegisters : public ::testing::Test {
 protected:
  void SetUp() override { releaseAllRegisters(); }
  void TearDown() override { releaseAllRegisters(); }

  // The length keyword of a register followed by its four fields.
  static void fill(ScanRegisterId id, const char* length) {
    setRegisterLength(id, length);
    setTdi("A5");
    setTdo("5A");
    setMask("FF");
    setSmask("0F");
  }
};

TEST_F(ScanRegisters, ScanUsesUpExpectedValuesAndFlagsOfItsOwnGroupOnly) {
  fill(SDR, "4");
  fill(SDR, "8");  // a new length of a register that had one
  fill(TIR, "4");
  ASSERT_TRUE(scanRegisters[SDR].lengthChanged);

  finishDrGroup();
  const ScanRecord& sdr = scanRegisters[SDR];
  EXPECT_EQ(sdr.length, 8u);
  EXPECT_EQ(sdr.tdiBits, Bits("10100101"));
  EXPECT_EQ(sdr.maskBits, Bits("11111111"));
  EXPECT_EQ(sdr.smaskBits, Bits("00001111"));
  EXPECT_EQ(sdr.tdoBits, std::nullopt) << "an expected value serves one scan";
  EXPECT_FALSE(sdr.lengthChanged || sdr.tdiGiven || sdr.maskGiven || sdr.smaskGiven);

  // A data scan left the instruction trailer as the statement set it.
  const ScanRecord& tir = scanRegisters[TIR];
  EXPECT_EQ(tir.tdoBits, Bits("01011010"));
  EXPECT_TRUE(tir.tdiGiven && tir.maskGiven && tir.smaskGiven);

  // And the other way round.
  setRegisterLength(TDR, "4");
  setTdo("F");
  finishIrGroup();
  EXPECT_EQ(scanRegisters[TDR].tdoBits, Bits("1111"));
  EXPECT_EQ(tir.tdoBits, std::nullopt);
  EXPECT_FALSE(tir.tdiGiven || tir.maskGiven || tir.smaskGiven);
  EXPECT_EQ(tir.tdiBits, Bits("10100101"));
}

TEST_F(ScanRegisters, OnlyANewNonZeroLengthReplacingAnotherIsAChange) {
  struct Step {
    const char* length;
    uint32_t stored;
    bool changed;
  };
  const std::vector<Step> steps = {
      {"16", 16, false},  // the first length of the run
      {"16", 16, false}, {"8", 8, true},          {"8", 8, false},    {"0", 0, false},
      {"4", 4, false},  // the first length after a release
      {"abc", 0, false}, {" 12 bits", 12, false}, {"+12", 12, false}, {"13", 13, true},
  };
  for (const Step& step : steps) {
    setRegisterLength(HIR, step.length);
    EXPECT_EQ(scanRegisters[HIR].length, step.stored) << "HIR " << step.length;
    EXPECT_EQ(scanRegisters[HIR].lengthChanged, step.changed) << "HIR " << step.length;
  }
}

TEST_F(ScanRegisters, LengthZeroReleasesAndLaterFieldsAreDroppedButCountAsGiven) {
  fill(HDR, "8");
  setRegisterLength(HDR, "0");
  const ScanRecord& hdr = scanRegisters[HDR];
  EXPECT_EQ(hdr.length, 0u);
  EXPECT_FALSE(hdr.tdiBits || hdr.tdoBits || hdr.maskBits || hdr.smaskBits);
  EXPECT_FALSE(hdr.lengthChanged || hdr.tdiGiven || hdr.maskGiven || hdr.smaskGiven);

  fill(HDR, "0");
  EXPECT_FALSE(hdr.tdiBits || hdr.tdoBits || hdr.maskBits || hdr.smaskBits);
  EXPECT_TRUE(hdr.tdiGiven && hdr.maskGiven && hdr.smaskGiven);

  setRegisterLength(HDR, "8");
  EXPECT_FALSE(hdr.tdiBits || hdr.maskBits || hdr.smaskBits);
  EXPECT_FALSE(hdr.lengthChanged);
}

TEST_F(ScanRegisters, FieldsGoToTheRegisterOfTheLatestLengthKeyword) {
  // Before any length keyword the fields go to HDR, which is absent.
  setTdi("F");
  EXPECT_TRUE(scanRegisters[HDR].tdiGiven);
  EXPECT_FALSE(scanRegisters[HDR].tdiBits);

  setRegisterLength(SIR, "4");
  EXPECT_TRUE(sirInStatement);
  EXPECT_FALSE(sdrInStatement);
  setRegisterLength(TDR, "4");
  // A later statement that starts with a field.
  setTdo("9");
  EXPECT_EQ(scanRegisters[TDR].tdoBits, Bits("1001"));
  EXPECT_FALSE(scanRegisters[SIR].tdoBits);
}

TEST_F(ScanRegisters, ConversionTakesHexDigitsInEitherCaseSkipsOthersNeitherPadsNorCuts) {
  Bits field;
  hexToBinString(field, "0123456789abcdefABCDEF", 8);
  EXPECT_EQ(field, Bits("0000000100100011010001010110011110001001101010111100110111101111"
                        "101010111100110111101111"));
  hexToBinString(field, "00FF 00FF", 32);  // a value continued over two lines
  EXPECT_EQ(field, Bits("00000000111111110000000011111111"));
  hexToBinString(field, "\tg1-2Z\n", 8);
  EXPECT_EQ(field, Bits("00010010"));
  hexToBinString(field, "", 8);
  EXPECT_EQ(field, Bits("")) << "an empty value is a value";
  hexToBinString(field, "3F", 6);
  EXPECT_EQ(field, Bits("00111111"));
  hexToBinString(field, "F", 12);
  EXPECT_EQ(field, Bits("1111"));
  hexToBinString(field, "F", 0);
  EXPECT_EQ(field, std::nullopt) << "an absent register keeps no value";
}

// Bits 0 to n-1 as "tdi expected" pairs, read in shift order or one at a time.
std::string bitsText(const ScanRecord& record, uint32_t n, bool inOrder) {
  ScanBitReader reader(record);
  std::string text;
  for (uint32_t i = 0; i < n; ++i) {
    const ScanBit bit = inOrder ? reader.next() : scanBitAt(record, i);
    text += std::string(i ? " " : "") + bit.tdi + bit.expected;
  }
  return text;
}

TEST_F(ScanRegisters, BitsAlignFromTheRightEndsWhateverMaskAndSmaskSay) {
  struct Case {
    Bits tdi, tdo, mask, smask;
    std::string bits;
  };
  const std::vector<Case> cases = {
      // TDI A5, TDO FF, MASK 0F, SMASK F0.
      {"10100101", "11111111", "00001111", "11110000", "ZH ZH ZH ZH 0X 1X 0X 1X ZX ZX"},
      // No TDO: nothing is compared whatever MASK holds.
      {"1100", std::nullopt, "1111", std::nullopt, "0X 0X 1X 1X ZX ZX"},
      // Empty values: every bit takes its default.
      {"", "", "", "", "ZX ZX ZX"},
      // Strings of different lengths.
      {"100011", "0110", "10", "0", "ZX 1H 0H 0L 0X 1X ZX"},
      {std::nullopt, "101", std::nullopt, "1", "ZH ZL ZH ZX"},
  };
  for (const Case& c : cases) {
    ScanRecord record;
    record.length = 16;
    record.tdiBits = c.tdi;
    record.tdoBits = c.tdo;
    record.maskBits = c.mask;
    record.smaskBits = c.smask;
    const uint32_t n = static_cast<uint32_t>((c.bits.size() + 1) / 3);
    EXPECT_EQ(bitsText(record, n, true), c.bits);
    EXPECT_EQ(bitsText(record, n, false), c.bits);
  }
}

}  // namespace
}  // namespace vantrel::testing
