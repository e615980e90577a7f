// Whether a scan is cut across files depends on the lines it writes, worked
// out before it is written: the count must be exact, or a scan that fits one
// file could be cut (or one that does not, written whole). Scans start from a
// stable state, or from an unknown one at the start of a run. (After ENDDR or
// ENDIR to a state that is not stable, a scan never reaches the shift state;
// its count is only an estimate.)
#include "scan/long_scan.h"

#include <gtest/gtest.h>

#include "scan/retry_loop.h"
#include "scan/shift.h"
#include "support/translator_state.h"
#include "vcl/preamble.h"

namespace vantrel::testing {
namespace {

using LongScan = TranslatorState;

TEST_F(LongScan, LineCountIsWhatTheScanWrites) {
  const TapState starts[] = {UNKNOWN, RESET, IDLE, DRPAUSE, IRPAUSE};
  const TapState ends[] = {RESET, IDLE, DRPAUSE, IRPAUSE, DRUPDATE};
  writeUnitPreamble();  // as before every scan of a run
  int checked = 0;
  for (const ScanGroup* group : {&drScan, &irScan})
    for (TapState start : starts)
      for (TapState end : ends)
        for (const char* trailer : {"0", "3"})
          for (bool retry : {false, true})
            for (bool clocks : {false, true}) {
              settings.retryMode = retry;
              settings.convertRuntest = !clocks;
              settings.loopAdjust = 3;
              settings.keepClocks = 3;  // with waits, 3 of 7 clocks are TCK cycles
              std::string_view none;
              handleRunTest("7", none);  // which the retry loop runs again
              releaseAllRegisters();
              setRegisterLength(group->header, "2");
              setTdi("1");
              setRegisterLength(group->trailer, trailer);
              setRegisterLength(group->data, "9");
              setTdi("1A5");
              setTdo("0F0");
              currentState = start;
              endDrState = endIrState = end;
              const bool retried = group == &drScan && retryLoopApplies();
              const int64_t expected = scanLineCount(*group, retried);
              const int64_t before = vectorCount;
              if (group == &drScan)
                runSdr();
              else
                runSir();
              EXPECT_EQ(vectorCount - before, expected)
                  << registerKeyword(group->data) << " from " << start << " to " << end
                  << " trailer " << trailer << " retried " << retried << " clocks " << clocks;
              ++checked;
            }
  EXPECT_EQ(checked, 2 * 5 * 5 * 2 * 2 * 2);
}

}  // namespace
}  // namespace vantrel::testing
