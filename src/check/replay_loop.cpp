// The retry loops of the replay (check/replay.h): the homingloop line, the
// end of the loop with its failing try back where the loop began, and the
// vectors and waits a loop adds on the tester's path and at most.
#include "base/console.h"
#include "base/settings.h"
#include "check/replay.h"
#include "check/vcl_statements.h"

namespace vantrel {

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

}  // namespace vantrel
