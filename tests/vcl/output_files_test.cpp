// The numbered output files: their names, and a way writing them can fail
// that no golden case can show. The golden cases pin the header, the closing
// lines, the split, the restart and the files a run refuses to overwrite.
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
      {"abcdef\xE0\xA0\x80.svf", 1, "abcdef.v01"},    // U+0800, the first of three bytes
      {"abcde\xF0\x9F\x98\x80.svf", 1, "abcde.v01"},  // an emoji, four bytes
      {"abcdefgh\xB0z", 1, "abcdefgh.v01"},           // not UTF-8 (a Latin-1 name): eight bytes
      // No name at all.
      {"out\\", 1, ""},
      {"dir/ \t", 1, ""},
      {"", 1, ""},
      {"   ", 1, ""},
  };
  for (const auto& [given, number, file] : cases)
    EXPECT_EQ(outputFilePath(given, number), file) << given << " number " << number;
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
