// The retry loop around the data bits of an SDR scan that expects data.
//
// The tester repeats the loop ("homingloop") up to the loop count until one
// chosen bit compares: that bit's TCK-low line is an execute line naming a
// predefined vector, followed by " exit if pass". After the loop the scan is
// written once more from the compared bit on, with all its comparisons.
#pragma once

#include <cstdint>

namespace vantrel {

// Retry mode is on, no idcode comment came before the scan, SDR expects data,
// and the compare bit is a bit of SDR that forms one of the predefined
// vectors (TMS 0, TDI driven, TDO compared).
bool retryLoopApplies();

// Writes SDR's data bits as the loop and the second pass. Starts and ends in
// Shift-DR.
void runRetryLoop();

// The lines runRetryLoop() charges to the file: the loop as written, again
// for every loop adjust, and the second pass.
int64_t retryLoopLines();

}  // namespace vantrel
