// The six scan registers between statements: which values a scan uses up and
// which stay for the next statement, how SVF hex values become binary-digit
// strings, how a register's bits are read from the right ends of them, and
// which SDR scans go through the tester's retry loop.
#include "scan/registers.h"

#include <gtest/gtest.h>

#include <array>

#include "scan/retry_loop.h"
#include "scan/scan_bits.h"
#include "support/translator_state.h"

namespace vantrel::testing {
namespace {

using Bits = std::optional<std::string>;
using ScanRegisters = TranslatorState;
using RetryDecision = TranslatorState;

// The length keyword of a register followed by its fields; a null field is left out.
void fill(ScanRegisterId id, const char* length, const char* tdi = "A5", const char* tdo = "5A",
          const char* mask = "FF", const char* smask = "0F") {
  setRegisterLength(id, length);
  if (tdi) setTdi(tdi);
  if (tdo) setTdo(tdo);
  if (mask) setMask(mask);
  if (smask) setSmask(smask);
}

TEST_F(ScanRegisters, ScanUsesUpExpectedValuesAndFlagsOfItsOwnGroupOnly) {
  fill(SDR, "4");
  fill(SDR, "8");  // a new length of a register that had one
  fill(TDR, "8");
  fill(TIR, "8");
  ASSERT_TRUE(scanRegisters[SDR].lengthChanged);
  finishDrGroup();
  const ScanRecord &sdr = scanRegisters[SDR], &tir = scanRegisters[TIR];
  EXPECT_EQ(sdr.length, 8u);
  EXPECT_EQ(sdr.tdiBits, Bits("10100101"));
  EXPECT_EQ(sdr.maskBits, Bits("11111111"));
  EXPECT_EQ(sdr.smaskBits, Bits("00001111"));
  EXPECT_FALSE(sdr.tdoBits || scanRegisters[TDR].tdoBits) << "an expected value serves one scan";
  EXPECT_FALSE(sdr.lengthChanged || sdr.tdiGiven || sdr.maskGiven || sdr.smaskGiven);
  EXPECT_EQ(tir.tdoBits, Bits("01011010"));
  EXPECT_TRUE(tir.tdiGiven && tir.maskGiven && tir.smaskGiven);

  setRegisterLength(TDR, "4");
  setTdo("F");
  finishIrGroup();
  EXPECT_EQ(scanRegisters[TDR].tdoBits, Bits("1111"));
  EXPECT_FALSE(tir.tdoBits || tir.tdiGiven || tir.maskGiven || tir.smaskGiven);
  EXPECT_EQ(tir.tdiBits, Bits("10100101"));
}

// Only a new non-zero length replacing another is a change; length 0 releases
// the register, and fields given to it then are dropped but count as given.
TEST_F(ScanRegisters, LengthChangesAndReleases) {
  const std::tuple<const char*, uint32_t, bool> steps[] = {
      {"16", 16, false}, {"16", 16, false},       {"8", 8, true},
      {"8", 8, false},   {"0", 0, false},         {"4", 4, false},
      {"abc", 0, false}, {" 12 bits", 12, false}, {"+13", 13, true},
  };
  for (const auto& [length, stored, changed] : steps) {
    setRegisterLength(HIR, length);
    EXPECT_EQ(scanRegisters[HIR].length, stored) << length;
    EXPECT_EQ(scanRegisters[HIR].lengthChanged, changed) << length;
  }
  fill(HDR, "8");
  fill(HDR, "0");
  const ScanRecord& hdr = scanRegisters[HDR];
  EXPECT_FALSE(hdr.tdiBits || hdr.tdoBits || hdr.maskBits || hdr.smaskBits || hdr.lengthChanged);
  EXPECT_TRUE(hdr.tdiGiven && hdr.maskGiven && hdr.smaskGiven);
  setRegisterLength(HDR, "8");
  EXPECT_FALSE(hdr.tdiBits || hdr.maskBits || hdr.smaskBits || hdr.lengthChanged);
  // The fields of a statement go to the register of its latest length keyword.
  setRegisterLength(SIR, "4");
  setRegisterLength(TDR, "4");
  setTdo("9");
  EXPECT_EQ(scanRegisters[TDR].tdoBits, Bits("1001"));
  EXPECT_FALSE(scanRegisters[SIR].tdoBits);
  EXPECT_TRUE(sirInStatement && !sdrInStatement);
}

TEST_F(ScanRegisters, ConversionTakesHexDigitsInEitherCaseSkipsOthersNeitherPadsNorCuts) {
  Bits field;
  hexToBinString(field, "0123456789abcdefABCDEF", 8);
  EXPECT_EQ(field, Bits("0000000100100011010001010110011110001001101010111100110111101111"
                        "101010111100110111101111"));
  hexToBinString(field, "\tg1-2Z\n", 8);
  EXPECT_EQ(field, Bits("00010010"));
  hexToBinString(field, "", 8);
  EXPECT_EQ(field, Bits("")) << "an empty value is a value";
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

// Missing digits are leading zeros of TDI in every mode; with -STDSVF also of
// TDO, MASK and SMASK (a value never given still counts as all ones).
TEST_F(ScanRegisters, BitsAlignFromTheRightEndsWhateverMaskAndSmaskSay) {
  const struct {
    Bits tdi, tdo, mask, smask;
    std::string bits, standardBits;
  } cases[] = {
      // TDI A5, TDO FF, MASK 0F, SMASK F0.
      {"10100101", "11111111", "00001111", "11110000", "ZH ZH ZH ZH 0X 1X 0X 1X 0X 0X",
       "ZH ZH ZH ZH 0X 1X 0X 1X ZX ZX"},
      // No TDO: nothing is compared whatever MASK holds.
      {"1100", std::nullopt, "1111", std::nullopt, "0X 0X 1X 1X 0X 0X", "0X 0X 1X 1X 0X 0X"},
      {"", "", "", "", "0X 0X 0X", "ZX ZX ZX"},  // empty values: all digits missing
      {"100011", "0110", "10", "0", "ZX 1H 0H 0L 0X 1X 0X", "ZX ZH ZX ZX ZX ZX ZX"},
      {std::nullopt, "101", std::nullopt, "1", "0H 0L 0H 0X", "0H ZL ZH ZL"},
  };
  for (const auto& c : cases) {
    ScanRecord record;
    record.length = 16;
    record.tdiBits = c.tdi;
    record.tdoBits = c.tdo;
    record.maskBits = c.mask;
    record.smaskBits = c.smask;
    for (bool standard : {false, true}) {
      settings.standardSvf = standard;
      const std::string& expected = standard ? c.standardBits : c.bits;
      const uint32_t n = static_cast<uint32_t>((expected.size() + 1) / 3);
      EXPECT_EQ(bitsText(record, n, true), expected) << "standard " << standard;
      EXPECT_EQ(bitsText(record, n, false), expected) << "standard " << standard;
    }
  }
}

// The retry loop leaves on one compared bit, executed as a predefined vector,
// so it is used only when that bit is a bit of SDR with TMS 0, TDI driven and
// TDO compared; every other scan is clocked plainly.
TEST_F(RetryDecision, RetryOffIdcodeCommentOrNoExpectedDataClockPlainly) {
  fill(SDR, "3", "5", "2", nullptr, nullptr);
  settings.retryMode = false;
  EXPECT_FALSE(retryLoopApplies());
  settings.retryMode = true;
  idcodeComment = true;
  EXPECT_FALSE(retryLoopApplies());
  idcodeComment = false;
  finishDrGroup();  // the scan used up its expected value
  fill(SDR, "3", "5", nullptr, nullptr, nullptr);
  EXPECT_FALSE(retryLoopApplies());
}

TEST_F(RetryDecision, CompareBitMustBeABitOfSdrWithTms0) {
  fill(SDR, "3", "5", "2", nullptr, nullptr);  // bit 1 (the default): TDI 0, expected H
  EXPECT_TRUE(retryLoopApplies());
  for (int outside : {3, 4, 1000, -1}) {
    settings.compareVector = outside;
    EXPECT_FALSE(retryLoopApplies()) << "compare bit " << outside;
  }
  settings.compareVector = 0;  // bit 0: TDI 1, expected L
  EXPECT_TRUE(retryLoopApplies());
  // The last data bit leaves Shift-DR unless trailer bits follow.
  settings.compareVector = 2;
  EXPECT_FALSE(retryLoopApplies());
  setRegisterLength(TDR, "1");
  EXPECT_TRUE(retryLoopApplies());
}

TEST_F(RetryDecision, CompareBitMustDriveTdiAndCompareTdo) {
  settings.compareVector = 5;
  fill(SDR, "8", "FF", "00", "FF", "FF");
  ASSERT_TRUE(retryLoopApplies());
  // TDI, TDO, MASK, SMASK, and why the loop is not used.
  const std::vector<std::array<const char*, 5>> cases = {
      {"FF", "00", nullptr, "DF", "SMASK 0 on the compare bit"},
      {"FF", "F", nullptr, nullptr, "TDO shorter than the compare bit"},
      {"FF", "", nullptr, nullptr, "empty TDO"},
      {"FF", "00", "DF", nullptr, "MASK 0 on the compare bit"},
  };
  for (const auto& c : cases) {
    releaseAllRegisters();
    fill(SDR, "8", c[0], c[1], c[2], c[3]);
    EXPECT_FALSE(retryLoopApplies()) << c[4];
  }
  // A bit with no TDI digit drives 0, so it can be the compare bit.
  for (const char* tdi : {static_cast<const char*>(nullptr), "F"}) {
    releaseAllRegisters();
    fill(SDR, "8", tdi, "00", nullptr, nullptr);
    EXPECT_TRUE(retryLoopApplies()) << (tdi ? tdi : "no TDI");
  }
}

}  // namespace
}  // namespace vantrel::testing
