#include "check/series_check.h"

#include "base/console.h"
#include "base/settings.h"
#include "check/expected_scans.h"
#include "check/replay.h"

namespace vantrel {

namespace {
constexpr double kVectorSeconds = 500e-9;  // the vector cycle every file declares
}

void checkSeries(const std::vector<SeriesFile>& files) {
  expectedScans.finish();
  Replay replay(expectedScans);
  for (const SeriesFile& file : files) replay.replayFile(file);
  replay.finish();
  const ReplayTotals& totals = replay.totals();
  say("Checked %d files: %ld scans of %lld bits shift as the SVF gives them.\n", totals.files,
      static_cast<long>(totals.scans), static_cast<long long>(totals.bits));
  if (totals.runTests > 0)
    say("Checked %ld RUNTESTs: %lld TCK cycles in their run states, waits %.3f s.\n",
        static_cast<long>(totals.runTests), static_cast<long long>(totals.runTestCycles),
        totals.runTestWaitSeconds);
  say("Tester time: %.3f s (%lld vectors of 500 ns, waits %.3f s).\n",
      static_cast<double>(totals.vectors) * kVectorSeconds + totals.waitSeconds,
      static_cast<long long>(totals.vectors), totals.waitSeconds);
  if (totals.retryLoops)
    say("Up to %.3f s if every retry loop runs %d times.\n",
        totals.mostVectors * kVectorSeconds + totals.mostWaitSeconds, settings.loopCount);
}

}  // namespace vantrel
