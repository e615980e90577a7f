// Replaying the written files as the tester runs them, on a TAP controller
// of the check's own, and comparing every scan they shift with the scans the
// SVF asks for (check/expected_scans.h).
//
// Each file is read back with its own declarations: its pcf pin orders say
// which column of a vector line is TCK, TMS, TDI, TDO and TRST. A TCK-low
// line and the TCK-high line after it are one cycle; their TMS, TDI and TRST
// must agree, and only the low line may compare TDO. The controller's state
// is unknown at the start of the series; five cycles with TMS 1 reach
// Test-Logic-Reset from anywhere, and TRST low holds it there. The state
// carries from file to file, so a scan cut across files (paused in Pause-DR,
// resumed through Exit2-DR without Capture) is one scan.
//
// A scan is the cycles that start in Shift-DR (Shift-IR) after a Capture,
// up to Update-DR (Update-IR), or to a reset by TRST: each gives a bit, the
// TDI level driven on its lines and the TDO level its low line expects.
//
// A retry loop ("homingloop N times" ... "end homingloop") is replayed along
// the tester's path where every compare passes: its body up to the execute
// line ("execute V... exit if pass"), which is the low half of a cycle whose
// high half is the first vector line after the loop. The rest of the body,
// the try that fails, is walked with a second controller: it must pass
// Update-DR, then Capture-DR, and end in Shift-DR, where the loop began.
//
// Between the scans, the cycles the tester's path spends in a row in one
// stable state (TMS 0 in Run-Test/Idle or a pause state, TMS 1 in
// Test-Logic-Reset) are a run, and each is compared, in order with the waits,
// with the runs and waits the SVF asks for: a RUNTEST's TCK cycles and the
// wait after them, a wait a comment asks for. A wait holds TCK still, so a
// device that counts TCK cycles sees only the runs. Runs and waits inside
// the failing try of a retry loop are checked for their path only.
//
// The first difference is reported with the file and its line, and the SVF
// statement it is about; the run then ends.
#pragma once

#include <cstdint>
#include <string>

#include "base/tap_controller.h"
#include "check/expected_scans.h"
#include "check/file_declarations.h"
#include "check/line_source.h"

namespace vantrel {

// A file may hold fewer vector lines than this; a tester takes no more.
constexpr int64_t kTesterLineCeiling = 300000;

struct ReplayTotals {
  int32_t files = 0;
  int64_t scans = 0;
  int64_t bits = 0;
  // Along the path where every compare passes at once.
  int64_t vectors = 0;     // vector lines and execute lines
  double waitSeconds = 0;  // wait lines
  // With every retry loop's whole body run as often as the loop allows.
  double mostVectors = 0;
  double mostWaitSeconds = 0;
  bool retryLoops = false;
  // The RUNTESTs on the tester's path: their own TCK cycles, their waits.
  int64_t runTests = 0;
  int64_t runTestCycles = 0;
  double runTestWaitSeconds = 0;
};

class Replay {
 public:
  explicit Replay(const ExpectedScans& expected) : expected_(expected) {}

  // Replays one file of the series, after those before it.
  void replayFile(const SeriesFile& file);
  // One line of the file, without its line end.
  void line(std::string_view text) {
    if (!text.empty() && text[0] == '"')
      vectorLine(text);
    else
      statementLine(text);
    inShift_ = vectorsAllowed_ && !columns_.parallel && (path_ != &main_ || scanOpen_) &&
               (path_->state == DRSHIFT || path_->state == IRSHIFT);
  }
  // After the last file: every scan the SVF gives has been shifted.
  void finish();

  const ReplayTotals& totals() const { return totals_; }

 private:
  // One half of a TCK cycle: the levels of a vector line or an execute line,
  // TMS, TDI, TDO and TRST a byte each, and the line.
  struct Half {
    uint32_t levels = 0;
    int64_t line = 0;
  };
  // The controller as one path through the vectors sees it.
  struct Path {
    TapState state = UNKNOWN;
    bool lowPending = false;  // a TCK-low half waits for its high half
    Half low;
  };
  struct Loop {
    int64_t line = 0;
    int64_t count = 0;
    TapState start = UNKNOWN;
    bool compared = false;    // the execute line has been read
    bool updated = false;     // the failing try has passed Update-DR
    bool recaptured = false;  // and Capture-DR after it
    int64_t passVectors = 0, allVectors = 0;
    double passWait = 0, allWait = 0;
  };

  // The next cycles, when the file holds them as the check expects them in
  // the middle of a scan on the tester's path, or of the failing try of a
  // retry loop, whole cycles only. False when it took none.
  bool expectedCycles();
  void vectorLine(std::string_view text);
  void countVector() {
    if (++fileVectors_ >= kTesterLineCeiling || inLoop_)
      countVectorInLoop();
    else
      ++totals_.vectors;
  }
  // The same for `count` vector lines that stay below that ceiling.
  void countVectors(int64_t count) {
    fileVectors_ += count;
    if (!inLoop_) {
      totals_.vectors += count;
      return;
    }
    loop_.allVectors += count;
    if (!loop_.compared) loop_.passVectors += count;
  }
  void statementLine(std::string_view text);
  [[gnu::always_inline]] void half(uint32_t levels, char tck);
  void failingTryCycle(const Half& low);
  void countVectorInLoop();
  void endScan(ScanEnd how);
  void wait(std::string_view rest);
  // A wait line on the tester's path: the record's next wait.
  void waitOnPath(std::string_view time, double seconds, double resolution);
  // The run the tester's path was in has ended: it is the record's next.
  void closeRun();
  // The record's next run with cycles or comment's wait, in `run`, with
  // `after` the record after it; the runs of no cycle before it are taken.
  // False where a RUNTEST's wait is due or another item comes next.
  bool nextRun(ExpectedScans::RunItem& run, ExpectedScans::Reader& after);
  // Where no run or wait may stand between (a scan begins or ends, the
  // files end): the record has none left before it.
  void expectNoRun();
  void tookRun(const ExpectedScans::RunItem& run, int64_t inputLine);
  [[noreturn, gnu::cold]] void differRunCycles(const ExpectedScans::RunItem& run, int64_t inputLine,
                                               int64_t found);
  [[noreturn, gnu::cold]] void differRunWait(const ExpectedScans::RunItem& run, int64_t inputLine,
                                             const std::string& found);
  void beginLoop(std::string_view rest);
  void execute(std::string_view rest);
  void endLoop();
  void selectOrder(const PinColumns* order);
  void makeCycleTexts();
  // Out of the way of the usual line.
  [[gnu::cold]] void uncommonCycle(const Half& low);
  [[gnu::cold]] uint8_t uncommonBit(bool instruction, const Half& low);
  [[gnu::cold]] void beginScan(bool instruction, int64_t fileLine);
  [[gnu::cold]] void checkParallelPins(const char* pins);
  [[noreturn, gnu::cold]] void badVectorLine(std::string_view text);
  [[noreturn, gnu::cold]] void badLevels(char tms, char tdi, char tdo, char trst);
  [[noreturn, gnu::cold]] void badHalf(uint32_t levels, char tck);
  [[noreturn, gnu::cold]] void badBit(const Half& low, uint8_t code);

  // The bits the SVF gives the scan being shifted.
  unsigned long long expectedLength();
  // The SVF line a difference found now is about: the scan being shifted,
  // else the next one.
  int64_t svfLine();
  [[noreturn, gnu::cold]] void differ(int64_t fileLine, const std::string& what);
  [[noreturn, gnu::cold]] void differ(const std::string& what) {
    differ(source_.lineNumber(), what);
  }
  // The same about the statement on SVF line `inputLine`.
  [[noreturn, gnu::cold]] void differAt(int64_t fileLine, const std::string& what,
                                        int64_t inputLine);
  [[noreturn, gnu::cold]] void differAbout(int64_t inputLine, const std::string& what) {
    differAt(source_.lineNumber(), what, inputLine);
  }
  // A state by its name, where the controller's state may be unknown.
  static std::string stateName(TapState state);
  const char* scanName(bool instruction) const { return instruction ? "IR scan" : "DR scan"; }
  const char* aScan(bool instruction) const { return instruction ? "an IR scan" : "a DR scan"; }

  ExpectedScans::Reader expected_;
  ReplayTotals totals_;

  // The file being read and what it has declared.
  std::string fileName_;
  LineSource source_;
  FileDeclarations declarations_;
  PinColumns columns_;  // the pin order in force
  // The lines of a cycle in the middle of a scan, in the pin order in force,
  // for each bit the record can give (by its code): TMS 0, TRST high, the
  // bit's TDI on both lines, its expected TDO on the TCK-low line: both
  // lines, with the TCK-high one as it stands alone or up to its comment.
  struct CycleTexts {
    std::string cycle, commentedCycle;
  };
  CycleTexts cycleTexts_[9];
  PinColumns cycleTextColumns_;   // the pin order cycleTexts_ are for
  bool commentedCycles_ = false;  // the last cycle expectedCycles() took had a comment
  bool orderInForce_ = false;
  bool inUnit_ = false, unitBegun_ = false, unitEnded_ = false, inPcf_ = false;
  bool vectorsAllowed_ = false;  // a vector line may come here
  int64_t fileVectors_ = 0;

  // The tester's path, and the failing try of the retry loop being read.
  Path main_, failing_;
  Path* path_ = &main_;
  int resetCycles_ = 0;  // TMS-1 cycles in a row while the state is unknown
  bool inLoop_ = false;
  Loop loop_;

  // A scan is being shifted on the tester's path, or a failing try is in a
  // shift state, in a pin order of JTAG pins only: expectedCycles() may
  // take the next lines.
  bool inShift_ = false;
  bool scanOpen_ = false;
  bool scanInstruction_ = false;
  uint64_t scanBits_ = 0;

  // The cycles in a row the tester's path has spent in one stable state.
  TapState runState_ = UNKNOWN;
  int64_t runCycles_ = 0;
  // The run taken last ends in a RUNTEST's wait, which comes next.
  bool waitDue_ = false;
  ExpectedScans::RunItem dueWait_;
  int64_t dueWaitLine_ = 0;
};

}  // namespace vantrel
