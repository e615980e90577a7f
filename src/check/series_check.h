// The check of a run (-CHECK, -CHECKONLY): every file of the series is read
// back and replayed (check/replay.h), and the scans it shifts are compared
// with the scans the translator read from the SVF (check/expected_scans.h).
//
// It proves that the vectors carry those scans, bit for bit, in order, and
// between them the TCK cycles in a stable state and the tester waits that
// the options give the RUNTESTs; it cannot prove the SVF itself right.
#pragma once

#include <vector>

#include "check/line_source.h"

namespace vantrel {

// Replays `files`, the whole series in order. When every scan matches,
// prints how many were checked and how long the program runs on the tester;
// at the first difference prints its report and ends the run.
void checkSeries(const std::vector<SeriesFile>& files);

}  // namespace vantrel
