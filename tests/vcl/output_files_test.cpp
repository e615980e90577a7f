// The numbered output files: their names, the line count charged for the
// header, the split and the restart, and the ways writing them can fail that
// no golden case can show. The golden cases pin the header and closing lines.
#include "vcl/output_files.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <unistd.h>
#endif

#include "support/translator_state.h"

namespace vantrel::testing {
namespace {

using OutputFiles = TranslatorState;

TEST_F(OutputFiles, NamesKeepTheDirectoryAndEightCharacters) {
  const std::tuple<const char*, int, const char*> cases[] = {
      {"result.vcl", 9, "result.v09"},
      {"result.vcl", 10, "result.v10"},
      {"result.vcl", 100, "result.v100"},
      {"tests\\boundaryscan.out", 1, "tests\\boundary.v01"},  // a backslash is a separator
      {"dir.old\\run", 1, "dir.old\\run.v01"},                // the dot is in the directory
      {"x\\verylongname/f", 1, "x\\verylong.v01"},            // the last backslash wins
      {"a/  name.txt", 1, "a/  name.v01"},                    // blanks after it stay
      // Eight bytes of a UTF-8 name, never part of a character.
      {"Pr\xC3\xBC"
       "fungsbericht.out",
       1,
       "Pr\xC3\xBC"
       "fung.v01"},
      {"\xE6\xB5\x8B\xE8\xAF\x95\xE6\x8A\xA5\xE5\x91\x8A.svf", 2, "\xE6\xB5\x8B\xE8\xAF\x95.v02"},
      {"abcdefgh\xB0z", 1, "abcdefgh.v01"},  // not UTF-8 (a Latin-1 name): eight bytes
      // No name at all.
      {"out\\", 1, ""},
      {"dir/ \t", 1, ""},
      {"", 1, ""},
      {"   ", 1, ""},
  };
  for (const auto& [given, number, file] : cases)
    EXPECT_EQ(outputFilePath(given, number), file) << given << " number " << number;
}

// A split closes the unit of the file it leaves; a restart abandons the file
// as it stands and starts again from the first file, with no unit open.
TEST_F(OutputFiles, SplitClosesTheFileAndRestartAbandonsIt) {
  openOutputFile("out");
  EXPECT_EQ(vectorCount, 21);  // what the tester counts for the header
  outputFile.write("first\n");
  preambleWritten = true;
  openOutputFile("out");
  const std::string first = sandbox.read("out.v01");
  EXPECT_EQ(first.substr(first.size() - 24), "\nfirst\nend pcf\nend unit\n");
  EXPECT_FALSE(preambleWritten);
  outputFile.write("second\n");
  preambleWritten = true;
  vectorCount = 500;
  restartOutput("out");
  outputFile.close();
  const std::string second = sandbox.read("out.v02");
  EXPECT_EQ(second.substr(second.size() - 9), "\n\nsecond\n");
  EXPECT_EQ(sandbox.read("out.v01").find("first"), std::string::npos);
  EXPECT_EQ(fileNumber, 2);
  EXPECT_EQ(vectorCount, 21);
  EXPECT_FALSE(preambleWritten);
}

// Whole runs: the run closes the files itself, so failures show at the end.
TEST_F(OutputFiles, InputFileIsNeverOverwrittenEvenAtASplit) {
  sandbox.write("y.v02", "FOO 1;\n");
  EXPECT_EQ(sandbox.run({"-VL", "10", "y.v02", "y"}), 1);
  EXPECT_NE(sandbox.console().find("Output file y.v02 is the input file!\n"), std::string::npos);
  EXPECT_EQ(sandbox.read("y.v02"), "FOO 1;\n");
  const std::string first = sandbox.read("y.v01");
  EXPECT_EQ(first.substr(first.size() - 17), "end pcf\nend unit\n");
}

// Files of an earlier run are named only after a successful translation,
// and the input is never taken for one, whatever its name.
TEST_F(OutputFiles, EarlierRunNamedOnlyAfterSuccessAndNeverTheInput) {
  sandbox.write("out.v02", "earlier\n");
  sandbox.write("bad.svf", "SDR -1;\n");
  EXPECT_EQ(sandbox.run({"bad.svf", "out"}), 1);
  EXPECT_EQ(sandbox.console().find("Note:"), std::string::npos) << sandbox.console();
  sandbox.write("y.v02", "STATE IDLE;\n");
  EXPECT_EQ(sandbox.run({"y.v02", "y"}), 1);
  EXPECT_NE(sandbox.console().find("Translation Successful 1 file generated.\n"),
            std::string::npos);
  EXPECT_EQ(sandbox.console().find("Note:"), std::string::npos) << sandbox.console();
  EXPECT_EQ(sandbox.read("out.v02"), "earlier\n");
}

#ifdef __linux__
// /dev/full takes no byte: every write fails as on a full disk.
TEST_F(OutputFiles, WriteFailureStopsTheRun) {
  sandbox.write("in.svf", "FOO 1;\n");
  ASSERT_EQ(symlink("/dev/full", "out.v01"), 0);
  for (const char* limit : {"200000", "10"}) {
    EXPECT_EQ(sandbox.run({"-VL", limit, "in.svf", "out"}), 1);
    EXPECT_NE(sandbox.console().find("Cannot write output file out.v01!\n"), std::string::npos);
    EXPECT_EQ(sandbox.console().find("Translation Successful"), std::string::npos);
    // At a split the failed file stops the run before the next one is made.
    EXPECT_FALSE(sandbox.exists("out.v02"));
  }
}
#endif

}  // namespace
}  // namespace vantrel::testing
