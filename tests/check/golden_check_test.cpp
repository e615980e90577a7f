// Every golden case run once more with -CHECK: its files are the same bytes,
// its console the same text but for the confirmation line and, before
// "Translation Successful", the check's lines; and the check passes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "support/golden_cases.h"
#include "support/sandbox.h"

namespace fs = std::filesystem;

namespace vantrel::testing {
namespace {

const std::string kBanner = "\nvantrel - SVF to VCL Translator - Version: 1.43\n\n";
const std::string kConfirmation = "Check the output files against the SVF after translation.\n";

// The console without the check's own lines; `checked` tells whether the
// check's summary was among them.
std::string withoutCheckLines(const std::string& console, bool& checked) {
  std::istringstream lines(console);
  std::string kept;
  checked = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("Checked ", 0) == 0) checked = true;
    if (line.rfind("Checked ", 0) != 0 && line.rfind("Tester time: ", 0) != 0 &&
        line.rfind("Up to ", 0) != 0)
      kept += line + "\n";
  }
  if (!console.empty() && console.back() != '\n' && !kept.empty()) kept.pop_back();
  return kept;
}

TEST(GoldenCheck, EveryCasePassesAndKeepsItsFilesAndConsole) {
  int checked = 0;
  for (const std::string& name : goldenCaseNames()) {
    const GoldenCase c = loadGoldenCase(name, VANTREL_CORPUS_DIR);
    if (!reasonToSkip(c, false).empty()) continue;
    if (std::find(c.args.begin(), c.args.end(), "-CHECK") != c.args.end()) continue;
    std::vector<std::string> args = c.args;
    args.insert(args.begin(), "-CHECK");
    const CaseRun run = runCase(c, args);
    const std::string expectedConsole = readFile(c.folder + "/console.txt");
    bool summary = false;
    const std::string console = withoutCheckLines(run.console, summary);
    EXPECT_EQ(console, expectedConsole.substr(0, kBanner.size()) + kConfirmation +
                           expectedConsole.substr(std::min(kBanner.size(), expectedConsole.size())))
        << name;
    const bool translated = expectedConsole.find("Translation Successful") != std::string::npos;
    EXPECT_EQ(summary, translated) << name << "\n" << run.console;
    std::map<std::string, std::string> expectedFiles;
    if (fs::exists(c.folder + "/expected")) expectedFiles = outputsIn(c.folder + "/expected", {});
    EXPECT_EQ(run.outputs, expectedFiles) << name;
    checked += translated;
  }
  EXPECT_GT(checked, 40);
}

}  // namespace
}  // namespace vantrel::testing
