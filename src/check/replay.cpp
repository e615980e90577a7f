#include "check/replay.h"

#include "base/console.h"
#include "base/run_stop.h"
#include "base/settings.h"
#include "check/vcl_statements.h"

namespace vantrel {

void Replay::replayFile(const SeriesFile& file) {
  fileName_ = file.name;
  declarations_ = FileDeclarations();
  orderInForce_ = false;
  inUnit_ = unitBegun_ = unitEnded_ = inPcf_ = vectorsAllowed_ = inShift_ = false;
  fileVectors_ = 0;
  if (!source_.open(file)) differ(0, "the file cannot be opened");
  ++totals_.files;
  for (std::string_view text;;) {
    if (inShift_ && expectedCycles()) continue;
    if (!source_.next(text, orderInForce_ ? columns_.width : 0)) break;
    line(text);
  }
  if (source_.failed()) differ(0, "the file cannot be read to its end");
  if (inLoop_) differ("the file ends inside a retry loop");
  if (path_->lowPending) differ("the file ends between the two lines of a cycle");
  if (declarations_.definingVector()) differ("the file ends inside a vector definition");
  if (!unitEnded_) differ("the file does not end its unit");
}

// A vector line in a retry loop, or one past what a tester takes.
void Replay::countVectorInLoop() {
  if (fileVectors_ >= kTesterLineCeiling)
    differ(formatText("the file reaches %lld vector lines, more than a tester takes",
                      static_cast<long long>(kTesterLineCeiling)));
  ++loop_.allVectors;
  if (!loop_.compared) ++loop_.passVectors;
}

void Replay::beginLoop(std::string_view rest) {
  if (inLoop_) differ("a retry loop inside another");
  if (inPcf_ || !inUnit_) differ("a retry loop outside the unit or inside a pcf block");
  int64_t count;
  if (!parseLoopCount(rest, count)) differ("a homingloop line the check cannot read");
  if (count != settings.loopCount)
    differ(formatText("a retry loop of %lld times; the options give %d",
                      static_cast<long long>(count), settings.loopCount));
  if (count < 1) differ("a retry loop that runs no time shifts none of its bits");
  if (main_.state != DRSHIFT)
    differ("a retry loop that begins in " + stateName(main_.state) + ", not in Shift-DR");
  inLoop_ = true;
  loop_ = Loop{};
  loop_.line = source_.lineNumber();
  loop_.count = count;
  loop_.start = main_.state;
  totals_.retryLoops = true;
}

void Replay::endLoop() {
  if (!inLoop_ || inPcf_) differ("end homingloop outside a retry loop or inside a pcf block");
  if (!loop_.compared) differ("a retry loop without its execute line");
  if (failing_.lowPending) differ("the failing try ends between the two lines of a cycle");
  if (!loop_.updated || !loop_.recaptured || failing_.state != loop_.start)
    differ(
        formatText("the failing try of the retry loop of line %lld ends in %s without passing "
                   "Update-DR and Capture-DR back to Shift-DR",
                   static_cast<long long>(loop_.line), stateName(failing_.state).c_str()));
  // The tester's path goes on after the loop, with the execute line's cycle.
  path_ = &main_;
  inLoop_ = false;
  totals_.vectors += loop_.passVectors;
  totals_.waitSeconds += loop_.passWait;
  // Vectors outside loops are added at the end.
  totals_.mostVectors += static_cast<double>(loop_.allVectors) * static_cast<double>(loop_.count) -
                         static_cast<double>(loop_.passVectors);
  totals_.mostWaitSeconds += loop_.allWait * static_cast<double>(loop_.count);
}

void Replay::finish() {
  if (runCycles_ != 0) closeRun();
  expectNoRun();
  if (scanOpen_) {
    const char* scan = scanName(scanInstruction_);
    const ExpectedScans::Reader::Kind next = expected_.peek();
    if (next == ExpectedScans::Reader::Bit)
      differ(formatText("the files end inside the %s, after %llu of its %llu bits", scan,
                        static_cast<unsigned long long>(scanBits_), expectedLength()));
    if (next == ExpectedScans::Reader::End && expected_.takeEnd() != ScanEnd::Either)
      differ(formatText("the files end before the end of the %s", scan));
    scanOpen_ = false;
  }
  if (expected_.peek() != ExpectedScans::Reader::Done) {
    ExpectedScans::Reader ahead(expected_);
    unsigned long long scans = 0;
    for (ExpectedScans::Reader::Kind kind; (kind = ahead.peek()) != ExpectedScans::Reader::Done;) {
      if (kind == ExpectedScans::Reader::Start) {
        ++scans;
        ahead.takeStart();
      } else if (kind == ExpectedScans::Reader::End) {
        ahead.takeEnd();
      } else if (kind == ExpectedScans::Reader::Run) {
        ahead.takeRun();
      } else {
        char tdi, tdo;
        ahead.takeBit(tdi, tdo);
      }
    }
    differ(
        formatText("the files end; the SVF gives %llu more scan%s", scans, scans == 1 ? "" : "s"));
  }
  totals_.mostVectors += static_cast<double>(totals_.vectors);
}

int64_t Replay::svfLine() {
  if (scanOpen_) return expected_.line();
  ExpectedScans::Reader ahead(expected_);
  while (ahead.peek() == ExpectedScans::Reader::Run) ahead.takeRun();
  if (ahead.peek() == ExpectedScans::Reader::Start) ahead.takeStart();
  return ahead.line();
}

void Replay::differ(int64_t fileLine, const std::string& what) {
  differAt(fileLine, what, svfLine());
}

void Replay::differAt(int64_t fileLine, const std::string& what, int64_t inputLine) {
  if (fileLine > 0)
    say("Check failed in %s, line %lld: %s.\n", fileName_.c_str(), static_cast<long long>(fileLine),
        what.c_str());
  else
    say("Check failed: %s: %s.\n", fileName_.c_str(), what.c_str());
  endRunAtInputLine(inputLine);
}

}  // namespace vantrel
