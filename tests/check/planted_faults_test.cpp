// A good series of files, then one fault planted in a copy of it: the check
// of the copy (-CHECKONLY) names the file and the line of the fault, what
// differs there, and the SVF statement it is about.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "support/sandbox.h"

namespace vantrel::testing {
namespace {

// An instruction, a retried data scan, a wait, a data scan cut across three
// files, and a scan left in Pause-DR.
const char* const kProgram =
    "STATE RESET;\n"
    "SIR 8 TDI (A5);\n"
    "RUNTEST 100 TCK;\n"
    "SDR 16 TDI (1234) TDO (5678) MASK (FFFF);\n"
    "HDR 2 TDI (1);\n"
    "SDR 300 TDI (0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF0123456789ABC)"
    " TDO (FEDCBA9876543210FEDCBA9876543210FEDCBA9876543210FEDCBA9876543210FEDCBA9876543)"
    " MASK (FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF);\n"
    "ENDDR DRPAUSE;\n"
    "SDR 8 TDI (0F);\n"
    "STATE IDLE;\n";
const std::vector<std::string> kOptions = {"-NC", "-SS", "-VL", "400"};

using Lines = std::vector<std::string>;

Lines splitLines(const std::string& text) {
  Lines lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string joinLines(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

bool isLow(const std::string& line) { return line.rfind("\"0", 0) == 0; }
bool isHigh(const std::string& line) { return line.rfind("\"1", 0) == 0; }

// The index of the `n`th line (from 0) that `test` accepts.
size_t nth(const Lines& lines, const std::function<bool(const std::string&)>& test, int n) {
  for (size_t i = 0; i < lines.size(); ++i)
    if (test(lines[i]) && n-- == 0) return i;
  ADD_FAILURE() << "no such line";
  return 0;
}

size_t indexOf(const Lines& lines, const std::string& line) {
  return nth(
      lines, [&](const std::string& l) { return l == line; }, 0);
}

// Each plants its fault and returns the line (from 1) the report names.
using Plant = std::function<size_t(Lines&)>;

size_t flipTdi(Lines& lines) {
  const size_t low = nth(
      lines, [](const std::string& l) { return isLow(l) && l[3] != 'Z'; }, 9);
  for (size_t i : {low, low + 1}) lines[i][3] = lines[i][3] == '0' ? '1' : '0';
  return low + 1;
}

size_t swapTdo(Lines& lines) {
  const size_t low = nth(
      lines, [](const std::string& l) { return isLow(l) && l[4] != 'X'; }, 2);
  lines[low][4] = lines[low][4] == 'H' ? 'L' : 'H';
  return low + 1;
}

size_t dropHighLine(Lines& lines) {
  const size_t high = nth(lines, isHigh, 40);
  lines.erase(lines.begin() + static_cast<long>(high));
  return high + 1;  // the low line that now follows a low line
}

size_t doubleLowLine(Lines& lines) {
  const size_t low = nth(lines, isLow, 30);
  lines.insert(lines.begin() + static_cast<long>(low), lines[low]);
  return low + 2;
}

// The failing try of the retry loop goes Run-Test-Idle, Select-DR-Scan,
// Capture-DR, Shift-DR at its end; with TMS 0 instead of 1 on the Select
// cycle it stays in Run-Test-Idle.
size_t breakReturnPath(Lines& lines) {
  const size_t end = indexOf(lines, "end homingloop");
  for (size_t i : {end - 7, end - 6}) lines[i][2] = '0';
  return end + 1;
}

size_t compareOnHighLine(Lines& lines) {
  const size_t high = nth(lines, isHigh, 5);
  lines[high][4] = 'H';
  return high + 1;
}

size_t executeOtherLevel(Lines& lines) {
  const size_t execute = nth(
      lines, [](const std::string& l) { return l.rfind("execute", 0) == 0; }, 0);
  std::string& level = lines[execute];
  level[12] = level[12] == 'H' ? 'L' : 'H';
  return execute + 1;
}

size_t dropClosingLines(Lines& lines) {
  lines.resize(lines.size() - 2);
  return lines.size();
}

struct Fault {
  const char* name;
  const char* file;  // the file the fault is planted in
  Plant plant;       // none: the file is removed
  std::string report;
  int svfLine;
};

std::map<std::string, std::string> goodSeries() {
  static const std::map<std::string, std::string> series = [] {
    std::vector<std::string> options = kOptions;
    options.push_back("-CHECK");
    const Translation good = translate(kProgram, options);
    EXPECT_NE(good.console.find("Checked 4 files: 4 scans of 336 bits"), std::string::npos)
        << good.console;
    return good.outputs;
  }();
  return series;
}

TEST(PlantedFaults, EachIsReportedAtItsFileAndLine) {
  const std::vector<Fault> faults = {
      {"one TDI level flipped", "out.v02", flipTdi,
       "bit 50 of the DR scan, TDI: expected 0, found 1.", 6},
      {"one TDO H/L swapped", "out.v01", swapTdo, "bit 4 of the DR scan, TDO: expected H, found L.",
       4},
      {"a vector line dropped", "out.v03", dropHighLine, "a TCK-low line after the TCK-low", 6},
      {"a vector line doubled", "out.v02", doubleLowLine, "a TCK-low line after the TCK-low", 6},
      {"a file missing", "out.v03", nullptr, "Check failed: out.v03: the file cannot be opened", 6},
      {"the loop's return path altered", "out.v01", breakReturnPath,
       "the failing try of the retry loop of line 120 ends in Run-Test-Idle", 4},
      {"a compare on a TCK-high line", "out.v03", compareOnHighLine, "a TCK-high line compares TDO",
       6},
      {"the compare vector expects the other level", "out.v01", executeOtherLevel,
       "bit 1 of the DR scan, TDO: expected L, found H.", 4},
      {"the closing lines cut off", "out.v02", dropClosingLines, "the file does not end its unit",
       6},
  };
  const auto series = goodSeries();
  ASSERT_EQ(series.size(), 4u);
  for (const Fault& fault : faults) {
    Sandbox sandbox;
    sandbox.write("input.svf", kProgram);
    std::string where;
    std::map<std::string, std::string> planted;
    for (const auto& [name, text] : series) {
      if (name != fault.file) {
        planted[name] = text;
      } else if (fault.plant) {
        Lines lines = splitLines(text);
        const size_t line = fault.plant(lines);
        planted[name] = joinLines(lines);
        where = "Check failed in " + name + ", line " + std::to_string(line) + ": ";
      }
    }
    for (const auto& [name, text] : planted) sandbox.write(name, text);
    std::vector<std::string> args = kOptions;
    args.insert(args.end(), {"-CHECKONLY", "input.svf", "out"});
    sandbox.run(args);
    const std::string& console = sandbox.console();
    EXPECT_NE(console.find(where + fault.report), std::string::npos)
        << fault.name << ": expected " << where << fault.report << "\n"
        << console;
    EXPECT_NE(console.find("At line " + std::to_string(fault.svfLine) + " of input.svf.\n"),
              std::string::npos)
        << fault.name << "\n"
        << console;
    EXPECT_EQ(console.find("Translation Successful"), std::string::npos) << fault.name;
    planted["input.svf"] = kProgram;
    EXPECT_EQ(sandbox.files(), planted) << fault.name << ": the files are left as they were";
  }
}

}  // namespace
}  // namespace vantrel::testing
