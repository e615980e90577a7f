#include "scan/retry_loop.h"

#include <string>

#include "base/settings.h"
#include "check/expected_scans.h"
#include "scan/scan_bits.h"
#include "scan/shift.h"
#include "svf/statement_reader.h"
#include "tap/navigation.h"
#include "tap/state_commands.h"
#include "vcl/emitter.h"
#include "vcl/output_files.h"

namespace vantrel {

namespace {

void writePinOrder() {
  outputFile.write(pinOrderLine());
  outputFile.put('\n');
}

}  // namespace

bool retryLoopApplies() {
  const ScanRecord& sdr = scanRegisters[SDR];
  if (!settings.retryMode || idcodeComment || !sdr.tdoBits) return false;
  if (settings.compareVector < 0 || static_cast<uint32_t>(settings.compareVector) >= sdr.length)
    return false;
  const uint32_t compare = static_cast<uint32_t>(settings.compareVector);
  const char tms = compare + 1 == sdr.length ? lastBitTms(SDR) : '0';
  const ScanBit bit = scanBitAt(sdr, compare);
  return tms == '0' && bit.tdi() != 'Z' && bit.expected() != 'X';
}

// The way back from the last data bit to Shift-DR, as runRetryLoop() walks it:
// from Exit1-DR when the last data bit left Shift-DR, else one cycle more.
constexpr int64_t kReturnCycles = 6;
// The idle cycle before the RUNTEST clocks, and Select, Capture, Shift.
constexpr int64_t kReentryCycles = 4;

int64_t retryLoopLines() {
  const ScanRecord& sdr = scanRegisters[SDR];
  const int64_t back = kReturnCycles + (lastBitTms(SDR) == '1' ? 0 : 1);
  const int64_t clocks = lastClockRun().cycles;
  const int64_t loop = 2 * (int64_t{sdr.length} + back + clocks + kReentryCycles);
  // Past any file's reach; keeps the arithmetic below in range.
  if (loop > INT32_MAX) return INT64_MAX / 4;
  const int64_t compare = settings.compareVector;
  const int64_t secondPass = 1 + 2 * (int64_t{sdr.length} - compare - 1);
  return loop * (1 + int64_t{settings.loopAdjust}) + secondPass;
}

void runRetryLoop() {
  const ScanRecord& sdr = scanRegisters[SDR];
  const uint32_t compare = static_cast<uint32_t>(settings.compareVector);

  outputFile.write("end pcf\nhomingloop ");
  outputFile.write(std::to_string(settings.loopCount));
  outputFile.write(" times\npcf\n");
  writePinOrder();
  const int64_t countBeforeLoop = vectorCount;

  // The loop body: every bit once, nothing compared but the compare bit,
  // whose low line leaves the loop when it passes.
  RegisterShift body(SDR, /*compares=*/false);
  body.clockBits(compare);
  const RegisterShift::Bit compared = body.nextBit();
  pcfMode = false;
  outputFile.write("end pcf\n");
  writeTckLow(compared.tms, compared.levels.tdi(), scanBitAt(sdr, compare).expected(),
              " exit if pass");
  outputFile.write("pcf\n");
  writePinOrder();
  pcfMode = true;
  writeTckHigh(compared.tms, compared.levels.tdi(), 'X', compared.comment);
  body.skipBit();
  body.clockRest();

  // Back round to Shift-DR for the next try: through Pause-DR, one cycle in
  // Shift-DR, Update-DR and Run-Test-Idle with the last RUNTEST's clocks
  // (its TCK cycles and its wait).
  // The try that fails is not the tester's path on a good board.
  {
    ExpectedScans::Pause failingTry(expectedScans);
    walkPath({DREXIT1, DRPAUSE, DREXIT2, DRSHIFT, DREXIT1, DRUPDATE, IDLE});
    runIdleClocks();
    walkPath({DRSELECT, DRCAPTURE, DRSHIFT});
  }
  outputFile.write("end pcf\nend homingloop\npcf\n");
  writePinOrder();

  // The tester leaves the loop in Shift-DR at the compare vector's low line.
  currentState = DRSHIFT;
  // The loop's lines run up to loopAdjust more times than they are written.
  vectorCount += (vectorCount - countBeforeLoop) * settings.loopAdjust;

  // Second pass: the scan goes on from the compare bit's high half. The
  // bits before it were shifted in the loop, where the model follows them.
  RegisterShift pass(SDR);
  for (uint32_t i = 0; i < compare; ++i, pass.skipBit()) {
    std::string_view unused;
    currentState = nextTapState(pass.nextBit().tms, unused);
    if (trstLevel == '0') currentState = RESET;
  }
  const RegisterShift::Bit resumed = pass.nextBit();
  writeTckHigh(resumed.tms, resumed.levels.tdi(), 'X', resumed.comment);
  pass.skipBit();
  pass.clockRest();
}

}  // namespace vantrel
