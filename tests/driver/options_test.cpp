// The command line: every spelling of every option, values, and the errors
// that show the usage screen. The golden cases pin the confirmation and usage
// texts of the main spellings.
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

// Vector limit, loop count, loop adjust, TCK, TMS, TDI, TDO and TRST nodes, device.
std::string values() {
  const Settings& s = settings;
  return std::to_string(s.vectLimit) + " " + std::to_string(s.loopCount) + " " +
         std::to_string(s.loopAdjust) + " " + s.tckNode + "," + s.tmsNode + "," + s.tdiNode + "," +
         s.tdoNode + "," + s.trstNode + "," + s.defaultDevice;
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

TEST_F(Options, ValuesAreTakenFromTheNextArgument) {
  EXPECT_EQ(parse({}), "");
  EXPECT_EQ(values(), "200000 16 1 TCK,TMS,TDI,TDO,*,");
  EXPECT_EQ(settings.inputFileName + " " + settings.outputFileName, "in.svf out");
  // A value may begin with "-"; given twice, both are reported and the last wins.
  EXPECT_EQ(parse({"-VectLimit", "5000", "-LoopCount", " 12x", "-lc", "7", "-loopadjust", "-3"}),
            "Maximum vector count per file is 5000.\nLoop Count is 12.\nLoop Count is 7.\n"
            "Loop Adjust is -3.\n");
  EXPECT_EQ(values(), "5000 7 -3 TCK,TMS,TDI,TDO,*,");
  // Names keep their case and may be of any length.
  const std::string longName(200, 'N');
  EXPECT_EQ(parse({"-tcknode", "tck", "-TDINODE", "-TDI", "-trstnode", "TDO b", "-dd", longName}),
            "TCK node is tck.\nTDI node is -TDI.\nTRST node is TDO b.\nDefault Device is " +
                longName + ".\n");
  EXPECT_EQ(values(), "200000 16 1 tck,TMS,-TDI,TDO,TDO b," + longName);
  // The compared vector of a retried scan is the target's distance from the
  // end of the chain; a -CV value is reported and then replaced.
  EXPECT_EQ(parse({"-NumDevices", "3", "-targetdevice", "2", "-CMPVECT", "9"}),
            "Number of devices in boundary-scan chain is 3.\n"
            "The target device to operate on in the boundary-scan chain is 2.\n"
            "Compare Vector is 9.\n");
  EXPECT_EQ(settings.compareVector, 2);
  parse({"-nd", "2", "-TD", "3"});  // the target is checked against the count only at -ND
  EXPECT_EQ(settings.compareVector, 0);
}

TEST_F(Options, ErrorsShowTheUsageScreen) {
  const std::string usage = "ERROR: The source and destination file must be entered.\n";
  // The arguments, and what is printed before the usage screen.
  const std::pair<Args, std::string> cases[] = {
      {{"in.svf"}, ""},
      {{"-Quiet", "in.svf", "out", "-q"}, "Quiet Running.\n"},  // options come first
      {{"-in.svf", "out"}, ""},
      {{"-LC"}, ""},
      {{"-LC", "in.svf", "out"}, "Loop Count is 0.\n"},  // "in.svf" is its value
      {{"-", "in.svf", "out"}, ""},
      {{"-?", "in.svf", "out"}, ""},
      {{"-Help", "in.svf", "out"}, ""},
      {{"-TD", "0", "in.svf", "out"},
       "ERROR: The target device number must be greater than zero.\n"},
      {{"-nd", "0", "in.svf", "out"},
       "ERROR: The total number of devices in the chain must be greater than zero.\n"},
  };
  for (const auto& [args, before] : cases) {
    Args argv = args;
    argv.insert(argv.begin(), "vantrel");
    said();
    EXPECT_THROW(parseOptions(argv), RunStopped) << ::testing::PrintToString(args);
    EXPECT_EQ(said().substr(0, before.size() + usage.size()), before + usage)
        << ::testing::PrintToString(args);
  }
}

}  // namespace
}  // namespace vantrel::testing
