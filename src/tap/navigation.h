// Moving the TAP controller: single steps, the reset sequence from an unknown
// state, and the fixed paths between the four stable states.
#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "tap/tap_state.h"

namespace vantrel {

// One cycle with TMS 1 (or 0), TDI not driven, TDO not compared; the comment
// goes on the TCK-high line.
void clockTms1(std::string_view comment = {});
void clockTms0(std::string_view comment = {});

// Takes the one cycle from currentState to `target`. Returns false, writing
// nothing, when `target` is not one cycle away. From UNKNOWN it first writes
// the reset sequence and then moves to `target` by the stable-state paths.
bool stepTapState(TapState target);

// Takes one step to each state of `path` in turn; a state that is not one
// cycle away writes nothing.
void walkPath(std::initializer_list<TapState> path);
void walkPath(const std::vector<TapState>& path);

// Walks to a stable state by the fixed path from the stable state the model is
// in (from UNKNOWN: the reset sequence first). From a state that is not stable
// nothing is written. A target that is not stable stops the run.
void moveToStableState(TapState target);

// Ends the current file and starts the next one from Run-Test-Idle.
void startNextFileInIdle();

// Reaches Test-Logic-Reset by TMS-1 cycles, one cycle at a time (from UNKNOWN:
// the reset sequence).
void clockIntoReset();

// The state whose SVF name (all upper or all lower case) is `word`; any other
// word stops the run.
TapState matchStateName(std::string_view word);

}  // namespace vantrel
