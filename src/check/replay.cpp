#include "check/replay.h"

#include "base/console.h"
#include "base/run_stop.h"
#include "base/settings.h"
#include "check/vcl_statements.h"

namespace vantrel {

namespace {

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
