// The command line: options, their confirmation lines and the usage screen.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "driver/console.h"
#include "driver/run_stop.h"
#include "driver/settings.h"
#include "support/sandbox.h"

namespace vantrel::testing {
namespace {

using Args = std::vector<std::string>;

class Options : public ::testing::Test {
 protected:
  void SetUp() override { consoleStream = &console; }
  void TearDown() override {
    consoleStream = nullptr;
    settings = Settings{};
  }
  // Parses `options` followed by the two file names; returns the console text.
  std::string parse(Args options) {
    console.str("");
    options.insert(options.begin(), "vantrel");
    options.push_back("in.svf");
    options.push_back("out");
    parseOptions(options);
    return console.str();
  }
  std::ostringstream console;
};

// The on/off settings in one line: comment mode, verbosity, wait comments,
// RUNTEST conversion, retry mode.
std::string flags() {
  const Settings& s = settings;
  return "c" + std::to_string(s.commentMode) + " v" + std::to_string(s.verbosity) + " w" +
         std::to_string(s.waitComments) + " r" + std::to_string(s.convertRuntest) + " l" +
         std::to_string(s.retryMode);
}

// The value settings in one line: vector limit, loop count, loop adjust, then
// the TCK, TMS, TDI, TDO and TRST node names and the default device.
std::string values() {
  const Settings& s = settings;
  return std::to_string(s.vectLimit) + " " + std::to_string(s.loopCount) + " " +
         std::to_string(s.loopAdjust) + " " + s.tckNode + "," + s.tmsNode + "," + s.tdiNode + "," +
         s.tdoNode + "," + s.trstNode + "," + s.defaultDevice;
}

TEST_F(Options, FlagsInAnyCase) {
  struct Case {
    Args options;
    std::string confirmation;
    std::string flags;
  };
  const Case cases[] = {
      {{}, "", "c2 v1 w0 r1 l1"},
      {{"-nc"}, "No Comments\n", "c0 v1 w0 r1 l1"},
      {{"-CommandComments"}, "Command Comments\n", "c1 v1 w0 r1 l1"},
      {{"-NC", "-fullcomments"}, "No Comments\nFull Comments\n", "c2 v1 w0 r1 l1"},
      {{"-q"}, "Quiet Running.\n", "c2 v0 w0 r1 l1"},
      {{"-v"}, "Verbose Output.\n", "c2 v2 w0 r1 l1"},
      {{"-VeryVerbose"}, "Very Verbose Output.\n", "c2 v3 w0 r1 l1"},
      {{"-wc"}, "Convert wait comments to waits.\n", "c2 v1 w1 r1 l1"},
      {{"-WAITCOMMENT", "-NoWc"},
       "Convert wait comments to waits.\nDont convert wait comments to waits.\n",
       "c2 v1 w0 r1 l1"},
      {{"-nocr"}, "Dont convert RUNTESTS to waits.\n", "c2 v1 w0 r0 l1"},
      {{"-NOCONVERTRUNTEST", "-cr"},
       "Dont convert RUNTESTS to waits.\nConvert RUNTESTS to waits.\n",
       "c2 v1 w0 r1 l1"},
      {{"-noretry", "-Loop", "-noLoop"},
       "Disable Retry Mode.\nEnable Retry Mode.\nDisable Retry Mode.\n",
       "c2 v1 w0 r1 l0"},
      {{"-VERIFY", "-NoVerify"}, "Disable Retry Mode.\nEnable Retry Mode.\n", "c2 v1 w0 r1 l1"},
      {{"-verify", "-retry"}, "Disable Retry Mode.\nEnable Retry Mode.\n", "c2 v1 w0 r1 l1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(parse(c.options), c.confirmation) << c.options[0];
    EXPECT_EQ(flags(), c.flags) << c.options[0];
  }
}

TEST_F(Options, ValuesAreTakenFromTheNextArgument) {
  EXPECT_EQ(parse({}), "");
  EXPECT_EQ(values(), "200000 16 1 TCK,TMS,TDI,TDO,*,");
  EXPECT_EQ(settings.inputFileName + " " + settings.outputFileName, "in.svf out");
  // Text that is not a number reads as 0; the value may begin with "-".
  EXPECT_EQ(parse({"-vl", "5000", "-LC", "abc", "-loopadjust", "-3"}),
            "Maximum vector count per file is 5000.\nLoop Count is 0.\nLoop Adjust is -3.\n");
  EXPECT_EQ(values(), "5000 0 -3 TCK,TMS,TDI,TDO,*,");
  // Given twice: both reported, the last wins.
  EXPECT_EQ(parse({"-lc", " 12x", "-LoopCount", "7"}), "Loop Count is 12.\nLoop Count is 7.\n");
  EXPECT_EQ(values(), "200000 7 1 TCK,TMS,TDI,TDO,*,");
  // Names keep their case and may be of any length.
  const std::string longName(200, 'N');
  EXPECT_EQ(parse({"-TCKNODE", "TCK_1", "-tmsnode", "tms", "-TDINODE", "-TDI", "-tdonode", "TDO b",
                   "-TRSTNODE", "nTRST", "-DefaultDevice", longName}),
            "TCK node is TCK_1.\nTMS node is tms.\nTDI node is -TDI.\nTDO node is TDO b.\n"
            "TRST node is nTRST.\nDefault Device is " +
                longName + ".\n");
  EXPECT_EQ(values(), "200000 16 1 TCK_1,tms,-TDI,TDO b,nTRST," + longName);
  EXPECT_EQ(parse({"-dd", "U7"}), "Default Device is U7.\n");
}

// The compared vector of a retried scan is the target's distance from the
// end of the chain; a -CV value is reported and then replaced.
TEST_F(Options, CompareVectorFollowsTheDeviceNumbers) {
  EXPECT_EQ(parse({"-cv", "7"}), "Compare Vector is 7.\n");
  EXPECT_EQ(settings.compareVector, 1);
  EXPECT_EQ(parse({"-NumDevices", "3", "-td", "2", "-CMPVECT", "9"}),
            "Number of devices in boundary-scan chain is 3.\n"
            "The target device to operate on in the boundary-scan chain is 2.\n"
            "Compare Vector is 9.\n");
  EXPECT_EQ(settings.compareVector, 2);
  // The target is checked against the count only when -ND is read.
  parse({"-ND", "2", "-TARGETDEVICE", "3"});
  EXPECT_EQ(settings.targetDevice, 3);
  EXPECT_EQ(settings.compareVector, 0);
}

TEST_F(Options, ErrorsShowTheUsageScreen) {
  const std::string usage =
      "ERROR: The source and destination file must be entered.\nExample syntax is:\n"
      "\t./bin/vantrel [options] inputFile outputFile \n\n Valid options case does not matter.\n";
  struct Case {
    Args args;
    std::string error;  // printed before the usage screen
  };
  const Case cases[] = {
      {{}, ""},
      {{"in.svf"}, ""},
      {{"-Quiet", "in.svf", "out", "-q"}, "Quiet Running.\n"},  // options come first
      {{"-in.svf", "out"}, ""},
      {{"-LC"}, ""},
      {{"-LC", "in.svf", "out"}, "Loop Count is 0.\n"},  // "in.svf" is its value
      {{"-bogus", "in.svf", "out"}, ""},
      {{"-", "in.svf", "out"}, ""},
      {{"-?", "in.svf", "out"}, ""},
      {{"-TD", "0", "in.svf", "out"},
       "ERROR: The target device number must be greater than zero.\n"},
      {{"-nd", "0", "in.svf", "out"},
       "ERROR: The total number of devices in the chain must be greater than zero.\n"},
      {{"-TD", "3", "-ND", "2", "in.svf", "out"},
       "The target device to operate on in the boundary-scan chain is 3.\n"
       "ERROR: The target device must be greater than zero\n"
       "and not more than than the total number of devices in the chain.\n"},
  };
  for (const Case& c : cases) {
    console.str("");
    Args args = c.args;
    args.insert(args.begin(), "./bin/vantrel");
    EXPECT_THROW(parseOptions(args), RunStopped) << ::testing::PrintToString(c.args);
    EXPECT_EQ(console.str().substr(0, c.error.size() + usage.size()), c.error + usage)
        << ::testing::PrintToString(c.args);
  }

  // The program itself: banner, usage screen, status 1, no files made.
  Sandbox sandbox;
  EXPECT_EQ(sandbox.run({"only-one"}), 1);
  EXPECT_NE(sandbox.console().find("\tvantrel [options] inputFile outputFile \n\n"),
            std::string::npos);
  EXPECT_EQ(sandbox.files().size(), 0u);
}

}  // namespace
}  // namespace vantrel::testing
