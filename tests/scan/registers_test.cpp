// How SVF hex values become binary-digit strings, and which SDR scans go
// through the tester's retry loop. The golden cases pin the bits of every
// scan and which values a scan uses up.
#include "scan/registers.h"

#include <gtest/gtest.h>

#include "scan/retry_loop.h"
#include "support/translator_state.h"

namespace vantrel::testing {
namespace {

using Bits = std::optional<std::string>;
using ScanRegisters = TranslatorState;

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

// The retry loop leaves on one compared bit, executed as a predefined vector,
// so it is used only when that bit is a bit of SDR with TMS 0, TDI driven and
// TDO compared; every other scan is clocked plainly.
TEST_F(ScanRegisters, RetryLoopOnlyWhenTheCompareBitFormsAPredefinedVector) {
  const struct {
    const char *tdi, *tdo, *mask, *smask;
    int compareBit;
    const char* trailer;
    bool retried;
  } cases[] = {
      {"5", "2", nullptr, nullptr, 1, "0", true},  // bit 1: TDI 0, expected H
      {"5", "2", nullptr, nullptr, 0, "0", true},  // bit 0: TDI 1, expected L
      // The last data bit leaves Shift-DR, unless trailer bits follow.
      {"5", "2", nullptr, nullptr, 2, "0", false},
      {"5", "2", nullptr, nullptr, 2, "1", true},
      {"5", "2", nullptr, nullptr, 3, "1", false},  // not a bit of SDR
      {"5", "2", nullptr, nullptr, -1, "0", false},
      {"5", nullptr, nullptr, nullptr, 1, "0", false},  // nothing expected
      {"7", "2", nullptr, "5", 1, "0", false},          // SMASK 0: TDI not driven
      {"7", "2", "5", nullptr, 1, "0", false},          // MASK 0: not compared
      {"7", "", nullptr, nullptr, 1, "0", false},       // no TDO digit for the bit
      {nullptr, "2", nullptr, nullptr, 1, "0", true},   // no TDI digit: drives 0
  };
  for (const auto& c : cases) {
    releaseAllRegisters();
    setRegisterLength(TDR, c.trailer);
    setRegisterLength(SDR, "3");
    if (c.tdi) setTdi(c.tdi);
    if (c.tdo) setTdo(c.tdo);
    if (c.mask) setMask(c.mask);
    if (c.smask) setSmask(c.smask);
    settings.compareVector = c.compareBit;
    EXPECT_EQ(retryLoopApplies(), c.retried)
        << "compare bit " << c.compareBit << " TDI " << (c.tdi ? c.tdi : "-") << " TDO "
        << (c.tdo ? c.tdo : "-");
  }
  // Neither with retry mode off nor under an idcode comment.
  settings.retryMode = false;
  EXPECT_FALSE(retryLoopApplies());
  settings.retryMode = true;
  idcodeComment = true;
  EXPECT_FALSE(retryLoopApplies());
}

}  // namespace
}  // namespace vantrel::testing
