// The two kinds of scan: a data scan (SDR between HDR and TDR, through
// Shift-DR) and an instruction scan (SIR between HIR and TIR, through
// Shift-IR), with the fixed paths into the shift state and out of it.
#pragma once

#include <vector>

#include "scan/registers.h"
#include "tap/tap_state.h"

namespace vantrel {

struct ScanGroup {
  ScanRegisterId header, data, trailer;
  TapState shift, pause, exit2;
  const TapState* endState;  // set by ENDDR or ENDIR
  // Indexed by the stable state the path starts from (entry) or ends in
  // (exit, from Exit1): Test-Logic-Reset, Run-Test-Idle, Pause-DR, Pause-IR.
  // From a pause state the entry goes through Run-Test-Idle.
  std::vector<TapState> entry[4];
  std::vector<TapState> exit[4];
  void (*finish)();  // the group's per-scan values are used up

  // The path from (or to) a stable state; none from any other state.
  const std::vector<TapState>& entryFrom(TapState state) const;
  const std::vector<TapState>& exitTo(TapState state) const;
};

extern const ScanGroup drScan;
extern const ScanGroup irScan;

}  // namespace vantrel
