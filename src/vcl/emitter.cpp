#include "vcl/emitter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "base/settings.h"
#include "base/tap_controller.h"
#include "vcl/output_files.h"
#include "vcl/pio.h"
#include "vcl/preamble.h"

namespace vantrel {

bool pcfMode = true;
std::string PIOstring = "\"";

void resetEmitter() {
  pcfMode = true;
  PIOstring = "\"";
}

const char* pinOrderLine() { return pioPending ? "use pcf order Parallel" : "use pcf order Scan"; }

void writeWaitStatement(std::string_view time) {
  if (!preambleWritten) writeUnitPreamble();
  if (pcfMode) outputFile.write("end pcf\n");
  outputFile.write("wait ");
  outputFile.write(time);
  if (pcfMode) {
    outputFile.write("\npcf\n");
    outputFile.write(pinOrderLine());
  }
  outputFile.write("\n");
}

namespace {

// Every line is built straight into the output buffer: millions of them make
// up a large test, so no line is formatted or copied twice.
constexpr size_t kFixedRoom = 32;  // pins, markers and line end

// The TRST pin's level on the next cycle's lines, or '\0' when the lines
// have no TRST column.
char trstColumn() {
  if (!trstAssigned) return '\0';
  return trstLevel == '0' || trstLevel == 'Z' ? trstLevel : '1';
}

// The pins of one line: TCK, TMS, TDI, TDO and, where the board has a TRST
// node, TRST; in pcf form quoted together with the PIO pins, in execute form
// as the name of a predefined vector.
char* appendPins(char* p, bool pcf, char tck, char tms, char tdi, char tdo, char trst) {
  if (pcf) {
    *p++ = '"';
  } else {
    p = appendText(p, "execute V");
  }
  *p++ = tck;
  *p++ = tms;
  *p++ = tdi;
  *p++ = tdo;
  if (trst) *p++ = trst;
  if (pcf) {
    if (PIOstring.size() == 1)  // no PIO pattern: just the closing quote
      *p++ = '"';
    else
      p = appendText(p, PIOstring);
  }
  return p;
}

}  // namespace

void writeTckLow(char tms, char tdi, char tdo, std::string_view text) {
  char* start = outputFile.reserve(kFixedRoom + PIOstring.size() + text.size());
  char* p = appendPins(start, pcfMode, '0', tms, tdi, tdo, trstColumn());
  if (!pcfMode) {
    p = appendText(p, text);
  } else if (settings.commentMode == 2 && !text.empty()) {
    *p++ = ' ';
    *p++ = '!';
    p = appendText(p, text);
  }
  *p++ = ' ';
  *p++ = '\n';
  outputFile.advance(static_cast<size_t>(p - start));
  if (trstLevel == '0') currentState = RESET;
  ++vectorCount;
}

void writeTckHigh(char tms, char tdi, char tdo, std::string_view text) {
  std::string_view stateName;
  currentState = nextTapState(tms, stateName);
  // While TRST is driven low the controller is held in Test-Logic-Reset,
  // whatever TMS does; the comment still names where TMS led.
  if (trstLevel == '0') currentState = RESET;
  char* start = outputFile.reserve(kFixedRoom + PIOstring.size() + stateName.size() + text.size());
  char* p = appendPins(start, pcfMode, '1', tms, tdi, tdo, trstColumn());
  trstLevel = '1';  // a TRST level of 0 or Z lasts one cycle
  if (settings.commentMode == 2) {
    *p++ = ' ';
    *p++ = '!';
    p = appendText(p, stateName);
    *p++ = ' ';
    p = appendText(p, text);
  }
  *p++ = ' ';
  *p++ = '\n';
  outputFile.advance(static_cast<size_t>(p - start));
  ++vectorCount;
}

void writeCycle(char tms, char tdi, char tdo, std::string_view comment) {
  writeTckLow(tms, tdi, tdo);
  writeTckHigh(tms, tdi, 'X', comment);
}

BitComments::BitComments(std::string_view label, std::string_view afterNumber,
                         std::string_view lastSuffix)
    : enabled_(settings.commentMode == 2), afterNumber_(afterNumber), lastSuffix_(lastSuffix) {
  if (!enabled_) return;
  // Room for a number of ten digits, the most a bit number has.
  text_.assign(std::max(kCopyBlock, label.size() + 10 + afterNumber.size() + lastSuffix.size()),
               ' ');
  char* p = appendText(text_.data(), label);
  numberBegin_ = static_cast<size_t>(p - text_.data());
  *p++ = '0';
  numberEnd_ = numberBegin_ + 1;
  p = appendText(p, afterNumber);
  size_ = static_cast<size_t>(p - text_.data());
}

std::string_view BitComments::lastText() {
  if (!enabled_) return {};
  const std::string_view comment = text();
  appendText(text_.data() + size_, lastSuffix_);
  return std::string_view(comment.data(), size_ + lastSuffix_.size());
}

// The last digit was 9: it becomes 0, and the digits before it count up.
void BitComments::carry() {
  lastDigit_ = '0';
  size_t i = numberEnd_ - 1;
  while (i > numberBegin_ && text_[i - 1] == '9') text_[--i] = '0';
  if (i > numberBegin_) {
    ++text_[i - 1];
    return;
  }
  // 9 became 10, 99 became 100: one digit more, and what follows moves on.
  text_[numberEnd_ - 1] = '0';  // the last digit's place until now
  text_[numberBegin_] = '1';
  ++numberEnd_;
  appendText(text_.data() + numberEnd_, afterNumber_);
  ++size_;
}

// The lines of a cycle with TMS 0 in a shift state, made by the emitter's
// own code for each of the nine pairs of levels: the TCK-low line whole, then
// the TCK-high line up to its comment (with comments on, up to the blank
// after the state name; else the whole line). Made again only when the form
// of the lines changes, which happens between statements.
class ShiftCycleTexts {
 public:
  // Makes `cycles` write from texts for its state and the present form.
  void use(ShiftCycles& cycles) {
    if (!madeFor(cycles.state_)) make(cycles.state_);
    cycles.texts_ = texts_.data();
    cycles.pairSize_ = pairSize_;
    cycles.stride_ = stride_;
  }

 private:
  bool madeFor(TapState state) const {
    return state == state_ && trstAssigned == trstColumn_ && PIOstring == pioPins_ &&
           settings.commentMode == commentMode_;
  }

  void make(TapState state) {
    state_ = state;
    trstColumn_ = trstAssigned;
    pioPins_ = PIOstring;
    commentMode_ = settings.commentMode;
    const char trst = trstAssigned ? '1' : '\0';  // TRST not pulsed
    const std::string_view stateName = tapStateName(state);
    std::string pair(2 * kFixedRoom + 2 * PIOstring.size() + stateName.size(), '\0');
    char* const begin = pair.data();
    texts_.clear();
    // In the order of ScanBit's pair numbers.
    for (char tdi : {'0', '1', 'Z'}) {
      for (char tdo : {'L', 'H', 'X'}) {
        char* p = appendPins(begin, true, '0', '0', tdi, tdo, trst);
        *p++ = ' ';
        *p++ = '\n';
        p = appendPins(p, true, '1', '0', tdi, 'X', trst);
        *p++ = ' ';
        if (commentMode_ == 2) {
          *p++ = '!';
          p = appendText(p, stateName);
          *p++ = ' ';
        } else {
          *p++ = '\n';
        }
        pairSize_ = static_cast<size_t>(p - begin);
        stride_ = std::max(pairSize_, kCopyBlock);
        texts_.append(begin, pairSize_);
        texts_.append(stride_ - pairSize_, '\0');
      }
    }
  }

  TapState state_ = UNKNOWN;
  bool trstColumn_ = false;
  std::string pioPins_;
  int commentMode_ = -1;
  std::string texts_;  // the nine pairs, stride_ bytes apart
  size_t pairSize_ = 0;
  size_t stride_ = 0;
};

namespace {

ShiftCycleTexts drShiftTexts, irShiftTexts;

}  // namespace

ShiftCycles::ShiftCycles() {
  state_ = currentState == IRSHIFT ? IRSHIFT : DRSHIFT;
  (state_ == IRSHIFT ? irShiftTexts : drShiftTexts).use(*this);
}

void ShiftCycles::write(const ScanBit* bits, size_t count, BitComments& comments) {
  // The texts are for cycles that stay in the shift state and write their
  // pins plainly: not while TRST is pulsed, nor in an execute line.
  if (currentState != state_ || trstLevel == '0' || trstLevel == 'Z' || !pcfMode) {
    for (const ScanBit* bit = bits; bit != bits + count; ++bit, comments.next())
      writeCycle('0', bit->tdi(), bit->expected(), comments.text());
    return;
  }
  const bool commented = comments.enabled();
  while (count > 0) {
    // Room for the lines of a block of bits at a time.
    const size_t block = std::min<size_t>(count, 256);
    char* const start = outputFile.reserve(block * (stride_ + comments.longest() + 2));
    char* p = start;
    for (const ScanBit* end = bits + block; bits != end; ++bits, comments.next()) {
      p = appendCopyBlock(p, texts_ + bits->pair() * stride_, pairSize_, stride_);
      if (commented) {
        p = comments.write(p);
        *p++ = ' ';
        *p++ = '\n';
      }
    }
    outputFile.advance(static_cast<size_t>(p - start));
    vectorCount += 2 * static_cast<int64_t>(block);
    count -= block;
  }
  trstLevel = '1';
}

}  // namespace vantrel
