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
  if (run.type == RunItem::Cycles) return waitTimeText(run.micros);
  return run.text ? *run.text : std::string("?");
}

}  // namespace

// A run taken from the record: its RUNTESTs count, and the wait of the last
// is due next.
void Replay::tookRun(const RunItem& run, int64_t inputLine) {
  totals_.runTests += static_cast<int64_t>(run.runTests);
  totals_.runTestCycles += static_cast<int64_t>(run.runTestCycles);
  if (!run.wait) return;
  dueWait_ = run;
  dueWaitLine_ = inputLine;
  waitDue_ = true;
}

bool Replay::nextRun(RunItem& run, Reader& after) {
  for (;;) {
    if (waitDue_ || expected_.peek() != Reader::Run) return false;
    after = expected_;
    run = after.takeRun();
    // A run of no cycle only counts its RUNTESTs: whose clocks are all a
    // wait, with no move before them in their state.
    if (run.type != RunItem::Cycles || run.cycles != 0) return true;
    expected_ = after;
    tookRun(run, after.line());
  }
}

void Replay::closeRun() {
  const int64_t found = runCycles_;
  runCycles_ = 0;
  RunItem run;
  Reader after = expected_;
  const bool given = nextRun(run, after);
  // Cycles where the SVF gives a wait first.
  if (waitDue_) differRunWait(dueWait_, dueWaitLine_, "none");
  if (!given)
    differ(formatText("%lld TCK cycles in %s that the SVF does not give",
                      static_cast<long long>(found), runStateName(runState_)));
  if (run.type != RunItem::Cycles) differRunWait(run, after.line(), "none");
  if (run.state != runState_ || static_cast<uint64_t>(found) != run.cycles)
    differRunCycles(run, after.line(), found);
  expected_ = after;
  tookRun(run, after.line());
}

void Replay::expectNoRun() {
  RunItem run;
  Reader after = expected_;
  const bool given = nextRun(run, after);
  if (waitDue_) differRunWait(dueWait_, dueWaitLine_, "none");
  if (!given) return;
  if (run.type == RunItem::Cycles) differRunCycles(run, after.line(), 0);
  differRunWait(run, after.line(), "none");
}

void Replay::waitOnPath(std::string_view time, double seconds, double resolution) {
  if (runCycles_ != 0) closeRun();
  RunItem run;
  Reader after = expected_;
  const bool given = nextRun(run, after);  // or the wait of the run before is due
  if (waitDue_) {
    // The text stands for the time to its last digit.
    if (std::fabs(seconds - static_cast<double>(dueWait_.micros) * 1e-6) >
        resolution * (0.5 + 1e-9))
      differRunWait(dueWait_, dueWaitLine_, "a wait of " + std::string(time));
    totals_.runTestWaitSeconds += seconds;
    waitDue_ = false;
    return;
  }
  if (!given) differ("a wait of " + std::string(time) + " that the SVF does not give");
  if (run.type == RunItem::Cycles) differRunCycles(run, after.line(), 0);
  if (!run.text || time != *run.text)
    differRunWait(run, after.line(), "a wait of " + std::string(time));
  expected_ = after;
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
  uint64_t own = static_cast<uint64_t>(found);
  if (elsewhere.empty()) own = own > others ? own - others : 0;
  differAbout(inputLine, formatText("RUNTEST in %s: expected %llu TCK cycles, found %llu%s", in,
                                    static_cast<unsigned long long>(run.runTestCycles),
                                    static_cast<unsigned long long>(own), elsewhere.c_str()));
}

void Replay::differRunWait(const RunItem& run, int64_t inputLine, const std::string& found) {
  const std::string expected = expectedWait(run);
  if (run.type == RunItem::Cycles)
    differAbout(inputLine, formatText("RUNTEST in %s: expected a wait of %s, found %s",
                                      runStateName(run.state), expected.c_str(), found.c_str()));
  differAbout(inputLine,
              formatText("expected a wait of %s, found %s", expected.c_str(), found.c_str()));
}

}  // namespace vantrel
