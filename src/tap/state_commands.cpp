#include "tap/state_commands.h"

#include <algorithm>
#include <string>

#include "base/console.h"
#include "base/settings.h"
#include "base/statement.h"
#include "base/wait_time.h"
#include "check/expected_scans.h"
#include "svf/decimal.h"
#include "svf/tokenizer.h"
#include "tap/navigation.h"
#include "vcl/emitter.h"
#include "vcl/output_files.h"
#include "vcl/preamble.h"

namespace vantrel {

int64_t runTestsWaited = 0;
int64_t firstRunTestWaitedLine = 0;
TapState standardRunState = IDLE;
TapState standardEndState = IDLE;

namespace {

// How the latest RUNTEST was run, once there is one.
bool runTestSeen = false;
ClockRun latestRun;

// TRST modes and the TRST level each sets: ON holds the controller in reset
// (TRST low), OFF releases it, Z leaves the pin undriven, ABSENT sets none.
struct TrstMode {
  const char* upper;
  const char* lower;
  char level;
};
constexpr TrstMode kTrstModes[] = {
    {"ON", "on", '0'}, {"OFF", "off", '1'}, {"Z", "z", 'Z'}, {"ABSENT", "absent", '\0'}};

char matchTrstMode(std::string_view word) {
  for (const TrstMode& mode : kTrstModes)
    if (word == mode.upper || word == mode.lower) return mode.level;
  say("Could not match TRST mode of %s\n!", std::string(word).c_str());
  stopShowingCommandLine("");
}

bool isWholeNumber(std::string_view word) {
  if (!word.empty() && (word[0] == '+' || word[0] == '-')) word.remove_prefix(1);
  if (word.empty()) return false;
  for (char c : word)
    if (c < '0' || c > '9') return false;
  return true;
}

bool isClockWord(std::string_view word) {
  return isSvfKeyword(word, "TCK") || isSvfKeyword(word, "SCK");
}

// One state of an explicit path. With -STDSVF the path may name RESET from
// any state: TMS-1 cycles reach it, as the SVF standard allows.
bool stepToPathState(TapState state) {
  if (stepTapState(state)) return true;
  if (state != RESET || !settings.standardSvf) return false;
  clockIntoReset();
  return true;
}

}  // namespace

ClockRun lastClockRun() { return runTestSeen ? latestRun : planClockRun(0, 0); }

void resetStateCommands() {
  runTestSeen = false;
  runTestsWaited = 0;
  firstRunTestWaitedLine = 0;
  standardRunState = IDLE;
  standardEndState = IDLE;
}

ClockRun planClockRun(uint64_t clocks, uint64_t cycles) {
  ClockRun run;
  const uint64_t most = INT32_MAX;
  if (!settings.convertRuntest) {
    run.cycles = static_cast<uint32_t>(std::min(clocks, most));
    return run;
  }
  run.cycles = static_cast<uint32_t>(std::min({clocks, cycles, most}));
  run.waitMicros = clocks - run.cycles;
  run.wait = run.cycles == 0 || run.waitMicros > 0;
  return run;
}

// Half the vector limit: a run of more cycles cannot fit in one file.
void checkClockLimit(uint32_t cycles) {
  // With -SPLITSCANS a run too long for one file continues in the next.
  if (settings.splitScans) return;
  const int64_t half = settings.vectLimit / 2;
  if (static_cast<int64_t>(cycles) > half) {
    say("The number of clocks on RUNTEST command is too large!\n");
    say("Max number allowed is %ld !\n", static_cast<long>(half));
    fatalStop();
  }
}

namespace {

// `cycles` TCK cycles in `runState`, where the controller is.
void writeRunCycles(TapState runState, uint32_t cycles) {
  const int64_t lines = 2 * static_cast<int64_t>(cycles);
  if (cutAcrossFiles(lines)) {
    // Too long for one file: the run goes on in the next file in the same
    // stable state, each time a file reaches the split threshold.
    // Every file gets at least one clock of the run.
    if (lines > INT32_MAX) stopCommandTooLarge(statementLine);
    int64_t pieceStart = vectorCount;
    for (uint32_t i = 0; i < cycles; ++i) {
      if (vectorCount >= splitThreshold() && vectorCount > pieceStart) {
        continueInNextFile();
        pieceStart = vectorCount;
      }
      stepTapState(runState);
    }
    return;
  }
  checkRoomForLines(lines + 16);
  for (uint32_t i = 0; i < cycles; ++i) stepTapState(runState);
}

void runClocks(TapState runState, const ClockRun& run) {
  moveToStableState(runState);
  expectedScans.beginRun(runState, run.cycles);
  writeRunCycles(runState, run.cycles);
  if (!run.wait) return;
  expectedScans.runWait(runState, run.waitMicros);
  writeWaitStatement(waitTimeText(run.waitMicros));
}

}  // namespace

void runRunTest(TapState runState, const ClockRun& run, uint64_t tckCount) {
  runTestSeen = true;
  latestRun = run;
  runClocks(runState, run);
  if (run.cycles < tckCount && runTestsWaited++ == 0) firstRunTestWaitedLine = statementLine;
}

void runIdleClocks() {
  const ClockRun run = lastClockRun();
  checkClockLimit(run.cycles);
  runClocks(IDLE, run);
}

void handleState(std::string_view parameter, std::string_view& rest) {
  TapState state = matchStateName(parameter);
  if (rest.empty()) {
    moveToStableState(state);
  } else {
    bool stepped = stepToPathState(state);
    std::string_view word;
    while (stepped && nextToken(rest, word)) stepped = stepToPathState(matchStateName(word));
    if (!stepped) stopShowingCommandLine("\nInvalid explicit state path specified!\n");
  }
  if (!isStableState(currentState))
    stopShowingCommandLine("\nEnding state was not a stable state\n");
}

void handleEndDr(std::string_view parameter) { endDrState = matchStateName(parameter); }

void handleEndIr(std::string_view parameter) { endIrState = matchStateName(parameter); }

void handleTrst(std::string_view parameter) {
  const char level = matchTrstMode(parameter);
  if (level != '0') {
    trstLevel = level;
    return;
  }
  if (!trstAssigned) {
    // Nothing on the tester drives TRST, so the controller was not reset:
    // its state is unknown until the next move resets it with TMS.
    expectedScans.resetByTms(currentState);
    currentState = UNKNOWN;
    return;
  }
  // Drive TRST low for one cycle at once, with TMS high so that the
  // controller stays in Test-Logic-Reset when TRST is released.
  if (!preambleWritten) writeUnitPreamble();
  currentState = RESET;
  expectedScans.resetByTrst();
  trstLevel = '0';
  clockTms1();
}

void handleRunTest(std::string_view parameter, std::string_view& rest) {
  std::string_view clockWord;
  const bool hasClockWord = !rest.empty() && nextToken(rest, clockWord);
  if (!isWholeNumber(parameter) || (hasClockWord && !isClockWord(clockWord))) {
    say("\nUnsupported RUNTEST form!\n");
    sayCommandLine();
    say("Use -STDSVF to translate every RUNTEST form of the SVF standard.\n");
    fatalStop();
  }
  const int32_t count = readDecimal(parameter);
  if (count < 0) stopShowingCommandLine("\nInvalid clock count on RUNTEST!\n");
  // A count of SCK, the system clock, gives no TCK cycle to keep.
  const bool tckCount = !hasClockWord || isSvfKeyword(clockWord, "TCK");
  const auto clocks = static_cast<uint64_t>(count);
  const ClockRun run =
      planClockRun(clocks, tckCount ? static_cast<uint64_t>(settings.keepClocks) : 0);
  checkClockLimit(run.cycles);

  TapState runState = IDLE;
  if (!rest.empty()) {
    // "ENDSTATE state": the first word is passed over, the second names the state.
    std::string_view word, stateWord;
    nextToken(rest, word);
    if (!nextToken(rest, stateWord)) stopShowingCommandLine("\nRUNTEST end state is missing!\n");
    runState = matchStateName(stateWord);
  }
  runRunTest(runState, run, tckCount ? clocks : 0);
}

}  // namespace vantrel
