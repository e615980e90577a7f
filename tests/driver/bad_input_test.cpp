// Input a translator fed by many tools meets: each ends with the
// translator's own message and status 1, never a crash or a hang, and the
// input file is never changed.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/sandbox.h"

namespace vantrel::testing {
namespace {

bool says(const Translation& t, const std::string& text) {
  return t.console.find(text) != std::string::npos;
}

const char kSuccess[] = "Translation Successful 1 file generated.\n";
const char kTooLarge[] =
    "There is a command to large to process in this file!\n"
    "The maximum number of lines a single command can generate\n";

// Numbers past the 32-bit range stop at its limits; a statement that no file
// could take is refused before it writes; unbalanced parentheses end with
// their statement.
TEST(BadInput, NumbersOutOfRangeAndUnbalancedParentheses) {
  const struct {
    std::string svf;
    std::vector<std::string> options;
    const char* said;
    const char* written;  // in out.v01, when not null
  } cases[] = {
      {"",
       {"-VL", "99999999999", "-LC", "-99999999999"},
       "Maximum vector count per file is 2147483647.\nLoop Count is -2147483648.\n",
       nullptr},
      {"STATE IDLE;\n", {"-VL", "-99999999999", "-NC"}, "Successful 2 files generated.\n", nullptr},
      {"SDR -1 TDI (0);\n", {}, "\nInvalid length specified for SDR!\n", nullptr},
      {"hir -99999999999;\n", {}, "\nInvalid length specified for HIR!\n", nullptr},
      // A scan of 2147483647 bits would take a file past the count of its lines.
      {"SDR 99999999999;\n", {}, kTooLarge, nullptr},
      {"HDR 4294967296;\nSDR 8;\n", {}, kTooLarge, nullptr},
      {"RUNTEST -99999999999 TCK;\n", {}, "\nInvalid clock count on RUNTEST!\n", nullptr},
      {"RUNTEST 99999999999 TCK;\n", {}, kSuccess, "wait 2147.484\n"},
      {"RUNTEST 99999999999 TCK;\n", {"-NOCR"}, "RUNTEST command is too large!\n", nullptr},
      // A loop adjust that charges a file past the restart ceiling on every pass.
      {"SDR 8 TDI (0) TDO (0);\nSTATE IDLE;\n", {"-LA", "99999999999"}, kTooLarge, nullptr},
      {"STATE IDLE;\nSDR 8 TDI (0",
       {},
       "\nEnd of input file reached inside a statement!\n"
       "The last line read from input file was : \n\n   SDR 8 TDI (0 \n\n",
       nullptr},
      // A value left open ends with its statement; the next is read afresh.
      {"SDR 8 TDI (0F;\nSDR 8 TDI 0F) TDO (0F;\nSTATE IDLE;\n", {"-NC"}, kSuccess, nullptr},
      {"((((;\n))));\n()();\n", {}, kSuccess, nullptr},  // no pair at all
  };
  for (const auto& c : cases) {
    Translation t = translate(c.svf, c.options);
    EXPECT_EQ(t.status, 1);
    EXPECT_TRUE(says(t, c.said)) << c.svf << "\n" << t.console;
    if (c.written) {
      EXPECT_NE(t.outputs["out.v01"].find(c.written), std::string::npos) << c.svf;
    }
  }
}

TEST(BadInput, LongLinesControlBytesAndLineEnds) {
  const std::string hex(4 << 20, 'F');  // a value of 16 million bits on one line
  Translation longLine =
      translate("! " + std::string(3 << 20, 'c') + "\nSDR 64 TDI (" + hex + ");\n", {"-NC"});
  EXPECT_TRUE(says(longLine, kSuccess));
  // Its last bit drives 1 and leaves Shift-DR.
  EXPECT_NE(longLine.outputs["out.v01"].find("\"011X\" \n\"111X\" \n"), std::string::npos);

  // NUL and other control bytes are text like any other: skipped in hex
  // values, an unknown command elsewhere.
  static const char kBinary[] = "SDR 8 TDI (0\0F);\n\x01\x7f\x1b;\nST\0TE IDLE;\n";
  const std::string binary(kBinary, sizeof kBinary - 1);
  Translation control = translate(binary, {"-NC"});
  EXPECT_TRUE(says(control, kSuccess)) << control.console;
  EXPECT_TRUE(says(control, "\nINVALID COMMAND ENCOUNTERED!\n"));
  EXPECT_TRUE(says(translate(std::string("\0\0\0", 3)),
                   "\nEnd of input file reached inside a statement!\n"));

  // Carriage returns alone end lines, also across the reader's 64 KiB blocks.
  const std::string comment = "!" + std::string(65534, 'x') + "\r";
  Translation cr = translate(comment + "STATE IDLE;\r\rSDR 8 TDI (01);\r! end\r", {"-V"});
  EXPECT_TRUE(says(cr, "command: STATE\tparameter: IDLE\n"));
  EXPECT_TRUE(says(cr, "command: TDI\tparameter: 01\n"));
  EXPECT_TRUE(says(cr, kSuccess));
}

TEST(BadInput, FilesThatCannotBeUsed) {
  Sandbox sandbox;
  sandbox.write("in.svf", "STATE IDLE;\n");
  EXPECT_EQ(sandbox.run({"missing.svf", "out"}), 1);
  EXPECT_NE(sandbox.console().find("Cannot open input file missing.svf!\n"), std::string::npos);
  ASSERT_TRUE(std::filesystem::create_directory("folder"));
  EXPECT_EQ(sandbox.run({"folder", "out"}), 1);
  EXPECT_NE(sandbox.console().find("Cannot open input file folder!\n"), std::string::npos);
  EXPECT_FALSE(sandbox.exists("out.v01"));
  EXPECT_EQ(sandbox.run({"in.svf", "nowhere/out"}), 1);
  EXPECT_NE(sandbox.console().find("Cannot open output file nowhere/out.v01!\n"),
            std::string::npos);
#ifdef __linux__
  // Reading past the start of a process's memory fails: a read error, not an end.
  EXPECT_EQ(sandbox.run({"/proc/self/mem", "out"}), 1);
  // A report about the file as a whole names no line of it.
  const std::string unreadable = "Cannot read input file /proc/self/mem!\n";
  ASSERT_GE(sandbox.console().size(), unreadable.size());
  EXPECT_EQ(sandbox.console().substr(sandbox.console().size() - unreadable.size()), unreadable);
#endif
  EXPECT_EQ(sandbox.read("in.svf"), "STATE IDLE;\n");
}

}  // namespace
}  // namespace vantrel::testing
