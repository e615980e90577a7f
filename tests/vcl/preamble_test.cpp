// The unit preamble: pin declarations, the Scan and Parallel pcf orders, the
// predefined compare vectors, and the opening of the unit and its pcf block.
#include "vcl/preamble.h"

#include <gtest/gtest.h>

#include <string>

#include "driver/settings.h"
#include "support/sandbox.h"
#include "tap/tap_state.h"
#include "vcl/emitter.h"
#include "vcl/output_files.h"
#include "vcl/pio.h"

namespace vantrel::testing {
namespace {

// One predefined vector: TCK and TMS low, TDI driven, TDO compared, and TRST
// where the board has a TRST node. Its name spells the levels.
std::string vectorBlock(char tdi, char tdo, char trst) {
  std::string block = std::string("vector V00") + tdi + (tdo == '1' ? 'H' : 'L');
  if (trst) block += trst;
  block += std::string("\n   set TCK  to \"0\"\n   set TMS  to \"0\"\n   set TDI  to \"") + tdi +
           "\"\n   set TDO  to \"" + tdo + "\"\n";
  if (trst) block += std::string("   set TRST to \"") + trst + "\"\n";
  return block + "end vector\n\n";
}

const std::string kUnitOpening =
    "!!-------End Vector Defs------------\n\n\n"
    "\nunit \"Test\"\n"
    "pcf\n"
    "use pcf order Scan\n";

class PreambleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings = Settings{};
    resetTapModel();
    resetEmitter();
    resetOutputFiles();
    resetPio();
    ASSERT_TRUE(outputFile.open("t.vcl"));
    vectorCount = 21;
  }
  void TearDown() override { outputFile.close(); }

  std::string written() {
    writeUnitPreamble();
    outputFile.close();
    EXPECT_TRUE(preambleWritten);
    return sandbox.read("t.vcl");
  }

  Sandbox sandbox;
};

TEST_F(PreambleTest, WithoutTrstNodeOrPioMap) {
  std::string vectors;
  for (char tdo : {'1', '0'})
    for (char tdi : {'0', '1'}) vectors += vectorBlock(tdi, tdo, '\0');
  EXPECT_EQ(written(),
            "\ninputs TCK, TMS, TDI\n"
            "outputs TDO\n"
            "pcf order default Scan is TCK, TMS, TDI, TDO\n"
            "\n\n!!-------Vector Defs------------\n\n" +
                vectors + kUnitOpening);
  EXPECT_EQ(vectorCount, 21 + 106);
}

TEST_F(PreambleTest, TrstNodeAddsTheColumnAndTwelveVectors) {
  trstAssigned = true;
  std::string vectors;
  for (char trst : {'1', '0', 'Z'})
    for (char tdo : {'1', '0'})
      for (char tdi : {'0', '1'}) vectors += vectorBlock(tdi, tdo, trst);
  EXPECT_EQ(written(),
            "\ninputs TCK, TMS, TDI, TRST\n"
            "outputs TDO\n"
            "pcf order default Scan is TCK, TMS, TDI, TDO, TRST\n"
            "\n\n!!-------Vector Defs------------\n\n" +
                vectors + kUnitOpening);
  EXPECT_EQ(vectorCount, 21 + 106);
}

TEST_F(PreambleTest, PioMapDeclaresItsPinsAndTheParallelOrder) {
  pioNames = {"P1", "P2", "P3"};
  const std::string text = written();
  EXPECT_EQ(text.substr(0, text.find("outputs TDO")),
            "assign P1 to nodes \"P1\" \n"
            "assign P2 to nodes \"P2\" \n"
            "assign P3 to nodes \"P3\" \n"
            "bidirectional P1, P2, P3\n"
            "inputs TCK, TMS, TDI\n");
  EXPECT_NE(text.find("pcf order default Scan is TCK, TMS, TDI, TDO\n"
                      "pcf order Parallel is TCK, TMS, TDI, TDO, P1, P2, P3\n"
                      "\n!!-------Vector Defs"),
            std::string::npos);
  EXPECT_EQ(text.substr(text.size() - kUnitOpening.size()), kUnitOpening);
  EXPECT_EQ(vectorCount, 21 + 111);

  ASSERT_TRUE(outputFile.open("t.vcl"));
  trstAssigned = true;
  pioNames = {"DONE"};
  const std::string withTrst = written();
  EXPECT_EQ(withTrst.substr(0, withTrst.find("outputs TDO")),
            "assign DONE to nodes \"DONE\" \nbidirectional DONE\ninputs TCK, TMS, TDI, TRST\n");
  EXPECT_NE(withTrst.find("\npcf order Parallel is TCK, TMS, TDI, TDO, TRST, DONE\n\n!!"),
            std::string::npos);
  EXPECT_EQ(vectorCount, 21 + 111 + 109);
}

}  // namespace
}  // namespace vantrel::testing
