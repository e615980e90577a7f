// The bits a scan statement gives, put down for the check (check/expected_scans.h).
#pragma once

#include "scan/scan_group.h"

namespace vantrel {

// Puts down the scan about to be shifted: its header, data and trailer bits
// in shift order, each register read by its own bit rules. A retried SDR
// compares, on the tester's path where every compare passes, only its
// compare bit (on the execute line) and the bits after it (second pass).
void recordExpectedScan(const ScanGroup& group, bool retried);

}  // namespace vantrel
