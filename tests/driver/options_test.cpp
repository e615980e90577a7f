// The command line: every spelling of every flag option, in any case. The
// golden cases pin the values, the confirmation and usage texts and the errors
// that show the usage screen.
#include "driver/options.h"

#include <gtest/gtest.h>

#include "support/translator_state.h"

namespace vantrel::testing {
namespace {

using Args = std::vector<std::string>;

class Options : public TranslatorState {
 protected:
  // Parses `options` followed by the two file names; returns the console text.
  std::string parse(Args options) {
    said();
    options.insert(options.begin(), "vantrel");
    options.insert(options.end(), {"in.svf", "out"});
    parseOptions(options);
    return said();
  }
};

// Comment mode, verbosity, wait comments, RUNTEST conversion, retry mode, cut
// scans.
std::string flags() {
  const Settings& s = settings;
  return "c" + std::to_string(s.commentMode) + " v" + std::to_string(s.verbosity) + " w" +
         std::to_string(s.waitComments) + " r" + std::to_string(s.convertRuntest) + " l" +
         std::to_string(s.retryMode) + " s" + std::to_string(s.splitScans);
}

TEST_F(Options, EverySpellingInAnyCase) {
  const struct {
    Args options;
    std::string said, flags;
  } cases[] = {
      {{"-nocomments", "-q", "-VERIFY", "-Retry"},
       "No Comments\nQuiet Running.\nDisable Retry Mode.\nEnable Retry Mode.\n",
       "c0 v0 w0 r1 l1 s0"},
      {{"-cc", "-verbose", "-WaitComment", "-NoConvertRunTest", "-noloop"},
       "Command Comments\nVerbose Output.\nConvert wait comments to waits.\n"
       "Dont convert RUNTESTS to waits.\nDisable Retry Mode.\n",
       "c1 v2 w1 r0 l0 s0"},
      {{"-NC", "-FullComments", "-VeryVerbose", "-wc", "-NoWaitComment", "-nocr", "-convertruntest",
        "-noretry", "-NoVerify"},
       "No Comments\nFull Comments\nVery Verbose Output.\nConvert wait comments to waits.\n"
       "Dont convert wait comments to waits.\nDont convert RUNTESTS to waits.\n"
       "Convert RUNTESTS to waits.\nDisable Retry Mode.\nEnable Retry Mode.\n",
       "c2 v3 w0 r1 l1 s0"},
      {{"-ss", "-SplitScans"},
       "Split long scans across output files.\nSplit long scans across output files.\n",
       "c2 v1 w0 r1 l1 s1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(parse(c.options), c.said) << ::testing::PrintToString(c.options);
    EXPECT_EQ(flags(), c.flags) << ::testing::PrintToString(c.options);
  }
}

// -KC takes a whole number of 0 or more; anything else (a sign, a letter,
// nothing, a number past the largest count) shows the usage screen.
TEST_F(Options, KeepClocksTakesAWholeNumber) {
  EXPECT_EQ(parse({"-kc", "0", "-KeepClocks", "65536"}),
            "Keep up to 0 clocks of each RUNTEST as TCK cycles.\n"
            "Keep up to 65536 clocks of each RUNTEST as TCK cycles.\n");
  EXPECT_EQ(settings.keepClocks, 65536);
  EXPECT_EQ(parse({"-KC", "2147483647"}),
            "Keep up to 2147483647 clocks of each RUNTEST as TCK cycles.\n");
  for (const char* bad : {"-1", "+5", "1x", "", "2147483648", "99999999999"}) {
    EXPECT_THROW(parse({"-KC", bad}), RunStopped) << bad;
    const std::string text = said();
    EXPECT_EQ(text.rfind("ERROR: The clocks to keep must be a whole number of 0 or more.\n", 0), 0u)
        << bad << text;
    EXPECT_NE(text.find("-KC # or -KEEPCLOCKS # {0}"), std::string::npos) << bad;
  }
}

}  // namespace
}  // namespace vantrel::testing
