// When the data bits of an SDR scan go through the tester's retry loop. The
// loop leaves on one compared bit, executed as a predefined vector, so it is
// used only when that bit is a bit of SDR with TMS 0, TDI driven and TDO
// compared; every other scan is clocked plainly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/settings.h"
#include "scan/registers.h"
#include "scan/retry_loop.h"
#include "support/sandbox.h"
#include "svf/statement_reader.h"

namespace vantrel::testing {
namespace {

class RetryDecision : public ::testing::Test {
 protected:
  void SetUp() override {
    settings = Settings{};
    releaseAllRegisters();
    idcodeComment = false;
  }
  void TearDown() override { SetUp(); }

  // An SDR statement; a null field is left out.
  static void sdr(const char* length, const char* tdi, const char* tdo, const char* mask = nullptr,
                  const char* smask = nullptr) {
    setRegisterLength(SDR, length);
    if (tdi) setTdi(tdi);
    if (tdo) setTdo(tdo);
    if (mask) setMask(mask);
    if (smask) setSmask(smask);
  }
};

TEST_F(RetryDecision, RetryOffIdcodeCommentOrNoExpectedDataClockPlainly) {
  sdr("3", "5", "2");
  settings.retryMode = false;
  EXPECT_FALSE(retryLoopApplies());
  settings.retryMode = true;
  idcodeComment = true;
  EXPECT_FALSE(retryLoopApplies());
  idcodeComment = false;
  finishDrGroup();  // the scan used up its expected value
  sdr("3", "5", nullptr);
  EXPECT_FALSE(retryLoopApplies());
}

TEST_F(RetryDecision, CompareBitMustBeABitOfSdrWithTms0) {
  sdr("3", "5", "2");  // bit 1: TDI 0, expected H
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
  sdr("8", "FF", "00", "FF", "FF");
  ASSERT_TRUE(retryLoopApplies());
  struct Case {
    const char *tdi, *tdo, *mask, *smask, *why;
  };
  const std::vector<Case> cases = {
      {nullptr, "00", nullptr, nullptr, "no TDI"},
      {"F", "00", nullptr, nullptr, "TDI shorter than the compare bit"},
      {"FF", "00", nullptr, "DF", "SMASK 0 on the compare bit"},
      {"FF", "F", nullptr, nullptr, "TDO shorter than the compare bit"},
      {"FF", "", nullptr, nullptr, "empty TDO"},
      {"FF", "00", "DF", nullptr, "MASK 0 on the compare bit"},
  };
  for (const Case& c : cases) {
    releaseAllRegisters();
    sdr("8", c.tdi, c.tdo, c.mask, c.smask);
    EXPECT_FALSE(retryLoopApplies()) << c.why;
  }
}

TEST_F(RetryDecision, ScanOutsideTheLoopIsWrittenAsWithRetryOff) {
  const std::vector<std::string> scans = {
      "SDR 3 TDI (5) TDO (2) MASK (5);\n",   // compare bit masked
      "SDR 3 TDI (5) TDO (2) SMASK (5);\n",  // compare bit not driven
      "SDR 2 TDI (1) TDO (2);\n",            // compare bit is the last
      "! read the idcode\nSDR 8 TDI (00) TDO (A5);\n",
  };
  for (const std::string& scan : scans) {
    const std::string svf = "STATE IDLE;\n" + scan + "SDR 4 TDI (0);\n";
    const Translation retry = translate(svf, {"-NC"});
    const Translation plain = translate(svf, {"-NC", "-NORETRY"});
    EXPECT_EQ(retry.outputs, plain.outputs) << scan;
    EXPECT_EQ(retry.outputs.at("out.v01").find("homingloop"), std::string::npos) << scan;
  }
  const Translation looped = translate("SDR 3 TDI (5) TDO (2);\n", {"-NC"});
  EXPECT_NE(looped.outputs.at("out.v01").find("homingloop 16 times"), std::string::npos);
}

}  // namespace
}  // namespace vantrel::testing
