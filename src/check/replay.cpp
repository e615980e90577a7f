#include "check/replay.h"

#include "base/console.h"
#include "base/run_stop.h"
#include "base/settings.h"
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

// The lines of a file's header and of its unit's preamble: a unit declares
// its pins and vectors before it begins, and a file holds one unit.
bool declaresUnit(VclStatement statement) {
  switch (statement) {
    case VclStatement::Assign:
    case VclStatement::Directions:
    case VclStatement::PcfOrder:
    case VclStatement::Vector:
    case VclStatement::Unit:
    case VclStatement::Setting: return true;
    default: return false;
  }
}

std::string stateName(TapState state) {
  return state == UNKNOWN ? std::string("an unknown state") : std::string(tapStateName(state));
}

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

void Replay::replayFile(const SeriesFile& file) {
  fileName_ = file.name;
  declarations_ = FileDeclarations();
  orderInForce_ = false;
  inUnit_ = unitBegun_ = unitEnded_ = inPcf_ = vectorsAllowed_ = inShift_ = false;
  fileVectors_ = 0;
  if (!source_.open(file)) differ(0, "the file cannot be opened");
  ++totals_.files;
  for (std::string_view text;;) {
    if (inShift_ && expectedCycles()) continue;
    if (!source_.next(text, orderInForce_ ? columns_.width : 0)) break;
    line(text);
  }
  if (source_.failed()) differ(0, "the file cannot be read to its end");
  if (inLoop_) differ("the file ends inside a retry loop");
  if (path_->lowPending) differ("the file ends between the two lines of a cycle");
  if (declarations_.definingVector()) differ("the file ends inside a vector definition");
  if (!unitEnded_) differ("the file does not end its unit");
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

// The code of the record's next bit, where it is not at hand: at the start
// of a scan, or after a change of SVF line.
uint8_t Replay::uncommonBit(bool instruction, const Half& low) {
  if (!scanOpen_) beginScan(instruction, low.line);
  uint8_t code = 0;
  if (expected_.peek() != ExpectedScans::Reader::Bit || !expected_.takeBitCode(code))
    differ(low.line, formatText("the %s goes on past the %llu bits the SVF gives",
                                scanName(instruction), static_cast<unsigned long long>(scanBits_)));
  return code;
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

void Replay::statementLine(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (!text.empty() && text[0] == '"') return vectorLine(text);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.empty()) return;
  std::string_view rest;
  const VclStatement statement = classifyStatement(text, rest);
  if (statement == VclStatement::Comment) return;
  if (unitEnded_) differ("a line after end unit");
  if (unitBegun_ && declaresUnit(statement))
    differ("a declaration after the unit has begun: " + std::string(text.substr(0, 60)));
  if (declarations_.definingVector() && statement != VclStatement::Set &&
      statement != VclStatement::EndVector)
    differ("a vector definition without its end vector");
  // The two lines of a cycle stand together; only the pcf block may close
  // and open again between them (around an execute line).
  if (path_->lowPending && statement != VclStatement::Pcf && statement != VclStatement::EndPcf &&
      statement != VclStatement::UsePcfOrder && statement != VclStatement::EndHomingLoop)
    differ(formatText("a statement between the TCK-low line %lld and its TCK-high line",
                      static_cast<long long>(path_->low.line)));
  std::string problem;
  switch (statement) {
    case VclStatement::Pcf:
      if (!inUnit_) differ("a pcf block outside a unit");
      if (inPcf_) differ("a pcf block inside another");
      inPcf_ = true;
      selectOrder(declarations_.defaultOrder());
      break;
    case VclStatement::EndPcf:
      // A file of an empty program closes the pcf block and the unit
      // without having opened them.
      if (!inPcf_ && unitBegun_) differ("end pcf outside a pcf block");
      inPcf_ = false;
      break;
    case VclStatement::UsePcfOrder:
      if (!inPcf_) differ("use pcf order outside a pcf block");
      if (!declarations_.order(rest)) differ("pcf order " + std::string(rest) + " is not declared");
      selectOrder(declarations_.order(rest));
      break;
    case VclStatement::PcfOrder: problem = declarations_.pinOrder(rest); break;
    case VclStatement::Assign: problem = declarations_.assign(rest); break;
    case VclStatement::Directions:
      problem = declarations_.directions(text.substr(0, text.find_first_of(" \t")), rest);
      break;
    case VclStatement::Vector: problem = declarations_.beginVector(rest); break;
    case VclStatement::Set: problem = declarations_.setLevel(rest); break;
    case VclStatement::EndVector: problem = declarations_.endVector(); break;
    case VclStatement::Wait: wait(rest); break;
    case VclStatement::HomingLoop: beginLoop(rest); break;
    case VclStatement::Execute: execute(rest); break;
    case VclStatement::EndHomingLoop: endLoop(); break;
    case VclStatement::Unit: inUnit_ = unitBegun_ = true; break;
    case VclStatement::EndUnit:
      if (inPcf_) differ("end unit inside a pcf block");
      if (inLoop_) differ("end unit inside a retry loop");
      inUnit_ = false;
      unitEnded_ = true;
      break;
    case VclStatement::Setting:
    case VclStatement::Comment: break;
    case VclStatement::Unknown:
      differ("a line that is neither a vector nor a statement the check knows");
  }
  if (!problem.empty()) differ(problem);
  vectorsAllowed_ = inPcf_ && orderInForce_ && !unitEnded_ && !declarations_.definingVector();
}

void Replay::selectOrder(const PinColumns* order) {
  orderInForce_ = order != nullptr;
  if (!order) return;
  columns_ = *order;
  if (!columns_.parallel && !(columns_ == cycleTextColumns_)) makeCycleTexts();
}

// A vector line in a retry loop, or one past what a tester takes.
void Replay::countVectorInLoop() {
  if (fileVectors_ >= kTesterLineCeiling)
    differ(formatText("the file reaches %lld vector lines, more than a tester takes",
                      static_cast<long long>(kTesterLineCeiling)));
  ++loop_.allVectors;
  if (!loop_.compared) ++loop_.passVectors;
}

void Replay::beginScan(bool instruction, int64_t fileLine) {
  expectNoRun();
  if (expected_.peek() != ExpectedScans::Reader::Start)
    differ(fileLine, formatText("%s that the SVF does not give", aScan(instruction)));
  if (expected_.takeStart() != instruction)
    differ(fileLine,
           formatText("%s where the SVF gives %s", aScan(instruction), aScan(!instruction)));
  scanOpen_ = true;
  scanInstruction_ = instruction;
  scanBits_ = 0;
  ++totals_.scans;
}

void Replay::endScan(ScanEnd how) {
  expectNoRun();
  const char* scan = scanName(scanInstruction_);
  const ExpectedScans::Reader::Kind next = expected_.peek();
  if (next == ExpectedScans::Reader::Bit)
    differ(formatText("the %s ends after %llu bits; the SVF gives %llu", scan,
                      static_cast<unsigned long long>(scanBits_), expectedLength()));
  const char* update = scanInstruction_ ? "Update-IR" : "Update-DR";
  if (next != ExpectedScans::Reader::End)
    differ(how == ScanEnd::Update
               ? formatText("%s ends the %s, which the SVF leaves without an end", update, scan)
               : formatText("TRST ends the %s, which the SVF leaves without an end", scan));
  const ScanEnd expected = expected_.takeEnd();
  if (expected != ScanEnd::Either && expected != how)
    differ(how == ScanEnd::Update
               ? formatText("%s ends the %s; the SVF ends it with TRST", update, scan)
               : formatText("TRST ends the %s without %s; the SVF updates it", scan, update));
  scanOpen_ = false;
}

void Replay::wait(std::string_view rest) {
  if (inPcf_) differ("a wait inside a pcf block");
  if (!inUnit_) differ("a wait outside the unit");
  double seconds, resolution;
  if (!parseWaitTime(rest, seconds, resolution)) differ("a wait the check cannot read");
  if (path_ == &main_) waitOnPath(rest, seconds, resolution);
  if (inLoop_) {
    loop_.allWait += seconds;
    if (!loop_.compared) loop_.passWait += seconds;
  } else {
    totals_.waitSeconds += seconds;
    totals_.mostWaitSeconds += seconds;
  }
}

void Replay::beginLoop(std::string_view rest) {
  if (inLoop_) differ("a retry loop inside another");
  if (inPcf_ || !inUnit_) differ("a retry loop outside the unit or inside a pcf block");
  int64_t count;
  if (!parseLoopCount(rest, count)) differ("a homingloop line the check cannot read");
  if (count != settings.loopCount)
    differ(formatText("a retry loop of %lld times; the options give %d",
                      static_cast<long long>(count), settings.loopCount));
  if (count < 1) differ("a retry loop that runs no time shifts none of its bits");
  if (main_.state != DRSHIFT)
    differ("a retry loop that begins in " + stateName(main_.state) + ", not in Shift-DR");
  inLoop_ = true;
  loop_ = Loop{};
  loop_.line = source_.lineNumber();
  loop_.count = count;
  loop_.start = main_.state;
  totals_.retryLoops = true;
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

void Replay::endLoop() {
  if (!inLoop_ || inPcf_) differ("end homingloop outside a retry loop or inside a pcf block");
  if (!loop_.compared) differ("a retry loop without its execute line");
  if (failing_.lowPending) differ("the failing try ends between the two lines of a cycle");
  if (!loop_.updated || !loop_.recaptured || failing_.state != loop_.start)
    differ(
        formatText("the failing try of the retry loop of line %lld ends in %s without passing "
                   "Update-DR and Capture-DR back to Shift-DR",
                   static_cast<long long>(loop_.line), stateName(failing_.state).c_str()));
  // The tester's path goes on after the loop, with the execute line's cycle.
  path_ = &main_;
  inLoop_ = false;
  totals_.vectors += loop_.passVectors;
  totals_.waitSeconds += loop_.passWait;
  // Vectors outside loops are added at the end.
  totals_.mostVectors += static_cast<double>(loop_.allVectors) * static_cast<double>(loop_.count) -
                         static_cast<double>(loop_.passVectors);
  totals_.mostWaitSeconds += loop_.allWait * static_cast<double>(loop_.count);
}

void Replay::finish() {
  if (runCycles_ != 0) closeRun();
  expectNoRun();
  if (scanOpen_) {
    const char* scan = scanName(scanInstruction_);
    const ExpectedScans::Reader::Kind next = expected_.peek();
    if (next == ExpectedScans::Reader::Bit)
      differ(formatText("the files end inside the %s, after %llu of its %llu bits", scan,
                        static_cast<unsigned long long>(scanBits_), expectedLength()));
    if (next == ExpectedScans::Reader::End && expected_.takeEnd() != ScanEnd::Either)
      differ(formatText("the files end before the end of the %s", scan));
    scanOpen_ = false;
  }
  if (expected_.peek() != ExpectedScans::Reader::Done) {
    ExpectedScans::Reader ahead(expected_);
    unsigned long long scans = 0;
    for (ExpectedScans::Reader::Kind kind; (kind = ahead.peek()) != ExpectedScans::Reader::Done;) {
      if (kind == ExpectedScans::Reader::Start) {
        ++scans;
        ahead.takeStart();
      } else if (kind == ExpectedScans::Reader::End) {
        ahead.takeEnd();
      } else if (kind == ExpectedScans::Reader::Run) {
        ahead.takeRun();
      } else {
        char tdi, tdo;
        ahead.takeBit(tdi, tdo);
      }
    }
    differ(
        formatText("the files end; the SVF gives %llu more scan%s", scans, scans == 1 ? "" : "s"));
  }
  totals_.mostVectors += static_cast<double>(totals_.vectors);
}

unsigned long long Replay::expectedLength() {
  return static_cast<unsigned long long>(scanBits_ + expected_.bitsAhead());
}

int64_t Replay::svfLine() {
  if (scanOpen_) return expected_.line();
  ExpectedScans::Reader ahead(expected_);
  while (ahead.peek() == ExpectedScans::Reader::Run) ahead.takeRun();
  if (ahead.peek() == ExpectedScans::Reader::Start) ahead.takeStart();
  return ahead.line();
}

void Replay::differ(int64_t fileLine, const std::string& what) {
  differAt(fileLine, what, svfLine());
}

void Replay::differAt(int64_t fileLine, const std::string& what, int64_t inputLine) {
  if (fileLine > 0)
    say("Check failed in %s, line %lld: %s.\n", fileName_.c_str(), static_cast<long long>(fileLine),
        what.c_str());
  else
    say("Check failed: %s: %s.\n", fileName_.c_str(), what.c_str());
  endRunAtInputLine(inputLine);
}

}  // namespace vantrel
