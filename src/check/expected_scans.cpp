#include "check/expected_scans.h"

#include <algorithm>

#include "base/statement.h"

namespace vantrel {

ExpectedScans expectedScans;

void ExpectedScans::reset(bool enabled) {
  enabled_ = enabled;
  paused_ = 0;
  open_ = false;
  line_ = 0;
  openRun_ = OpenRun{};
  trueState_ = UNKNOWN;
  waitTexts_.clear();
  waitTexts_.shrink_to_fit();
  blocks_.clear();
  blocks_.shrink_to_fit();
  size_ = 0;
  next_ = blockEnd_ = nullptr;
}

void ExpectedScans::newBlock() {
  constexpr size_t kBlockBytes = (kBlockMask + 1) / 2;
  blocks_.emplace_back(new uint8_t[kBlockBytes]);
  next_ = blocks_.back().get();
  blockEnd_ = next_ + kBlockBytes;
}

void ExpectedScans::addBitCodes(const uint8_t* codes, size_t count) {
  const uint8_t* const end = codes + count;
  if (codes != end && (size_ & 1)) push(*codes++);
  // Now at the start of a byte: pairs of codes, a block at a time.
  while (end - codes >= 2) {
    if (next_ == blockEnd_) newBlock();
    const size_t pairs =
        std::min(static_cast<size_t>(end - codes) / 2, static_cast<size_t>(blockEnd_ - next_));
    // Through a local pointer: a byte written through next_ itself might
    // change next_, as far as the compiler knows.
    uint8_t* out = next_;
    for (size_t i = 0; i < pairs; ++i, codes += 2)
      out[i] = static_cast<uint8_t>(codes[0] | codes[1] << 4);
    next_ = out + pairs;
    size_ += 2 * pairs;
  }
  if (codes != end) push(*codes);
}

void ExpectedScans::noteStep(TapState from, TapState to) {
  if (from == to && isStableState(from)) {
    runIn(from);
    ++openRun_.cycles;
    return;
  }
  endRun();
  if (from == DRSHIFT || from == IRSHIFT) {
    // A cycle in a shift state shifts a bit, though the path drives none.
    if (!open_) {
      beginScan(from == IRSHIFT);
    } else if (statementLine != line_) {
      push(kLine);
      pushLine(statementLine);
    }
    addBit('Z', 'X');
  }
  if (to == DRUPDATE || to == IRUPDATE) end(ScanEnd::Update);
}

void ExpectedScans::beginScan(bool instruction) {
  if (!enabled_) return;
  endRun();
  open_ = true;
  push(instruction ? kStartIr : kStartDr);
  pushLine(statementLine);
}

void ExpectedScans::end(ScanEnd how) {
  if (!open_) return;
  open_ = false;
  push(how == ScanEnd::Update ? kEndUpdate : how == ScanEnd::Reset ? kEndReset : kEndEither);
}

void ExpectedScans::runIn(TapState state) {
  if (openRun_.open && openRun_.state == state) return;
  endRun();
  openRun_ = OpenRun{};
  openRun_.open = true;
  openRun_.state = state;
  openRun_.line = statementLine;
}

void ExpectedScans::putDownRun(bool wait, uint64_t micros) {
  openRun_.open = false;
  push(kRun);
  push(wait ? kRunTestRunWait : openRun_.runTests > 0 ? kRunTestRun : kPlainRun);
  push(static_cast<uint8_t>(openRun_.state));
  pushCount(openRun_.cycles);
  if (openRun_.runTests > 0) {
    pushCount(openRun_.runTests);
    pushCount(openRun_.runTestCycles);
  }
  if (wait) pushCount(micros);
  pushLine(openRun_.line);
}

void ExpectedScans::resetSequence() {
  if (!enabled_ || paused_ != 0) return;
  if (trueState_ == UNKNOWN) {  // nor does the check know it, and counts nothing
    endRun();
    return;
  }
  // The five cycles as the controller takes them from where it really is:
  // those that start in Test-Logic-Reset stay there.
  TapState state = trueState_;
  for (int cycle = 0; cycle < 5; ++cycle, state = successor(state, '1')) {
    if (state != RESET) {
      endRun();
      continue;
    }
    runIn(RESET);
    ++openRun_.cycles;
  }
  trueState_ = UNKNOWN;
}

void ExpectedScans::beginRun(TapState state, uint32_t cycles) {
  if (!enabled_ || paused_ != 0) return;
  runIn(state);
  if (openRun_.runTests++ == 0) openRun_.line = statementLine;
  openRun_.runTestCycles += cycles;
}

void ExpectedScans::runWait(TapState state, uint64_t micros) {
  if (!enabled_ || paused_ != 0) return;
  runIn(state);  // open since the RUNTEST began
  putDownRun(true, micros);
}

void ExpectedScans::commentWait(std::string_view time, int64_t line) {
  if (!enabled_) return;
  endRun();
  push(kRun);
  push(kCommentWait);
  pushCount(waitTexts_.size());
  waitTexts_.emplace_back(time);
  pushLine(line);
}

// Lines only grow within a pass over the input: each is written as the
// difference from the one before, mostly a single item.
void ExpectedScans::pushLine(int64_t line) {
  pushNumber(line - line_);
  line_ = line;
}

// Zigzag: 0, -1, 1, -2 ... become 0, 1, 2, 3 ...
void ExpectedScans::pushNumber(int64_t value) {
  pushCount((static_cast<uint64_t>(value) << 1) ^ static_cast<uint64_t>(value >> 63));
}

// Three bits an item, the lowest first; the fourth bit says that more follow.
void ExpectedScans::pushCount(uint64_t count) {
  while (count >= 8) {
    push(static_cast<uint8_t>(8 | (count & 7)));
    count >>= 3;
  }
  push(static_cast<uint8_t>(count));
}

uint64_t ExpectedScans::Reader::takeCount() {
  uint64_t bits = 0;
  for (unsigned shift = 0; position_ < scans_->size_ && shift < 64; shift += 3) {
    const uint8_t item = next();
    bits |= uint64_t{item & 7u} << shift;
    if (!(item & 8)) break;
  }
  return bits;
}

int64_t ExpectedScans::Reader::takeNumber() {
  const uint64_t bits = takeCount();
  return static_cast<int64_t>(bits >> 1) ^ -static_cast<int64_t>(bits & 1);
}

ExpectedScans::Reader::Kind ExpectedScans::Reader::peek() {
  for (;;) {
    if (position_ >= scans_->size_) return Done;
    const uint8_t item = peekItem();
    if (item <= 8) return Bit;
    if (item == kStartDr || item == kStartIr) return Start;
    if (item == kRun) return Run;
    if (item != kLine) return End;
    ++position_;
    line_ += takeNumber();
  }
}

bool ExpectedScans::Reader::takeStart() {
  const bool instruction = next() == kStartIr;
  line_ += takeNumber();
  return instruction;
}

ScanEnd ExpectedScans::Reader::takeEnd() {
  const uint8_t item = next();
  return item == kEndUpdate  ? ScanEnd::Update
         : item == kEndReset ? ScanEnd::Reset
                             : ScanEnd::Either;
}

ExpectedScans::RunItem ExpectedScans::Reader::takeRun() {
  RunItem run;
  next();  // kRun
  const uint8_t form = next();
  if (form == kCommentWait) {
    run.type = RunItem::CommentWait;
    const uint64_t index = takeCount();
    run.text = index < scans_->waitTexts_.size() ? &scans_->waitTexts_[index] : nullptr;
  } else {
    run.state = static_cast<TapState>(next());
    run.cycles = takeCount();
    if (form != kPlainRun) {
      run.runTests = takeCount();
      run.runTestCycles = takeCount();
    }
    run.wait = form == kRunTestRunWait;
    if (run.wait) run.micros = takeCount();
  }
  line_ += takeNumber();
  return run;
}

bool ExpectedScans::Reader::enterBlock() {
  if (position_ >= scans_->size_) return false;
  const uint64_t block = position_ >> kBlockShift;
  block_ = scans_->blocks_[block].get();
  blockEnd_ = std::min(scans_->size_, (block + 1) << kBlockShift);
  return true;
}

uint64_t ExpectedScans::Reader::bitsAhead() {
  Reader ahead = *this;
  uint64_t bits = 0;
  for (char tdi, tdo; ahead.peek() == Bit; ++bits) ahead.takeBit(tdi, tdo);
  return bits;
}

}  // namespace vantrel
