// The lines of the replay that are neither vector lines nor execute lines
// (check/replay.h): the file's declarations, the unit and its pcf blocks
// with the pin order in force, the waits, and the kind of each line.
#include "base/console.h"
#include "check/replay.h"
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

}  // namespace vantrel
