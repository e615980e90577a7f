// -SPLITSCANS: a scan (or a run of clocks) too long for one output file is
// cut where a file reaches the split threshold and goes on in the next file.
// Everything that fits a file is written exactly as without the option.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "support/golden_cases.h"
#include "support/sandbox.h"

namespace fs = std::filesystem;

namespace vantrel::testing {
namespace {

using Args = std::vector<std::string>;

const std::string kBanner = "\nvantrel - SVF to VCL Translator - Version: 1.43\n\n";
const std::string kConfirmation = "Split long scans across output files.\n";

// Runs `args` with and without -SS in front; unless the input has a statement
// too long for one file, both give the same files and the same console but
// for the confirmation line. Returns whether the two were compared. With
// `mustTranslate` the run with the option must translate the whole input and
// pass the check (-CHECK).
bool expectSameWithAndWithoutOption(const GoldenCase& source, const Args& args,
                                    bool mustTranslate = false) {
  // A cut scan is reported (unless -Q): its output differs by design.
  Args without;
  for (const std::string& arg : args)
    if (arg != "-Q" && arg != "-q" && arg != "-QUIET" && arg != "-quiet") without.push_back(arg);
  Args withOption = without;
  withOption.insert(withOption.begin(), "-SS");
  const CaseRun with = runCase(source, withOption);
  if (mustTranslate) {
    EXPECT_NE(with.console.find("shift as the SVF gives them.\n"), std::string::npos)
        << source.name << "\n"
        << with.console;
  }
  if (with.console.find("continues in the next output file.") != std::string::npos) return false;
  const CaseRun plain = runCase(source, without);
  if (with.outputs == plain.outputs &&
      with.console == kBanner + kConfirmation + plain.console.substr(kBanner.size()))
    return true;
  // Clocks too many for one file: refused without the option, cut with it.
  EXPECT_NE(plain.console.find("The number of clocks on RUNTEST command is too large!"),
            std::string::npos)
      << source.name << " " << ::testing::PrintToString(args) << " differs with -SS:\n"
      << with.console;
  return false;
}

TEST(SplitScans, CorpusFilesThatFitAreUnchangedByTheOption) {
  if (!fs::is_directory(VANTREL_CORPUS_DIR)) GTEST_SKIP() << "no corpus at " << VANTREL_CORPUS_DIR;
  GoldenCase empty;
  empty.folder = (fs::temp_directory_path() / "vantrel-no-inputs").string();
  fs::create_directories(empty.folder);
  for (const auto& entry : fs::directory_iterator(VANTREL_CORPUS_DIR)) {
    if (entry.path().extension() != ".svf") continue;
    empty.name = entry.path().filename().string();
    // With both options every real file translates to the end, and its files
    // shift the scans it gives.
    expectSameWithAndWithoutOption(
        empty, {"-NC", "-STDSVF", "-CHECK", entry.path().string(), "out"}, true);
  }
}

size_t vectorLines(const std::string& text) {
  size_t lines = 0;
  for (size_t at = 0; (at = text.find("\n\"", at)) != std::string::npos; ++at) ++lines;
  return lines;
}

// Random long scans (header, data, trailer, expected data), one after the
// other: cut with a small vector limit, their files still shift every bit as
// the SVF gives it (-CHECK), and no file holding a piece of a scan ends more
// than 8 lines past the threshold.
TEST(SplitScans, CutScansKeepEveryBitAndEndTheirFilesAtTheThreshold) {
  std::mt19937 random(20261207);
  auto hex = [&](size_t bits) {
    std::string digits;
    for (size_t i = 0; i < (bits + 3) / 4; ++i) digits += "0123456789ABCDEF"[random() % 16];
    return digits;
  };
  const int limit = 400;
  for (int round = 0; round < 100; ++round) {
    std::string svf = "STATE IDLE;\n";
    for (int scan = 0; scan < 4; ++scan) {
      const bool data = random() % 2;
      const size_t header = random() % 3 == 0 ? 0 : random() % 150;
      const size_t trailer = random() % 3 == 0 ? 0 : random() % 150;
      const size_t length = limit / 2 + random() % 400;  // more lines than a file holds
      svf += std::string(data ? "HDR " : "HIR ") + std::to_string(header);
      if (header) svf += " TDI (" + hex(header) + ")";
      svf += std::string(data ? ";\nTDR " : ";\nTIR ") + std::to_string(trailer);
      if (trailer) svf += " TDI (" + hex(trailer) + ")";
      svf += std::string(data ? ";\nSDR " : ";\nSIR ") + std::to_string(length) + " TDI (" +
             hex(length) + ") TDO (" + hex(length) + ") MASK (" + hex(length) + ");\n";
      const char* ends[] = {"IDLE", "DRPAUSE", "IRPAUSE", "RESET"};
      svf += std::string(data ? "ENDDR " : "ENDIR ") + ends[random() % 4] + ";\n";
    }
    const Translation cut =
        translate(svf, {"-Q", "-NC", "-NORETRY", "-SS", "-CHECK", "-VL", std::to_string(limit)});
    ASSERT_NE(cut.console.find("shift as the SVF gives them."), std::string::npos)
        << cut.console << svf;
    EXPECT_GE(cut.outputs.size(), 4u);
    // The header and the unit preamble charge 127 lines, every vector line one.
    for (const auto& [name, text] : cut.outputs)
      EXPECT_LE(127 + vectorLines(text), static_cast<size_t>(limit + 8)) << name << "\n" << svf;
  }
}

}  // namespace
}  // namespace vantrel::testing
