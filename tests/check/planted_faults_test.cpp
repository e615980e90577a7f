// A good series of files, then one fault planted in a copy of it: the check
// of the copy (-CHECKONLY) names the file and the line of the fault, what
// differs there, and the SVF statement it is about.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

#include "support/sandbox.h"

namespace vantrel::testing {
namespace {

// An instruction, a retried data scan, a wait, a scan left in Pause-DR that
// TRST ends, a data scan cut across three files, and an instruction.
const char* const kProgram =
    "STATE RESET;\n"
    "SIR 8 TDI (A5);\n"
    "RUNTEST 100 TCK;\n"
    "SDR 16 TDI (1234) TDO (5678) MASK (FFFF);\n"
    "ENDDR DRPAUSE;\n"
    "SDR 8 TDI (0F);\n"
    "TRST ON;\n"
    "HDR 2 TDI (1);\n"
    "SDR 300 TDI (0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF0123456789ABC)"
    " TDO (FEDCBA9876543210FEDCBA9876543210FEDCBA9876543210FEDCBA9876543210FEDCBA9876543)"
    " MASK (FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF);\n"
    "SIR 8 TDI (5A);\n";
const std::vector<std::string> kOptions = {"-NC", "-SS", "-VL", "400", "-TRSTNODE", "NTRST"};

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

void eraseLines(Lines& lines, size_t first, size_t count) {
  lines.erase(lines.begin() + static_cast<long>(first),
              lines.begin() + static_cast<long>(first + count));
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

// The cycle from Test-Logic-Reset to Run-Test-Idle, the sixth of the file.
size_t compareOutsideShift(Lines& lines) {
  const size_t low = nth(lines, isLow, 5);
  lines[low][4] = 'L';
  return low + 1;
}

size_t pinTooMany(Lines& lines) {
  const size_t low = nth(lines, isLow, 20);
  lines[low].insert(2, "0");
  return low + 1;
}

// The last scan: 4 cycles in, 8 bits, 2 to Run-Test-Idle.
size_t dropLastScan(Lines& lines) {
  const size_t endPcf = lines.size() - 2;
  lines.erase(lines.begin() + static_cast<long>(endPcf - 28),
              lines.begin() + static_cast<long>(endPcf));
  return lines.size();
}

// TRST held high in its reset cycle: the scan left in Pause-DR goes on. The
// cycle (TMS 1) leads to Exit2-DR, the next (TMS 0) to Shift-DR, and the one
// after shifts a ninth bit.
size_t releaseTrst(Lines& lines) {
  const size_t trst = nth(
      lines, [](const std::string& l) { return isLow(l) && l[5] == '0'; }, 0);
  for (size_t i : {trst, trst + 1}) lines[i][5] = '1';
  return trst + 5;
}

// The last scan, an instruction, ends Exit1-IR, Update-IR, Run-Test-Idle
// before the closing lines: with TRST low on the cycle to Update-IR, a reset
// ends it instead; without the two cycles, nothing does.
size_t resetInsteadOfUpdate(Lines& lines) {
  const size_t update = lines.size() - 6;
  for (size_t i : {update, update + 1}) lines[i][5] = '0';
  return update + 2;
}

size_t dropLastUpdate(Lines& lines) {
  const size_t update = lines.size() - 6;
  lines.erase(lines.begin() + static_cast<long>(update),
              lines.begin() + static_cast<long>(update) + 4);
  return lines.size();
}

size_t letterInWait(Lines& lines) {
  const size_t wait = nth(
      lines, [](const std::string& l) { return l.rfind("wait ", 0) == 0; }, 0);
  lines[wait][6] = 'x';
  return wait + 1;
}

size_t emptyPinName(Lines& lines) {
  const size_t order = nth(
      lines, [](const std::string& l) { return l.rfind("pcf order default", 0) == 0; }, 0);
  lines[order].replace(lines[order].find("TMS"), 3, "");
  return order + 1;
}

// Lines no correct file holds, which a tester's compiler refuses: text
// after a vector, a unit's declarations once it has begun, a pin declared
// twice, a pcf block opened inside another.
size_t junkAfterVector(Lines& lines) {
  const size_t low = nth(lines, isLow, 12);
  lines[low] += "junk";
  return low + 1;
}

size_t junkOnClosingQuote(Lines& lines) {
  const size_t high = nth(lines, isHigh, 14);
  lines[high].back() = '#';
  return high + 1;
}

// A wait between the two lines of a cycle holds TCK low in the middle of it.
size_t waitInsideCycle(Lines& lines) {
  const size_t low = nth(lines, isLow, 16);
  lines.insert(lines.begin() + static_cast<long>(low) + 1, "wait 1u");
  return low + 2;
}

size_t insertAfter(Lines& lines, const std::string& line, const std::string& inserted) {
  const size_t at = indexOf(lines, line) + 1;
  lines.insert(lines.begin() + static_cast<long>(at), inserted);
  return at + 1;
}

size_t declareAfterUnitBegan(Lines& lines) {
  return insertAfter(lines, "use pcf order Scan", "outputs TDO");
}

size_t assignTwice(Lines& lines) {
  return insertAfter(lines, "assign TDO to nodes \"TDO\"", "assign TCK to nodes \"TCK\"");
}

size_t directionTwice(Lines& lines) {
  const size_t outputs = indexOf(lines, "outputs TDO");
  lines[outputs] = "outputs TDO, TDI";
  return outputs + 1;
}

size_t pcfInPcf(Lines& lines) { return insertAfter(lines, "pcf", "pcf"); }

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
    EXPECT_NE(good.console.find("Checked 4 files: 5 scans of 342 bits"), std::string::npos)
        << good.console;
    return good.outputs;
  }();
  return series;
}

TEST(PlantedFaults, EachIsReportedAtItsFileAndLine) {
  const std::vector<Fault> faults = {
      {"one TDI level flipped", "out.v02", flipTdi,
       "bit 36 of the DR scan, TDI: expected 1, found 0.", 9},
      {"one TDO H/L swapped", "out.v01", swapTdo, "bit 4 of the DR scan, TDO: expected H, found L.",
       4},
      {"a vector line dropped", "out.v03", dropHighLine, "a TCK-low line after the TCK-low", 9},
      {"a vector line doubled", "out.v02", doubleLowLine, "a TCK-low line after the TCK-low", 9},
      {"a file missing", "out.v03", nullptr, "Check failed: out.v03: the file cannot be opened", 9},
      {"the loop's return path altered", "out.v01", breakReturnPath,
       "the failing try of the retry loop of line 189 ends in Run-Test-Idle", 4},
      {"a compare on a TCK-high line", "out.v03", compareOnHighLine, "a TCK-high line compares TDO",
       9},
      {"the compare vector expects the other level", "out.v01", executeOtherLevel,
       "bit 1 of the DR scan, TDO: expected L, found H.", 4},
      {"the closing lines cut off", "out.v02", dropClosingLines, "the file does not end its unit",
       9},
      {"a compare outside a shift state", "out.v01", compareOutsideShift,
       "a compare in Test-Logic-Reset, outside Shift-DR and Shift-IR", 2},
      {"a pin too many", "out.v02", pinTooMany,
       "a vector line of 6 pins where the pcf order in force has 5", 9},
      {"the last scan dropped", "out.v04", dropLastScan, "the files end; the SVF gives 1 more scan",
       10},
      {"TRST not driven low", "out.v01", releaseTrst,
       "the DR scan goes on past the 8 bits the SVF gives", 6},
      {"a reset in place of an Update", "out.v04", resetInsteadOfUpdate,
       "TRST ends the IR scan without Update-IR; the SVF updates it", 10},
      {"the last Update cut off", "out.v04", dropLastUpdate,
       "the files end before the end of the IR scan", 10},
      {"a letter in a wait time", "out.v01", letterInWait, "a wait the check cannot read", 4},
      {"a pin order with a pin left out", "out.v02", emptyPinName,
       "a pcf order the check cannot read", 9},
      {"text after a vector line's closing quote", "out.v01", junkAfterVector,
       "text after the closing quote of a vector line", 2},
      {"text on a vector line's closing quote", "out.v01", junkOnClosingQuote,
       "text after the closing quote of a vector line", 2},
      {"a wait between the two lines of a cycle", "out.v01", waitInsideCycle,
       "a statement between the TCK-low line", 2},
      {"a pin direction after the unit began", "out.v03", declareAfterUnitBegan,
       "a declaration after the unit has begun: outputs TDO", 9},
      {"a pin assigned twice", "out.v02", assignTwice, "pin TCK is declared twice", 9},
      {"a pin of two directions", "out.v04", directionTwice, "pin TDI is declared twice", 9},
      {"a pcf block inside another", "out.v01", pcfInPcf, "a pcf block inside another", 2},
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

// Files copied to a share that ends lines with CR LF, or edited so that the
// blanks at the ends of lines changed or the last line has no line end,
// still carry the same vectors.
TEST(PlantedFaults, EditedLineEndsAreNoFault) {
  Sandbox sandbox;
  sandbox.write("input.svf", kProgram);
  for (const auto& [name, text] : goodSeries()) {
    std::string copy;
    for (std::string line : splitLines(text)) {
      if (line.rfind('"', 0) == 0)
        line.pop_back();  // the blank after a vector line's closing quote
      else
        line += ' ';
      copy += line + "\r\n";
    }
    copy.resize(copy.size() - 2);
    sandbox.write(name, copy);
  }
  std::vector<std::string> args = kOptions;
  args.insert(args.end(), {"-CHECKONLY", "input.svf", "out"});
  sandbox.run(args);
  EXPECT_NE(sandbox.console().find("Checked 4 files"), std::string::npos) << sandbox.console();
}

// Translates `svf` into one file, plants a fault in it and checks the copy
// with the same options: whether the report names the line `plant` returns
// and says `report` there, and names SVF line `svfLine` (unless 0).
void expectReportOnPlantedFault(const std::string& svf, const std::vector<std::string>& options,
                                const Plant& plant, const std::string& report, int svfLine = 0) {
  Sandbox sandbox;
  sandbox.write("input.svf", svf);
  std::vector<std::string> args = options;
  args.insert(args.end(), {"input.svf", "out"});
  sandbox.run(args);
  Lines lines = splitLines(sandbox.read("out.v01"));
  const size_t line = plant(lines);
  sandbox.write("out.v01", joinLines(lines));
  args.insert(args.end() - 2, "-CHECKONLY");
  sandbox.run(args);
  EXPECT_NE(sandbox.console().find("Check failed in out.v01, line " + std::to_string(line) + ": " +
                                   report),
            std::string::npos)
      << sandbox.console();
  if (svfLine != 0) {
    EXPECT_NE(sandbox.console().find("At line " + std::to_string(svfLine) + " of input.svf.\n"),
              std::string::npos)
        << sandbox.console();
  }
}

// A comment line longer than the check reads at once (the echo of a
// bitstream written on one SVF line) is one line: a fault after it is named
// at its own line.
TEST(PlantedFaults, AFaultAfterAVeryLongLineIsNamedAtItsLine) {
  expectReportOnPlantedFault(
      "! " + std::string(300000, 'x') + "\nSDR 8 TDI (0F);\n", {"-CC"},
      [](Lines& lines) {
        const size_t low = nth(
            lines, [](const std::string& l) { return isLow(l) && l[3] == '1'; }, 0);
        lines[low][3] = lines[low + 1][3] = '0';
        return low + 1;
      },
      "bit 0 of the DR scan, TDI: expected 1, found 0.");
}

// With comments, the check looks for the end of a bit's comment where the
// one before ended. A line hidden there is still found: the comment cut
// short, the TCK-high line doubled after it, the two as long as the comment.
TEST(PlantedFaults, ALineEndingWhereACommentWouldEndIsFound) {
  expectReportOnPlantedFault(
      "SDR 64 TDI (0123456789ABCDEF);\n", {},
      [](Lines& lines) {
        const size_t high = nth(
            lines, [](const std::string& l) { return l.find("SDR bit 40 ") != std::string::npos; },
            0);
        const std::string vector = lines[high].substr(0, lines[high].find('!'));
        const std::string comment = lines[high].substr(vector.size() + 1);
        lines[high] = vector + "!" + comment.substr(0, comment.size() - vector.size() - 1);
        lines.insert(lines.begin() + static_cast<long>(high) + 1, vector);
        return high + 2;
      },
      "a TCK-high line without its TCK-low line");
}

// A file a little short of the most vector lines a tester takes, its one
// scan in the middle of them, with TMS-0 cycles planted before the reset
// sequence, where they change nothing: the check names the line where the
// file goes past the most, inside the scan.
TEST(PlantedFaults, AFileOverTheTestersLimitIsNamedWhereItGoesOver) {
  expectReportOnPlantedFault(
      "RUNTEST 4 TCK;\nSDR 149900 TDI (0);\n", {"-NC", "-VL", "299990"},
      [](Lines& lines) {
        const size_t idle = indexOf(lines, "\"00ZX\" ");  // the first cycle in Run-Test-Idle
        const Lines cycle(lines.begin() + static_cast<long>(idle),
                          lines.begin() + static_cast<long>(idle) + 2);
        const size_t first = nth(lines, isLow, 0);  // the first reset clock
        for (int i = 0; i < 100; ++i)
          lines.insert(lines.begin() + static_cast<long>(first), cycle.begin(), cycle.end());
        // The line of the file's 300000th vector line.
        size_t line = 0;
        for (int vectors = 0; vectors < 300000; ++line) vectors += lines[line].rfind('"', 0) == 0;
        return line;
      },
      "the file reaches 300000 vector lines, more than a tester takes.");
}

// A RUNTEST's 24 clocks kept as TCK cycles (after a cycle of STATE IDLE), a
// wait a comment asks for, and a RUNTEST of two cycles and then the rest of
// 10 ms as a tester wait.
const char* const kRunProgram =
    "SIR 4 TDI (2);\n"
    "STATE IDLE;\n"
    "RUNTEST IDLE 24 TCK;\n"
    "SIR 4 TDI (3); ! wait 5 ms\n"
    "RUNTEST IDLE 2 TCK 1.00E-02 SEC;\n"
    "SIR 4 TDI (4);\n";

bool isIdleLine(const std::string& line) { return line == "\"00ZX\" " || line == "\"10ZX\" "; }

// The first RUNTEST's run, from its second cycle: the one of STATE IDLE and
// the move are the first two, after the cycle from Update-IR.
size_t firstRunCycles(const Lines& lines) {
  size_t start = 0;
  while (!std::all_of(lines.begin() + static_cast<long>(start),
                      lines.begin() + static_cast<long>(start) + 50, isIdleLine))
    ++start;
  return start + 2;
}

size_t dropRunCycle(Lines& lines) {
  const size_t run = firstRunCycles(lines);
  eraseLines(lines, run, 2);
  size_t after = run;
  while (isIdleLine(lines[after])) ++after;
  return after + 2;  // the TCK-high line of the cycle that leaves the run
}

size_t dropRunTestWait(Lines& lines) {
  eraseLines(lines, indexOf(lines, "wait 9.998m") - 1, 4);
  // The third scan's first bit: where a wait can no longer come.
  return nth(
             lines, [](const std::string& l) { return isHigh(l) && l[3] != 'Z'; }, 8) +
         1;
}

size_t waitInPlaceOfCycles(Lines& lines) {
  const size_t run = firstRunCycles(lines);
  eraseLines(lines, run, 48);
  lines.insert(lines.begin() + static_cast<long>(run),
               {"end pcf", "wait 24u", "pcf", "use pcf order Scan"});
  return run + 2;
}

size_t dropCommentWait(Lines& lines) {
  eraseLines(lines, indexOf(lines, "wait 5m") - 1, 4);
  return indexOf(lines, "wait 9.998m") + 1;  // the next wait, after the next run
}

size_t lengthenCommentWait(Lines& lines) {
  const size_t wait = indexOf(lines, "wait 5m");
  lines[wait] = "wait 6m";
  return wait + 1;
}

// Each is named where the file stops giving what the SVF asks, with the
// statement's line.
TEST(PlantedFaults, RunsAndWaitsAreCheckedAgainstTheirRuntest) {
  const std::vector<std::string> options = {"-STDSVF", "-KC", "30", "-NC"};
  const struct {
    Plant plant;
    const char* report;
    int svfLine;
  } faults[] = {
      {dropRunCycle, "RUNTEST in Run-Test/Idle: expected 24 TCK cycles, found 23.", 3},
      {dropRunTestWait, "RUNTEST in Run-Test/Idle: expected a wait of 9.998m, found none.", 5},
      {waitInPlaceOfCycles, "RUNTEST in Run-Test/Idle: expected 24 TCK cycles, found 0.", 3},
      {dropCommentWait, "expected a wait of 5m, found none.", 4},
      {lengthenCommentWait, "expected a wait of 5m, found a wait of 6m.", 4},
  };
  for (const auto& fault : faults)
    expectReportOnPlantedFault(kRunProgram, options, fault.plant, fault.report, fault.svfLine);
}

// The PIO pins are the columns after the JTAG pins of a pin order, which
// hold the tester's characters like every other column.
TEST(PlantedFaults, PioColumnsAreToldByTheirPlace) {
  const std::string svf = "PIOMAP (IN A OUT B);\nSTATE IDLE;\nSDR 4 TDI (5) PIO (HU);\n";
  const std::vector<std::string> options = {"-NC", "-TRSTNODE", "NTRST"};
  const std::string parallel = "pcf order Parallel is TCK, TMS, TDI, TDO, TRST, A, B";
  expectReportOnPlantedFault(
      svf, options,
      [&](Lines& lines) {
        const size_t order = indexOf(lines, parallel);
        lines[order] = "pcf order Parallel is TCK, TMS, TDI, TDO, A, TRST, B";
        return order + 1;
      },
      "pcf order Parallel names A in the place of a JTAG pin; TCK, TMS, TDI, TDO and TRST come "
      "first.");
  expectReportOnPlantedFault(
      svf, options,
      [](Lines& lines) {
        const size_t low = indexOf(lines, "\"001X11H\" ");
        lines[low][7] = 'Q';
        return low + 1;
      },
      "'Q' in a vector line is no pin level.");
}

}  // namespace
}  // namespace vantrel::testing
