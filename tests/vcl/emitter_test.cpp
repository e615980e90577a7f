// The vector lines: pin columns in the declared pcf order (TCK, TMS, TDI, TDO,
// TRST where the board has a TRST node, then the PIO pins), the comment part,
// and the execute form of the retry loop's compare vector.
#include "vcl/emitter.h"

#include <gtest/gtest.h>

#include <string>

#include "driver/settings.h"
#include "support/sandbox.h"
#include "tap/tap_state.h"
#include "vcl/output_files.h"
#include "vcl/pio.h"

namespace vantrel::testing {
namespace {

class EmitterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings = Settings{};
    resetTapModel();
    resetEmitter();
    resetOutputFiles();
    resetPio();
    currentState = IDLE;
    ASSERT_TRUE(outputFile.open("t.vcl"));
  }
  void TearDown() override { outputFile.close(); }

  // Everything written since the file was (re)opened, which it is again.
  std::string take() {
    outputFile.close();
    std::string text = sandbox.read("t.vcl");
    EXPECT_TRUE(outputFile.open("t.vcl"));
    return text;
  }

  // One TAP step with TDI not driven and TDO not compared.
  void cycle(char tms, std::string_view comment = {}) {
    writeTckLow(tms, 'Z', 'X');
    writeTckHigh(tms, 'Z', 'X', comment);
  }

  Sandbox sandbox;
};

TEST_F(EmitterTest, CommentsFollowTheCommentLevel) {
  cycle('1');
  writeTckLow('0', '1', 'H', "low text");
  writeTckHigh('0', '1', 'X', "bit 3");
  EXPECT_EQ(take(),
            "\"01ZX\" \n"
            "\"11ZX\" !Select-DR-Scan  \n"
            "\"001H\" !low text \n"
            "\"101X\" !Capture-DR bit 3 \n");
  EXPECT_EQ(vectorCount, 4);

  for (int mode : {0, 1}) {
    settings.commentMode = mode;
    currentState = IDLE;
    writeTckLow('1', 'Z', 'X', "low text");
    writeTckHigh('1', 'Z', 'X', "high text");
    EXPECT_EQ(take(), "\"01ZX\" \n\"11ZX\" \n") << "comment level " << mode;
    EXPECT_EQ(currentState, DRSELECT);
  }
}

TEST_F(EmitterTest, TrstColumnFollowsTheTrstLevelForOneCycle) {
  trstAssigned = true;
  cycle('1');  // no TRST statement yet: TRST is held high
  trstLevel = '0';
  writeTckLow('0', 'Z', 'X');
  EXPECT_EQ(currentState, RESET);
  writeTckHigh('0', 'Z', 'X');
  EXPECT_EQ(currentState, RESET);  // held in Test-Logic-Reset whatever TMS does
  cycle('1');
  trstLevel = 'Z';
  cycle('0');
  cycle('1');
  EXPECT_EQ(currentState, DRSELECT);  // an undriven TRST lets TMS move the controller
  EXPECT_EQ(take(),
            "\"01ZX1\" \n\"11ZX1\" !Select-DR-Scan  \n"
            "\"00ZX0\" \n\"10ZX0\" !Run-Test-Idle  \n"
            "\"01ZX1\" \n\"11ZX1\" !Test-Logic-Reset  \n"
            "\"00ZXZ\" \n\"10ZXZ\" !Run-Test-Idle  \n"
            "\"01ZX1\" \n\"11ZX1\" !Select-DR-Scan  \n");
}

TEST_F(EmitterTest, WithoutTrstNodeNoLineCarriesTrst) {
  for (char level : {'0', 'Z', '1', '\0'}) {
    currentState = IDLE;
    trstLevel = level;
    cycle('1');
    cycle('0');
    const bool heldInReset = level == '0';
    EXPECT_EQ(currentState, heldInReset ? IDLE : DRCAPTURE);
    EXPECT_EQ(take(), heldInReset ? "\"01ZX\" \n\"11ZX\" !Test-Logic-Reset  \n"
                                    "\"00ZX\" \n\"10ZX\" !Run-Test-Idle  \n"
                                  : "\"01ZX\" \n\"11ZX\" !Select-DR-Scan  \n"
                                    "\"00ZX\" \n\"10ZX\" !Capture-DR  \n")
        << "TRST level " << static_cast<int>(level);
  }
}

TEST_F(EmitterTest, PioColumnsOnPcfLinesOnly) {
  trstAssigned = true;
  PIOstring = "1L0\"";
  cycle('1', "pio");
  pcfMode = false;
  settings.commentMode = 0;
  writeTckLow('0', '1', 'L', " exit if pass");
  pcfMode = true;
  EXPECT_EQ(take(),
            "\"01ZX11L0\" \n"
            "\"11ZX11L0\" !Select-DR-Scan pio \n"
            "execute V001L1 exit if pass \n");
  EXPECT_EQ(vectorCount, 3);

  trstAssigned = false;
  pcfMode = false;
  writeTckLow('0', '0', 'H');
  EXPECT_EQ(take(), "execute V000H \n");
}

}  // namespace
}  // namespace vantrel::testing
