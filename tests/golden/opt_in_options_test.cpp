// Options that add behaviour change nothing they are not asked for: every
// golden case run again with -SPLITSCANS and -CHECK gives the same files, and
// the same console but for their confirmation lines, the check's summary and
// the options a refused input needs, and the check passes wherever the case
// translates. Only a case refused for
// a scan or clock run too long for one file differs: -SPLITSCANS cuts it.
// -KEEPCLOCKS 0 changes nothing, and no number of kept clocks changes a
// case whose RUNTEST clocks are TCK cycles already (-NOCR).
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

#include "support/golden_cases.h"
#include "support/sandbox.h"

namespace vantrel::testing {
namespace {

const std::string kBanner = "\nvantrel - SVF to VCL Translator - Version: 1.43\n\n";
const std::string kConfirmations =
    "Split long scans across output files.\n"
    "Check the output files against the SVF after translation.\n";

// The console without the check's summary; `summary` tells whether it was there.
std::string withoutCheckSummary(const std::string& console, bool& summary) {
  std::istringstream lines(console);
  std::string kept;
  summary = false;
  for (std::string line; std::getline(lines, line);) {
    const bool checkLine = line.rfind("Checked ", 0) == 0 || line.rfind("Tester time: ", 0) == 0 ||
                           line.rfind("Up to ", 0) == 0;
    summary = summary || checkLine;
    if (!checkLine) kept += line + "\n";
  }
  if (!console.empty() && console.back() != '\n' && !kept.empty()) kept.pop_back();
  return kept;
}

// The console without the line that names the options a refused input
// needs: with -SPLITSCANS given, it names only what the run still lacks.
std::string withoutOptionsNeeded(const std::string& console) {
  const size_t line = console.rfind("This file translates in full with ");
  return line == std::string::npos ? console : console.substr(0, line);
}

bool namesOptInOption(const std::vector<std::string>& args) {
  for (std::string arg : args) {
    for (char& c : arg) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (arg == "-SS" || arg == "-SPLITSCANS" || arg == "-CHECK" || arg == "-CHECKONLY") return true;
  }
  return false;
}

TEST(OptInOptions, GoldenCasesAreUnchangedBySplitScansAndCheck) {
  int compared = 0, checked = 0;
  for (const std::string& name : goldenCaseNames()) {
    const GoldenCase c = loadGoldenCase(name, VANTREL_CORPUS_DIR);
    if (!reasonToSkip(c, false).empty() || namesOptInOption(c.args)) continue;
    std::vector<std::string> args = {"-SS", "-CHECK"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CaseRun run = runCase(c, args);
    const bool translated = run.console.find("Translation Successful") != std::string::npos;
    bool summary = false;
    const std::string console = withoutCheckSummary(run.console, summary);
    EXPECT_EQ(summary, translated) << name << "\n" << run.console;
    checked += summary;
    const std::string expected = readFile(c.folder + "/console.txt");
    if (expected.find("There is a command to large to process") != std::string::npos ||
        expected.find("The number of clocks on RUNTEST command is too large!") != std::string::npos)
      continue;  // cut across files now
    EXPECT_EQ(withoutOptionsNeeded(console),
              withoutOptionsNeeded(kBanner + kConfirmations + expected.substr(kBanner.size())))
        << name;
    EXPECT_EQ(run.outputs, expectedOutputs(c)) << name;
    ++compared;
  }
  EXPECT_GT(compared, 60);
  EXPECT_GT(checked, 40);
}

bool hasArgument(const std::vector<std::string>& args, const std::string& wanted) {
  for (std::string arg : args) {
    for (char& c : arg) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (arg == wanted) return true;
  }
  return false;
}

TEST(OptInOptions, GoldenCasesAreUnchangedByKeepClocksWhereNoClockIsAWait) {
  int compared = 0, withClocks = 0;
  for (const std::string& name : goldenCaseNames()) {
    const GoldenCase c = loadGoldenCase(name, VANTREL_CORPUS_DIR);
    if (!reasonToSkip(c, false).empty() || hasArgument(c.args, "-CHECKONLY")) continue;
    const bool clocks = hasArgument(c.args, "-NOCR") || hasArgument(c.args, "-NOCONVERTRUNTEST");
    const std::string kept = clocks ? "1000" : "0";
    std::vector<std::string> args = {"-KC", kept};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CaseRun run = runCase(c, args);
    const std::string expected = readFile(c.folder + "/console.txt");
    EXPECT_EQ(run.console, kBanner + "Keep up to " + kept +
                               " clocks of each RUNTEST as TCK cycles.\n" +
                               expected.substr(kBanner.size()))
        << name;
    EXPECT_EQ(run.outputs, expectedOutputs(c)) << name;
    ++compared;
    withClocks += clocks;
  }
  EXPECT_GT(compared, 80);
  EXPECT_GT(withClocks, 5);
}

}  // namespace
}  // namespace vantrel::testing
