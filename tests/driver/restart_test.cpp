// A file that reaches 300000 lines makes the translation start over from the
// first file, splitting 25000 lines earlier at every restart.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/sandbox.h"

namespace vantrel::testing {
namespace {

std::string zeros(size_t hexDigits) { return std::string(hexDigits, '0'); }

// Each scan of 100000 bits writes 200010 lines. With a limit of 310000 the
// second scan of a file takes it past 300000, five times, until the margin of
// 125000 makes every scan start a file of its own.
TEST(Restart, FinalPassEqualsAFreshRunWithTheTighterLimit) {
  std::string svf = "PIOMAP (IN A);\nENDDR IDLE;\nSTATE IDLE;\n";
  for (int i = 0; i < 3; ++i) svf += "SDR 100000 TDI (" + zeros(25000) + ");\n";
  svf += "TRST ON;\nPIO (H);\n";

  Translation restarted = translate(svf, {"-Q", "-NC", "-NORETRY", "-VL", "310000"});
  Translation fresh = translate(svf, {"-Q", "-NC", "-NORETRY", "-VL", "185000"});

  EXPECT_NE(restarted.console.find("Translation Successful 4 files generated.\n"),
            std::string::npos)
      << restarted.console;
  ASSERT_EQ(restarted.outputs.size(), 4u);
  EXPECT_TRUE(restarted.outputs == fresh.outputs);
}

// The scan that takes a file past the ceiling may be the last statement: the
// end of the input restarts the translation as the next statement would, and
// no file the tester cannot take is left behind.
TEST(Restart, TheLastStatementRestartsTooAndEveryFileStaysUnderTheCeiling) {
  std::string svf = "STATE IDLE;\n";
  for (int i = 0; i < 2; ++i) svf += "SDR 100000 TDI (" + zeros(25000) + ");\n";

  Translation restarted = translate(svf, {"-Q", "-NC", "-NORETRY", "-VL", "310000"});
  Translation fresh = translate(svf, {"-Q", "-NC", "-NORETRY", "-VL", "185000"});

  EXPECT_NE(restarted.console.find("Translation Successful 2 files generated.\n"),
            std::string::npos)
      << restarted.console;
  for (const auto& [name, content] : restarted.outputs)
    EXPECT_LT(std::count(content.begin(), content.end(), '\n'), 300000) << name;
  EXPECT_TRUE(restarted.outputs == fresh.outputs);
}

TEST(Restart, ACommandTooLargeForAnyFileEndsTheRunAfterTwelveRestarts) {
  Translation t =
      translate("SDR 160000 TDI (" + zeros(40000) + ");\nSTATE IDLE;\n", {"-Q", "-NC", "-NORETRY"});
  EXPECT_EQ(t.status, 1);
  const std::string expected =
      "There is a command to large to process in this file!\n"
      "The maximum number of lines a single command can generate\n"
      "is 200000!\n"
      "Use -SPLITSCANS to continue a scan too long for one file in the next files.\n"
      "At line 1 of input.svf.\n"
      "This file translates in full with -STDSVF -SPLITSCANS.\n";
  ASSERT_GE(t.console.size(), expected.size());
  EXPECT_EQ(t.console.substr(t.console.size() - expected.size()), expected);
  // The last pass had written its header when it stopped, nothing more.
  const std::string& first = t.outputs["out.v01"];
  EXPECT_EQ(first.find("end unit"), std::string::npos);
  EXPECT_EQ(first.find("unit \"Test\""), std::string::npos);
}

}  // namespace
}  // namespace vantrel::testing
