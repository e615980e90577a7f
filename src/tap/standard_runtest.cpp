// RUNTEST as the SVF standard defines it (option -STDSVF).
//
// The standard lets a RUNTEST name the state its clocks run in and the state
// it leaves the controller in, both remembered for later RUNTESTs, and give
// the run as a clock count, a minimum time, or both (the larger wins). A
// tester clock cycle takes one microsecond (two 500 ns vectors), so a time
// becomes a count of microseconds.
//
// A count with a time ("RUNTEST IDLE 2 TCK 1.0E-2 SEC") asks for that many
// TCK cycles and then at least that long: the cycles start an operation
// (a device may report busy when they come after the pause), so they are
// written as cycles, and only the rest of the time becomes a tester wait.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "base/console.h"
#include "base/settings.h"
#include "base/statement.h"
#include "svf/decimal.h"
#include "svf/tokenizer.h"
#include "tap/navigation.h"
#include "tap/state_commands.h"

namespace vantrel {

namespace {

bool looksLikeNumber(std::string_view word) {
  return !word.empty() && ((word[0] >= '0' && word[0] <= '9') || word[0] == '+' || word[0] == '-' ||
                           word[0] == '.' || word[0] == ',');
}

[[noreturn]] void refuse() { stopShowingCommandLine("\nUnsupported RUNTEST form!\n"); }

// Past any time a test asks for (31 years); keeps a wait line short.
constexpr int64_t kMostClocks = 999999999999999;

// A time in seconds as clocks of one microsecond, rounded up.
int64_t microseconds(const SvfNumber& time) {
  noteDecimalComma(time);
  return ceilScaled(time, 6, kMostClocks);
}

// Takes the words of a RUNTEST left to right; the first fault decides the
// report, and every report comes before anything is written.
class RunTestWords {
 public:
  RunTestWords(std::string_view parameter, std::string_view& rest) {
    words_.push_back(parameter);
    for (std::string_view word; nextToken(rest, word);) words_.push_back(word);
  }

  bool done() const { return next_ == words_.size(); }
  bool nextIs(std::string_view keyword) const { return !done() && isSvfKeyword(peek(), keyword); }
  bool nextIsNumber() const { return !done() && looksLikeNumber(peek()); }
  std::string_view take() {
    if (done()) refuse();
    return words_[next_++];
  }

  void expect(std::string_view keyword) {
    if (!nextIs(keyword)) refuse();
    ++next_;
  }

  // A stable state name: an unknown word and a state the controller cannot
  // rest in are reported as such.
  TapState takeStableState() {
    const TapState state = matchStateName(take());
    if (!isStableState(state))
      stopShowingCommandLine("\nSTATE parameter specified is not a stable state!\n");
    return state;
  }

  // A number not below zero.
  SvfNumber takeNumber() {
    SvfNumber number;
    if (!parseSvfNumber(take(), number) || isBelowZero(number)) refuse();
    return number;
  }

  // A time in seconds ("1.0E-3 SEC"), as microseconds rounded up.
  int64_t takeTime() {
    const SvfNumber time = takeNumber();
    expect("SEC");
    return microseconds(time);
  }

 private:
  std::string_view peek() const { return words_[next_]; }

  std::vector<std::string_view> words_;
  size_t next_ = 0;
};

}  // namespace

void handleStandardRunTest(std::string_view parameter, std::string_view& rest) {
  RunTestWords words(parameter, rest);
  std::optional<TapState> runState, endState;
  if (!words.nextIsNumber()) runState = words.takeStableState();

  int64_t clocks = 0;
  int64_t count = 0;                    // of TCK cycles
  int64_t keptCycles = 0;               // of the clocks, the TCK cycles kept before a wait
  if (!words.nextIsNumber()) refuse();  // neither a count nor a time
  const SvfNumber first = words.takeNumber();
  bool timeGiven = true;
  if (words.nextIs("TCK") || words.nextIs("SCK")) {
    // In a count a comma may separate thousands: 1,000 is no number of clocks.
    if (first.decimalComma) refuse();
    // A count of SCK, the system clock, gives no TCK cycle.
    const bool tck = words.nextIs("TCK");
    words.take();
    clocks = ceilScaled(first, 0, kMostClocks);
    timeGiven = words.nextIsNumber();
    if (tck) {
      count = clocks;
      keptCycles = timeGiven ? count : settings.keepClocks;
    }
    if (timeGiven) clocks = std::max(clocks, words.takeTime());
  } else {
    words.expect("SEC");
    clocks = microseconds(first);
  }
  if (timeGiven && words.nextIs("MAXIMUM")) {  // an upper bound the tester cannot use
    words.take();
    words.takeTime();
  }
  if (words.nextIs("ENDSTATE")) {
    words.take();
    endState = words.takeStableState();
  }
  if (!words.done()) refuse();

  if (runState) standardRunState = standardEndState = *runState;
  if (endState) standardEndState = *endState;
  const ClockRun run =
      planClockRun(static_cast<uint64_t>(clocks), static_cast<uint64_t>(keptCycles));
  checkClockLimit(run.cycles);
  runRunTest(standardRunState, run, static_cast<uint64_t>(count));
  if (standardEndState != standardRunState) moveToStableState(standardEndState);
}

}  // namespace vantrel
