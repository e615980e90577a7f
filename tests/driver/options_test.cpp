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

}  // namespace
}  // namespace vantrel::testing
