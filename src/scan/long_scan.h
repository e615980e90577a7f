// Scans too long for one output file (-SPLITSCANS).
//
// IEEE 1149.1 lets a shift pause and resume without disturbing the register:
// the bit before the pause is shifted with TMS 1 into Exit1, one TMS-0 cycle
// enters Pause-DR (or Pause-IR), and later TMS 1 (Exit2) and TMS 0 (Shift)
// resume the shift. No Capture and no Update happen in between, so the device
// sees one continuous scan. The controller rests in the pause state while the
// tester ends one file and starts the next, as it rests in any stable state
// between files. A whole FPGA bitstream in one SDR of millions of bits is
// written so: cut each time its file reaches the split threshold.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "scan/scan_group.h"
#include "vcl/output_files.h"

namespace vantrel {

// The cut points of one long scan, decided bit by bit as the scan is shifted.
class ScanCuts {
 public:
  explicit ScanCuts(const ScanGroup& group);

  // Before each bit of the scan (header, data and trailer bits in shift
  // order): true when this bit is the last one of the file's piece of the
  // scan, and so is shifted with TMS 1.
  bool endsPiece() {
    const uint64_t after = --bitsLeft_;
    if (after == 0) return false;  // the scan's last bit leaves the shift state anyway
    // Before the last bit: the file must also take that bit and the exit path.
    const int64_t tail = after == 1 ? 2 + exitLines_ : 0;
    return vectorCount + 2 + tail >= threshold_;
  }

  // After that bit: the cycle into the pause state, the next file, and the
  // two cycles back into the shift state.
  void pauseAndResume();

  // How many of the next bits surely do not end their piece (fewer than may
  // not), as each adds two lines to the file; pass() takes them, as many
  // calls of endsPiece() would.
  uint64_t bitsSurelyUncut() const {
    // Before the scan's last bit but one, that bit and the exit path too.
    const int64_t room = threshold_ - vectorCount - 4 - exitLines_;
    return room > 0 ? std::min(bitsLeft_, static_cast<uint64_t>(room / 2)) : 0;
  }
  void pass(uint64_t bits) { bitsLeft_ -= bits; }

 private:
  const ScanGroup& group_;
  uint64_t bitsLeft_;
  int64_t exitLines_;
  int64_t threshold_;
  bool announced_ = false;
};

// The lines the scan about to start writes, as the scan is written whole:
// the path into the shift state from where the controller is, every bit, the
// path to the end state, and for a retried SDR the loop with its charge.
int64_t scanLineCount(const ScanGroup& group, bool retried);

// With -SPLITSCANS, the cuts of a scan whose lines exceed the vector limit of
// a file; none for every other scan, which is written whole as without the
// option. A scan that cannot start in the file it comes to (no room for the
// way into the shift state and one bit) starts the next file first.
std::optional<ScanCuts> planCuts(const ScanGroup& group, bool retried);

}  // namespace vantrel
