// The lines of the replay that are half a TCK cycle (check/replay.h): vector
// lines, with the fast path of the cycles the record knows, read by comparing
// texts, and execute lines; the cycle they make on the tester's path, where
// the controller's state is not yet known or TRST resets it, and in the
// failing try of a retry loop.
#include "base/console.h"
#include "check/replay.h"
#include "check/vcl_statements.h"

namespace vantrel {

namespace {

// What a character may stand for in a vector line.
enum : uint8_t { kPin = 1, kTmsLevel = 2, kTdiLevel = 4, kTdoLevel = 8, kTrstLevel = 16 };

struct PinClasses {
  uint8_t of[256] = {};
  constexpr PinClasses() {
    of[static_cast<unsigned char>('0')] = kPin | kTmsLevel | kTdiLevel | kTrstLevel;
    of[static_cast<unsigned char>('1')] = kPin | kTmsLevel | kTdiLevel | kTrstLevel;
    of[static_cast<unsigned char>('Z')] = kPin | kTdiLevel | kTrstLevel;
    of[static_cast<unsigned char>('H')] = kPin | kTdoLevel;
    of[static_cast<unsigned char>('L')] = kPin | kTdoLevel;
    of[static_cast<unsigned char>('X')] = kPin | kTdoLevel;
  }
  constexpr bool is(char c, uint8_t kind) const { return of[static_cast<unsigned char>(c)] & kind; }
};
constexpr PinClasses kPins;

bool isShift(TapState state) { return state == DRSHIFT || state == IRSHIFT; }

// A line's levels packed into a word: TMS, TDI, TDO, TRST from the low byte
// up. Each pin's character is looked up as its byte of the word, with the
// byte's top bit set where the pin cannot take that level (every level is a
// character below 128): one test then checks all four.
class LevelBytes {
 public:
  constexpr LevelBytes() {
    for (int c = 0; c < 256; ++c) {
      const auto byte = [c](uint8_t kind, int shift) {
        return uint32_t{kPins.is(static_cast<char>(c), kind) ? static_cast<uint8_t>(c) : 0x80u}
               << shift;
      };
      tms_[c] = byte(kTmsLevel, 0);
      tdi_[c] = byte(kTdiLevel, 8);
      tdo_[c] = byte(kTdoLevel, 16);
      trst_[c] = byte(kTrstLevel, 24);
    }
  }
  // The packed levels; valid() tells whether each pin can take its level.
  uint32_t pack(char tms, char tdi, char tdo, char trst) const {
    return tms_[index(tms)] | tdi_[index(tdi)] | tdo_[index(tdo)] | trst_[index(trst)];
  }
  static bool valid(uint32_t levels) { return (levels & 0x80808080u) == 0; }

 private:
  static constexpr size_t index(char c) { return static_cast<unsigned char>(c); }
  uint32_t tms_[256] = {}, tdi_[256] = {}, tdo_[256] = {}, trst_[256] = {};
};
constexpr LevelBytes kLevelBytes;

char tmsOf(uint32_t levels) { return static_cast<char>(levels); }
char tdiOf(uint32_t levels) { return static_cast<char>(levels >> 8); }
char tdoOf(uint32_t levels) { return static_cast<char>(levels >> 16); }
char trstOf(uint32_t levels) { return static_cast<char>(levels >> 24); }
// What the two lines of a cycle share: all but TDO.
constexpr uint32_t kCycleLevels = 0xFF00FFFF;

}  // namespace

std::string Replay::stateName(TapState state) {
  return state == UNKNOWN ? std::string("an unknown state") : std::string(tapStateName(state));
}

// A test is mostly scans, and the check knows each bit of a scan from the
// record: the two lines of its cycle are known before they are read. A file
// that holds them so is read by comparing its text with theirs, as many
// cycles in a row as it goes on so; any other text (another level, a comment
// on the TCK-low line, a line that goes on past the bytes read so far) is
// left to line(), which finds what it says. The failing try of a retry loop
// is read the same way, with the TDI level the file gives and no compare:
// its bits are not the record's.
bool Replay::expectedCycles() {
  if (path_->lowPending) return false;
  // Whole cycles, short of the ceiling of lines that line() reports.
  const int64_t room = (kTesterLineCeiling - 1 - fileVectors_) / 2;
  KnownLines lines = source_.knownLines();
  // A file written with comments has one on every TCK-high line of a scan,
  // one without has none: the form the last cycle had is tried first.
  bool commented = commentedCycles_;
  const auto takeCycle = [&lines, &commented, this](uint8_t code) {
    const CycleTexts& texts = cycleTexts_[code];
    if (commented ? lines.skipStartingWith(texts.commentedCycle) : lines.skip(texts.cycle))
      return true;
    if (commented ? !lines.skip(texts.cycle) : !lines.skipStartingWith(texts.commentedCycle))
      return false;
    commented = !commented;
    return true;
  };
  int64_t cycles = 0;
  if (path_ == &main_) {
    cycles = static_cast<int64_t>(expected_.takeBitCodes(static_cast<uint64_t>(room), takeCycle));
    scanBits_ += static_cast<uint64_t>(cycles);
    totals_.bits += cycles;
  } else {
    const size_t tdiAt = 1 + static_cast<size_t>(columns_.tdi);  // after the opening quote
    while (cycles < room && takeCycle(ExpectedScans::bitCode(lines.peekByte(tdiAt), 'X'))) ++cycles;
  }
  commentedCycles_ = commented;
  if (cycles == 0) return false;
  source_.passOver(lines, 2 * cycles);
  countVectors(2 * cycles);
  return true;
}

void Replay::makeCycleTexts() {
  cycleTextColumns_ = columns_;
  const size_t width = static_cast<size_t>(columns_.width);
  for (uint8_t code = 0; code < 9; ++code) {
    const char tdi = ExpectedScans::tdiOf(code), tdo = ExpectedScans::tdoOf(code);
    std::string low(width, '1'), high(width, '1');  // TRST high
    low[static_cast<size_t>(columns_.tck)] = '0';
    for (std::string* pins : {&low, &high}) {
      (*pins)[static_cast<size_t>(columns_.tms)] = '0';
      (*pins)[static_cast<size_t>(columns_.tdi)] = tdi;
    }
    low[static_cast<size_t>(columns_.tdo)] = tdo;
    high[static_cast<size_t>(columns_.tdo)] = 'X';
    CycleTexts& texts = cycleTexts_[code];
    const std::string lowLine = '"' + low + "\" \n";
    texts.cycle = lowLine + '"' + high + "\" \n";
    texts.commentedCycle = lowLine + '"' + high + "\" !";
  }
}

// Millions of these: the usual line, a half cycle with or without a bit,
// stays in this function; everything else is out of line.
void Replay::vectorLine(std::string_view text) {
  const size_t width = static_cast<size_t>(columns_.width);
  // After the closing quote: blanks, then nothing or a comment.
  size_t after = width + 2;
  while (after < text.size() && (text[after] == ' ' || text[after] == '\t')) ++after;
  if (!vectorsAllowed_ || text.size() < width + 2 || text[width + 1] != '"' ||
      (after < text.size() && text[after] != '!'))
    badVectorLine(text);
  const char* pins = text.data() + 1;
  if (columns_.parallel) checkParallelPins(pins);
  const char tms = pins[columns_.tms], tdi = pins[columns_.tdi], tdo = pins[columns_.tdo];
  const char trst = columns_.trst >= 0 ? pins[columns_.trst] : '1';
  const uint32_t levels = kLevelBytes.pack(tms, tdi, tdo, trst);
  if (!LevelBytes::valid(levels)) badLevels(tms, tdi, tdo, trst);
  countVector();
  half(levels, pins[columns_.tck]);
}

inline void Replay::half(uint32_t levels, char tck) {
  Path& path = *path_;
  if (tck == '0' && !path.lowPending) {
    path.low.levels = levels;
    path.low.line = source_.lineNumber();
    path.lowPending = true;
    return;
  }
  if (tck != '1' || !path.lowPending ||
      (levels & kCycleLevels) != (path.low.levels & kCycleLevels) || tdoOf(levels) != 'X')
    badHalf(levels, tck);
  path.lowPending = false;
  const Half& low = path.low;
  if (path_ != &main_) return failingTryCycle(low);
  TapState& state = main_.state;
  if (trstOf(low.levels) == '0' || state == UNKNOWN) return uncommonCycle(low);
  if (isShift(state)) {
    uint8_t code = 0;
    if (!scanOpen_ || !expected_.takeBitCode(code)) code = uncommonBit(state == IRSHIFT, low);
    if (code != ExpectedScans::bitCode(tdiOf(low.levels), tdoOf(low.levels))) badBit(low, code);
    ++scanBits_;
    ++totals_.bits;
  } else if (tdoOf(low.levels) != 'X') {
    differ(low.line, "a compare in " + stateName(state) + ", outside Shift-DR and Shift-IR");
  }
  const TapState next = successor(state, tmsOf(low.levels));
  if (next == state && !isShift(state)) {  // a cycle that stays in a stable state
    if (runCycles_ != 0 && runState_ != state) closeRun();
    runState_ = state;
    ++runCycles_;
  } else if (runCycles_ != 0) {
    closeRun();
  }
  if ((next == DRUPDATE || next == IRUPDATE) && scanOpen_) endScan(ScanEnd::Update);
  state = next;
}

void Replay::checkParallelPins(const char* pins) {
  for (int i = 0; i < columns_.width; ++i)
    if (!kPins.is(pins[i], kPin))
      differ(formatText("'%c' in a vector line is no pin level", pins[i]));
}

void Replay::badLevels(char tms, char tdi, char tdo, char trst) {
  differ(formatText(
      "a vector line with TMS %c, TDI %c, TDO %c, TRST %c, levels those pins cannot take", tms, tdi,
      tdo, trst));
}

void Replay::badVectorLine(std::string_view text) {
  if (unitEnded_) differ("a line after end unit");
  if (!inPcf_ || declarations_.definingVector()) differ("a vector line outside a pcf block");
  if (!orderInForce_) differ("a vector line while no pcf order is in force");
  const size_t width = static_cast<size_t>(columns_.width);
  const size_t close = text.find('"', 1);
  if (close == std::string_view::npos) differ("a vector line without its closing quote");
  if (close != width + 1)
    differ(formatText("a vector line of %llu pins where the pcf order in force has %llu",
                      static_cast<unsigned long long>(close - 1),
                      static_cast<unsigned long long>(width)));
  differ("text after the closing quote of a vector line");
}

void Replay::badHalf(uint32_t levels, char tck) {
  const Path& path = *path_;
  const long long lowLine = static_cast<long long>(path.low.line);
  if (tck == '0') differ(formatText("a TCK-low line after the TCK-low line %lld", lowLine));
  if (tck != '1') differ(formatText("TCK %c, neither low nor high", tck));
  if (!path.lowPending) differ("a TCK-high line without its TCK-low line");
  if ((levels & kCycleLevels) != (path.low.levels & kCycleLevels))
    differ(formatText("TMS, TDI or TRST differ from those of the TCK-low line %lld", lowLine));
  differ("a TCK-high line compares TDO");
}

void Replay::uncommonCycle(const Half& low) {
  if (runCycles_ != 0) closeRun();
  TapState& state = main_.state;
  if (trstOf(low.levels) == '0') {
    // TRST low holds the controller in Test-Logic-Reset, whatever TMS does.
    if (tdoOf(low.levels) != 'X') differ(low.line, "a compare while TRST resets the controller");
    if (scanOpen_) endScan(ScanEnd::Reset);
    state = RESET;
    return;
  }
  if (tdoOf(low.levels) != 'X')
    differ(low.line, "a compare before the controller's state is known");
  resetCycles_ = tmsOf(low.levels) == '1' ? resetCycles_ + 1 : 0;
  if (resetCycles_ == 5) state = RESET;  // five TMS-1 cycles reach it from anywhere
}

void Replay::failingTryCycle(const Half& low) {
  TapState& state = failing_.state;
  const bool reset = trstOf(low.levels) == '0';
  if (tdoOf(low.levels) != 'X' && (!isShift(state) || reset))
    differ(low.line, "a compare in " + stateName(state) + ", outside Shift-DR and Shift-IR");
  state = reset ? RESET : successor(state, tmsOf(low.levels));
  if (state == DRUPDATE) loop_.updated = true;
  if (state == DRCAPTURE && loop_.updated) loop_.recaptured = true;
}

void Replay::badBit(const Half& low, uint8_t code) {
  const char tdi = ExpectedScans::tdiOf(code), tdo = ExpectedScans::tdoOf(code);
  const bool tdiDiffers = tdiOf(low.levels) != tdi;
  differ(low.line,
         formatText("bit %llu of the %s, %s: expected %c, found %c",
                    static_cast<unsigned long long>(scanBits_), scanName(scanInstruction_),
                    tdiDiffers ? "TDI" : "TDO", tdiDiffers ? tdi : tdo,
                    tdiDiffers ? tdiOf(low.levels) : tdoOf(low.levels)));
}

void Replay::execute(std::string_view rest) {
  if (!inLoop_ || inPcf_) differ("an execute line outside a retry loop or inside a pcf block");
  if (loop_.compared) differ("a second execute line in one retry loop");
  std::string_view name;
  if (!parseExecute(rest, name)) differ("an execute line the check cannot read");
  const VectorLevels* vector = declarations_.vector(name);
  if (!vector) differ("vector " + std::string(name) + " is not defined");
  // A vector sets an output pin to the level the tester expects on it.
  const char tdo = vector->tdo == '1' ? 'H' : vector->tdo == '0' ? 'L' : vector->tdo;
  const char trst = vector->trst ? vector->trst : '1';
  const uint32_t levels = kLevelBytes.pack(vector->tms, vector->tdi, tdo, trst);
  if (vector->tck != '0' || !LevelBytes::valid(levels))
    differ("vector " + std::string(name) +
           " does not set TCK low and TMS, TDI, TDO and TRST to levels they can take");
  ++fileVectors_;
  countVectorInLoop();
  half(levels, '0');
  loop_.compared = true;
  // When the compare fails, the tester goes on in the loop body from here.
  failing_ = main_;
  path_ = &failing_;
}

}  // namespace vantrel
