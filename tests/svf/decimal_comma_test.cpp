// Real numbers written with a decimal comma ("1,00E-03"), as tools run under
// such a locale write them: with -STDSVF they are read where the SVF standard
// wants a real number (the RUNTEST times, the FREQUENCY value), never in a
// count, and the first of a run is noted on the console.
#include <gtest/gtest.h>

#include "support/sandbox.h"

namespace vantrel::testing {
namespace {

const char kNote[] = "Note: a decimal comma is read as a decimal point.\n";
const char kRefused[] = "\nUnsupported RUNTEST form!\n";

int occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(DecimalComma, ReadWhereTheStandardWantsARealNumber) {
  const struct {
    const char* svf;
    const char* said;  // the note and its line, or a refusal
    const char* wait;  // the tester wait the run wrote, if any
  } cases[] = {
      {"STATE IDLE;\nRUNTEST 1,5E-4 SEC;\n",
       "Note: a decimal comma is read as a decimal point.\n"
       "At line 2 of input.svf.\n",
       "wait 150u\n"},
      {"RUNTEST IDLE 2 TCK 1,00E-03 SEC;\n", kNote, "wait 998u\n"},
      {"RUNTEST 2 SEC MAXIMUM 2,5 SEC;\n", kNote, "wait 2.000\n"},
      {"RUNTEST ,5 SEC ENDSTATE IDLE;\n", kNote, "wait 500.000m\n"},
      {"FREQUENCY 1,5E6 HZ;\n", kNote, ""},
      // A count: a comma there may separate thousands.
      {"RUNTEST 1,000 TCK;\n", kRefused, ""},
      {"RUNTEST 1,5 SCK 1 SEC;\n", kRefused, ""},
      // One comma in place of the point, and no more.
      {"RUNTEST 1,0,5 SEC;\n", kRefused, ""},
      {"RUNTEST 1.0,5 SEC;\n", kRefused, ""},
      {"RUNTEST 1E,3 SEC;\n", kRefused, ""},
  };
  for (const auto& c : cases) {
    Translation t = translate(c.svf, {"-STDSVF", "-NC"});
    EXPECT_NE(t.console.find(c.said), std::string::npos) << c.svf << t.console;
    const bool refused = std::string(c.said) == kRefused;
    EXPECT_EQ(occurrences(t.console, kNote), refused ? 0 : 1) << c.svf << t.console;
    if (*c.wait) {
      EXPECT_NE(t.outputs["out.v01"].find(c.wait), std::string::npos) << c.svf;
    }
  }
  // A FREQUENCY value that is no number is passed over as before, unnoted.
  Translation words = translate("FREQUENCY 1,5,0 HZ;\nFREQUENCY 1.5E6 HZ;\n", {"-STDSVF", "-NC"});
  EXPECT_EQ(occurrences(words.console, "Note:"), 0) << words.console;
}

// The run goes past 300000 lines in its first file and starts over, reading
// the first statements again: the note stays the first pass's.
TEST(DecimalComma, NotedOnceARunRestartsIncluded) {
  std::string svf = "RUNTEST 1,5E-4 SEC;\nRUNTEST 2,5E-4 SEC;\n";
  for (int i = 0; i < 2; ++i) svf += "SDR 100000 TDI (" + std::string(25000, '0') + ");\n";
  Translation t = translate(svf, {"-STDSVF", "-Q", "-NC", "-NORETRY", "-VL", "310000"});
  EXPECT_EQ(occurrences(t.console, kNote), 1) << t.console;
  EXPECT_NE(t.console.find(std::string(kNote) + "At line 1 of input.svf.\n"
                                                "Translation Successful 2 files generated.\n"),
            std::string::npos)
      << t.console;
}

}  // namespace
}  // namespace vantrel::testing
