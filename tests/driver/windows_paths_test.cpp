// File names as Windows users write them: drive letters, backslashes, any
// case. Compiled for Windows only (the Windows test run under Wine); the
// golden cases marked windows-only show the same through whole runs.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <filesystem>

#include "support/sandbox.h"

namespace fs = std::filesystem;

namespace vantrel::testing {
namespace {

bool says(const Sandbox& sandbox, const std::string& text) {
  return sandbox.console().find(text) != std::string::npos;
}

TEST(WindowsPaths, DriveLettersAndBackslashes) {
  Sandbox sandbox;
  const std::string here = fs::current_path().string();  // C:\...\vantrel-test-...
  ASSERT_EQ(here.substr(1, 2), ":\\");
  sandbox.write("board.svf", "STATE IDLE;\r\nSIR 8 TDI (FE);\r\n");
  ASSERT_TRUE(fs::create_directory("sub"));

  EXPECT_EQ(sandbox.run({"-NC", here + "\\board.svf", here + "\\sub\\boardtest.out"}), 1);
  EXPECT_TRUE(says(sandbox, "Translation Successful 1 file generated.\n")) << sandbox.console();
  const std::string absolute = sandbox.read("sub/boardtes.v01");
  // A path relative to the current folder of drive C: (no backslash after it).
  EXPECT_EQ(sandbox.run({"-NC", "board.svf", here.substr(0, 2) + "sub\\boardtest.out"}), 1);
  EXPECT_EQ(normaliseClock(sandbox.read("sub/boardtes.v01")), normaliseClock(absolute));

  // A folder is no input, however it is named.
  EXPECT_EQ(sandbox.run({here + "\\sub", "out"}), 1);
  EXPECT_TRUE(says(sandbox, "Cannot open input file " + here + "\\sub!\n"));
  EXPECT_FALSE(sandbox.exists("out.v01"));
}

// Windows file names ignore case and take either slash: the output file is
// the input file in every spelling, and the input stays as it was.
TEST(WindowsPaths, InputNamedAsOutputInAnotherSpelling) {
  Sandbox sandbox;
  const std::string here = fs::current_path().string();
  sandbox.write("in.v01", "STATE IDLE;\n");
  std::string forward = here;
  for (char& c : forward)
    if (c == '\\') c = '/';
  const std::pair<std::string, std::string> spellings[] = {
      {"IN.out", "IN.v01"},
      {here + "\\In.svf", here + "\\In.v01"},
      {forward + "/in", forward + "/in.v01"},
      {here.substr(0, 2) + "in.x", here.substr(0, 2) + "in.v01"},  // drive C:, current folder
  };
  for (const auto& [output, file] : spellings) {
    EXPECT_EQ(sandbox.run({"in.v01", output}), 1);
    EXPECT_TRUE(says(sandbox, "Output file " + file + " is the input file!\n"))
        << output << "\n"
        << sandbox.console();
    EXPECT_EQ(sandbox.read("in.v01"), "STATE IDLE;\n");
  }
}

}  // namespace
}  // namespace vantrel::testing

#endif  // _WIN32
