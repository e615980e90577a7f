// The runs in a stable state and the tester waits of the replay, compared
// with those the SVF asks for (check/replay.h).
#include <cmath>

#include "base/console.h"
#include "base/wait_time.h"
#include "check/replay.h"

namespace vantrel {

namespace {

using RunItem = ExpectedScans::RunItem;
using Reader = ExpectedScans::Reader;

// The stable states by their IEEE 1149.1 names.
const char* runStateName(TapState state) {
  switch (state) {
    case RESET: return "Test-Logic-Reset";
    case IDLE: return "Run-Test/Idle";
    case DRPAUSE: return "Pause-DR";
    case IRPAUSE: return "Pause-IR";
    default: return "a state that is not stable";
  }
}

std::string expectedWait(const RunItem& run) {
  if (run.type == RunItem::RunTestWait) return waitTimeText(run.micros);
  return run.text ? *run.text : std::string("?");
}

}  // namespace

void Replay::countRunTests(const RunItem& run) {
  totals_.runTests += static_cast<int64_t>(run.runTests);
  totals_.runTestCycles += static_cast<int64_t>(run.runTestCycles);
}

void Replay::closeRun() {
  const int64_t found = runCycles_;
  runCycles_ = 0;
  passEmptyRuns();
  if (expected_.peek() != Reader::Run)
    differ(formatText("%lld TCK cycles in %s that the SVF does not give",
                      static_cast<long long>(found), runStateName(runState_)));
  int64_t line;
  const RunItem run = expected_.peekRun(line);
  if (run.type != RunItem::Cycles) differRunWait(run, line, "none");
  if (run.state != runState_ || static_cast<uint64_t>(found) != run.cycles)
    differRunCycles(run, line, found);
  expected_.takeRun();
  countRunTests(run);
}

// A run of no cycle only counts its RUNTESTs: whose clocks are all a wait,
// with no move before them in their state.
void Replay::passEmptyRuns() {
  while (expected_.peek() == Reader::Run) {
    int64_t line;
    const RunItem run = expected_.peekRun(line);
    if (run.type != RunItem::Cycles || run.cycles != 0) return;
    expected_.takeRun();
    countRunTests(run);
  }
}

void Replay::expectNoRun() {
  passEmptyRuns();
  if (expected_.peek() != Reader::Run) return;
  int64_t line;
  const RunItem run = expected_.peekRun(line);
  if (run.type == RunItem::Cycles) differRunCycles(run, line, 0);
  differRunWait(run, line, "none");
}

void Replay::waitOnPath(std::string_view time, double seconds, double resolution) {
  if (runCycles_ != 0) closeRun();
  passEmptyRuns();
  const std::string found(time);
  if (expected_.peek() != Reader::Run)
    differ(formatText("a wait of %s that the SVF does not give", found.c_str()));
  int64_t line;
  const RunItem run = expected_.peekRun(line);
  switch (run.type) {
    case RunItem::Cycles: differRunCycles(run, line, 0);
    case RunItem::RunTestWait:
      // The text stands for the time to its last digit.
      if (std::fabs(seconds - static_cast<double>(run.micros) * 1e-6) > resolution * (0.5 + 1e-9))
        differRunWait(run, line, "a wait of " + found);
      totals_.runTestWaitSeconds += seconds;
      break;
    case RunItem::CommentWait:
      if (!run.text || found != *run.text) differRunWait(run, line, "a wait of " + found);
      break;
  }
  expected_.takeRun();
}

void Replay::differRunCycles(const RunItem& run, int64_t inputLine, int64_t found) {
  const char* in = runStateName(run.state);
  // Found in another state, the cycles are named with it.
  const std::string elsewhere =
      found > 0 && run.state != runState_ ? std::string(" in ") + runStateName(runState_) : "";
  if (run.runTests == 0)
    differAbout(inputLine, formatText("expected %llu TCK cycles in %s, found %lld%s",
                                      static_cast<unsigned long long>(run.cycles), in,
                                      static_cast<long long>(found), elsewhere.c_str()));
  // The run's cycles that were not the RUNTESTs' own (the move into the run
  // state) are taken to be there: the rest are the RUNTESTs'.
  const uint64_t others = run.cycles - std::min(run.cycles, run.runTestCycles);
  const uint64_t own = elsewhere.empty() && static_cast<uint64_t>(found) > others
                           ? static_cast<uint64_t>(found) - others
                       : elsewhere.empty() ? 0
                                           : static_cast<uint64_t>(found);
  differAbout(inputLine, formatText("RUNTEST in %s: expected %llu TCK cycles, found %llu%s", in,
                                    static_cast<unsigned long long>(run.runTestCycles),
                                    static_cast<unsigned long long>(own), elsewhere.c_str()));
}

void Replay::differRunWait(const RunItem& run, int64_t inputLine, const std::string& found) {
  const std::string expected = expectedWait(run);
  if (run.type == RunItem::RunTestWait)
    differAbout(inputLine, formatText("RUNTEST in %s: expected a wait of %s, found %s",
                                      runStateName(run.state), expected.c_str(), found.c_str()));
  differAbout(inputLine,
              formatText("expected a wait of %s, found %s", expected.c_str(), found.c_str()));
}

}  // namespace vantrel
