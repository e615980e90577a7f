#include "scan/long_scan.h"

#include "base/console.h"
#include "base/settings.h"
#include "base/statement.h"
#include "scan/retry_loop.h"
#include "tap/navigation.h"
#include "vcl/preamble.h"

namespace vantrel {

namespace {

// The cycles from the present state into the shift state: from an unknown
// state the reset sequence comes first.
int64_t entryCycles(const ScanGroup& group) {
  if (currentState == UNKNOWN) return 5 + static_cast<int64_t>(group.entryFrom(RESET).size());
  return static_cast<int64_t>(group.entryFrom(currentState).size());
}

int64_t exitLines(const ScanGroup& group) {
  return 2 * static_cast<int64_t>(group.exitTo(*group.endState).size());
}

uint64_t scanBits(const ScanGroup& group) {
  return uint64_t{scanRegisters[group.header].length} + scanRegisters[group.data].length +
         scanRegisters[group.trailer].length;
}

// A file reaching the threshold a few lines past the pause cycle is still
// acceptable; the way into the shift state must leave room for one bit.
constexpr int64_t kOvershoot = 8;

}  // namespace

ScanCuts::ScanCuts(const ScanGroup& group)
    : group_(group),
      bitsLeft_(scanBits(group)),
      exitLines_(exitLines(group)),
      threshold_(splitThreshold()) {}

void ScanCuts::pauseAndResume() {
  if (!announced_ && settings.verbosity != 0)
    say("%s of %ld bits continues in the next output file.\n", registerKeyword(group_.data),
        static_cast<long>(scanRegisters[group_.data].length));
  announced_ = true;
  stepTapState(group_.pause);
  continueInNextFile();
  stepTapState(group_.exit2);
  stepTapState(group_.shift);
}

int64_t scanLineCount(const ScanGroup& group, bool retried) {
  const ScanRecord& data = scanRegisters[group.data];
  int64_t lines = 2 * (entryCycles(group) + static_cast<int64_t>(scanBits(group)));
  lines += exitLines(group);
  if (retried) lines += retryLoopLines() - 2 * static_cast<int64_t>(data.length);
  return lines;
}

std::optional<ScanCuts> planCuts(const ScanGroup& group, bool retried) {
  if (!cutAcrossFiles(scanLineCount(group, retried))) return std::nullopt;
  // A cut scan is not retried: these are all its lines, in every file.
  if (scanLineCount(group, false) > INT32_MAX) stopCommandTooLarge(statementLine);
  if (vectorCount + 2 * entryCycles(group) > splitThreshold() + kOvershoot - 4)
    startNextFileInIdle();
  return ScanCuts(group);
}

}  // namespace vantrel
