// The scans the SVF program asks for, as the translator reads them: what the
// check (check/series_check.h) compares the written files with.
//
// While a run with -CHECK translates, the scan code puts down every scan its
// statements give: the register (DR or IR) and, for each bit in shift order,
// the level driven on TDI ('0', '1', or 'Z' where SMASK leaves it undriven)
// and the level expected on TDO ('H', 'L', or 'X' where nothing is
// compared). The bits come from the scan registers by the scan code's own
// rules, never from the vector lines.
//
// The TAP steps the translator plans (not the cycles the emitter writes)
// shift the bits of explicit STATE paths and end scans: a step that starts in
// Shift-DR or Shift-IR shifts one undriven, uncompared bit (STATE ... DRSHIFT
// DREXIT1 ...), a step into Update-DR or Update-IR ends the scan, and TRST
// ends it without an Update. A pass through Capture and Update that shifts no
// bit is no scan.
//
// Between the scans the record holds the runs in a stable state and the
// tester waits, in order: a run is the planned steps in a row that stay in
// one stable state (Run-Test/Idle with TMS 0, Test-Logic-Reset with TMS 1,
// a pause state with TMS 0), with the share of them that RUNTESTs asked
// for; a wait is a RUNTEST's, by its length, or one a comment asked for, by
// its text. The five TMS-1 cycles of a reset sequence stay in
// Test-Logic-Reset as often as the controller's true state makes them:
// unknown at the start (the check does not count them then), else the state
// it was in when the translator lost track of it (TRST without a TRST node).
//
// Memory: four bits per scan bit, kept in blocks (no copy as the record
// grows), and a few more per scan, run or wait for its numbers and its SVF
// line.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/tap_controller.h"

namespace vantrel {

// How a scan ends.
enum class ScanEnd {
  Update,  // the controller passes Update-DR or Update-IR
  Reset,   // TRST resets the controller in the middle of the scan
  Either,  // a reset by TMS from wherever the controller is: Update or not
  Open,    // nothing ends it: the next scan begins, or the program ends
};

// The part of a bit's code that each TDI level and each TDO level gives.
struct LevelCodes {
  uint8_t tdi[256] = {};
  uint8_t tdo[256] = {};
  constexpr LevelCodes() {
    for (int c = 0; c < 256; ++c) {
      tdi[c] = c == '0' ? 0 : c == '1' ? 3 : 6;
      tdo[c] = c == 'L' ? 0 : c == 'H' ? 1 : 2;
    }
  }
};
inline constexpr LevelCodes kLevelCodes{};

class ExpectedScans {
 public:
  // Forgets every scan; `enabled` false makes the calls below do nothing.
  void reset(bool enabled);
  bool enabled() const { return enabled_; }

  // A TAP step that the translator plans, one cycle from `from` to `to`.
  void plannedStep(TapState from, TapState to) {
    if (enabled_ && paused_ == 0) noteStep(from, to);
  }
  // An SDR or SIR scan with its header and trailer: its bits follow.
  void beginScan(bool instruction);
  void addBit(char tdi, char tdo) { push(bitCode(tdi, tdo)); }
  // The same with the bit's levels as bitCode() gives them.
  void addBitCode(uint8_t code) { push(code); }
  // `count` bits by their codes, two to a byte of the record.
  void addBitCodes(const uint8_t* codes, size_t count);
  // TRST held low: an open scan ends without Update.
  void resetByTrst() {
    endRun();
    end(ScanEnd::Reset);
  }
  // TRST without a TRST node: the translator no longer knows the state,
  // which stays `stateBefore`, and a reset by TMS follows: Update or not.
  // No cycle is written: a run in Test-Logic-Reset goes on through it.
  void resetByTms(TapState stateBefore) {
    if (stateBefore != UNKNOWN) trueState_ = stateBefore;
    if (open_) endRun();  // the scan's end comes after its runs
    end(ScanEnd::Either);
  }
  // The five TMS-1 cycles that reach Test-Logic-Reset from a state the
  // translator does not know.
  void resetSequence();
  // A RUNTEST's own TCK cycles, `cycles` of them in `state`, follow (after
  // the move there, whose cycles in `state` count with them).
  void beginRun(TapState state, uint32_t cycles);
  // The tester wait after a RUNTEST's cycles, `micros` microseconds.
  void runWait(TapState state, uint64_t micros);
  // A tester wait that a comment on input line `line` asks for, its time as
  // the wait line gives it.
  void commentWait(std::string_view time, int64_t line);
  // After the last step: a run still open is put down.
  void finish() { endRun(); }

  // While paused, planned steps are not the tester's path (the cycles of a
  // retry loop's failing try); scans the SVF gives are not paused.
  class Pause {
   public:
    explicit Pause(ExpectedScans& scans) : scans_(scans) { ++scans_.paused_; }
    ~Pause() { --scans_.paused_; }
    Pause(const Pause&) = delete;
    Pause& operator=(const Pause&) = delete;

   private:
    ExpectedScans& scans_;
  };

  // A run in a stable state, with the wait of its last RUNTEST, or the wait
  // of a comment, as the record holds it.
  struct RunItem {
    enum Type { Cycles, CommentWait } type = Cycles;
    TapState state = UNKNOWN;
    // All its cycles; of them, those RUNTESTs asked for, and the number of
    // those RUNTESTs.
    uint64_t cycles = 0, runTestCycles = 0, runTests = 0;
    bool wait = false;  // a RUNTEST's wait follows the cycles
    uint64_t micros = 0;
    const std::string* text = nullptr;  // CommentWait
  };

  // Reads the record from the start, one item at a time.
  class Reader {
   public:
    enum Kind { Bit, Start, End, Run, Done };
    explicit Reader(const ExpectedScans& scans) : scans_(&scans) {}

    // The kind of the next item (line changes are taken on the way).
    Kind peek();
    // The next bit: its TDI and expected TDO. Only after peek() gave Bit.
    void takeBit(char& tdi, char& tdo) { decodeBit(next(), tdi, tdo); }
    // The next item when it is a bit (the usual case, taken fast): its
    // code, as bitCode() gives it. False, taking nothing, for any other item.
    bool takeBitCode(uint8_t& code) {
      return takeBitCodes(1, [&code](uint8_t item) {
               code = item;
               return true;
             }) == 1;
    }
    // The next bits, one after another while `take(code)` accepts them and
    // no more than `most`: how many were taken. The loop keeps its place in
    // a local, where a member would go to memory for every bit.
    template <class Take>
    uint64_t takeBitCodes(uint64_t most, Take&& take) {
      const uint64_t first = position_;
      const uint64_t last = first + most;
      uint64_t position = first;
      for (bool more = true; more && position < last;) {
        if (position >= blockEnd_) {
          position_ = position;
          if (!enterBlock()) break;
        }
        // Within the block: one bound to test for each bit.
        const uint64_t stop = std::min(last, blockEnd_);
        const uint8_t* const block = block_;
        for (; position < stop; ++position) {
          const uint8_t byte = block[(position & kBlockMask) >> 1];
          const uint8_t item = position & 1 ? byte >> 4 : byte & 15;
          if (item > 8 || !take(item)) {
            more = false;
            break;
          }
        }
      }
      position_ = position;
      return position - first;
    }
    // The next start: whether it is an instruction scan. After peek() gave Start.
    bool takeStart();
    // The next end. After peek() gave End.
    ScanEnd takeEnd();
    // The next run or wait. After peek() gave Run.
    RunItem takeRun();
    // The SVF line of the statement that gave the item read last (0 before
    // the first).
    int64_t line() const { return line_; }
    // How many bits follow before the next item of another kind.
    uint64_t bitsAhead();

   private:
    int64_t takeNumber();
    // Makes block_ the block that holds position_; false at the end.
    bool enterBlock();

    // The next item, taken.
    uint8_t next() {
      if (position_ >= blockEnd_) enterBlock();
      const uint8_t byte = block_[(position_ & kBlockMask) >> 1];
      return position_++ & 1 ? byte >> 4 : byte & 15;
    }
    // The next item, left in place; only where there is one.
    uint8_t peekItem() {
      if (position_ >= blockEnd_) enterBlock();
      const uint8_t byte = block_[(position_ & kBlockMask) >> 1];
      return position_ & 1 ? byte >> 4 : byte & 15;
    }
    uint64_t takeCount();

    const ExpectedScans* scans_;
    uint64_t position_ = 0;
    int64_t line_ = 0;
    const uint8_t* block_ = nullptr;  // the block of the items before blockEnd_
    uint64_t blockEnd_ = 0;
  };

  // A bit's levels as one small number: TDI 0, 1, Z times 3, plus TDO L, H,
  // X. Looked up, not compared: the levels of a scan are random data.
  static constexpr uint8_t bitCode(char tdi, char tdo) {
    return static_cast<uint8_t>(kLevelCodes.tdi[static_cast<unsigned char>(tdi)] +
                                kLevelCodes.tdo[static_cast<unsigned char>(tdo)]);
  }
  static char tdiOf(uint8_t code) { return "01Z"[code / 3]; }
  static char tdoOf(uint8_t code) { return "LHX"[code % 3]; }

 private:
  static constexpr unsigned kBlockShift = 17;  // nibbles per block: 2^17, 64 KiB
  static constexpr uint64_t kBlockMask = (uint64_t{1} << kBlockShift) - 1;

  // Four-bit items: 0 to 8 a bit (TDI 0, 1, Z times 3, plus TDO L, H, X);
  // the others mark a scan's start (followed by its SVF line), a new SVF line
  // within a scan, an end, or a run or a wait (followed by its form, its
  // numbers and its SVF line).
  enum Item : uint8_t {
    kStartDr = 9,
    kStartIr = 10,
    kLine = 11,
    kEndUpdate = 12,
    kEndReset = 13,
    kEndEither = 14,
    kRun = 15
  };
  // The forms of a kRun item: a run without RUNTEST, one with, one with a
  // RUNTEST's wait after it, a comment's wait.
  enum RunForm : uint8_t { kPlainRun, kRunTestRun, kRunTestRunWait, kCommentWait };
  // The stable-state run being put down.
  struct OpenRun {
    bool open = false;
    TapState state = UNKNOWN;
    uint64_t cycles = 0, runTestCycles = 0, runTests = 0;
    int64_t line = 0;
  };

  static void decodeBit(uint8_t code, char& tdi, char& tdo) {
    tdi = tdiOf(code);
    tdo = tdoOf(code);
  }

  void noteStep(TapState from, TapState to);
  void end(ScanEnd how);
  // The run goes on in `state`, or a new one begins there.
  void runIn(TapState state);
  void endRun() {
    if (openRun_.open) putDownRun();
  }
  void putDownRun(bool wait = false, uint64_t micros = 0);
  void pushCount(uint64_t count);
  void pushLine(int64_t line);
  void pushNumber(int64_t value);

  // Callers have made sure the record is enabled.
  void push(uint8_t item) {
    if (size_ & 1) {
      *next_++ |= static_cast<uint8_t>(item << 4);
    } else {
      if (next_ == blockEnd_) newBlock();
      *next_ = item;
    }
    ++size_;
  }
  void newBlock();

  bool enabled_ = false;
  int paused_ = 0;
  bool open_ = false;  // a scan has begun and not ended
  int64_t line_ = 0;   // the SVF line written last
  OpenRun openRun_;
  TapState trueState_ = UNKNOWN;        // while the translator does not know it
  std::vector<std::string> waitTexts_;  // of the comment waits, by number
  std::vector<std::unique_ptr<uint8_t[]>> blocks_;
  uint64_t size_ = 0;        // items
  uint8_t* next_ = nullptr;  // the byte of the item after the last
  uint8_t* blockEnd_ = nullptr;
};

// The record of the run.
extern ExpectedScans expectedScans;

}  // namespace vantrel
