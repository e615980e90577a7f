#include "svf/wait_comment.h"

#include "base/console.h"
#include "base/statement.h"
#include "check/expected_scans.h"
#include "svf/decimal.h"
#include "vcl/emitter.h"

namespace vantrel {

namespace {

std::string waitValue;  // the number as written; empty: no wait pending
std::string waitUnits;  // the word after it; its first letter is the unit
int64_t waitLine = 0;   // the input line of the comment

}  // namespace

void resetWaitComments() {
  waitValue.clear();
  waitUnits.clear();
  waitLine = 0;
}

void parseWaitComment(std::string& line, size_t start, int64_t lineNumber) {
  size_t at = line.find("wait", start);
  if (at == std::string::npos) at = line.find("Wait", start);
  if (at == std::string::npos) return;
  waitUnits = "m";
  waitValue = "0";
  waitLine = lineNumber;
  size_t i = at + 4;
  while (i < line.size() && isWhitespace(line[i])) ++i;
  const size_t digits = i;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
  if (i > digits) waitValue = line.substr(digits, i - digits);
  while (i < line.size() && isWhitespace(line[i])) ++i;
  if (i == line.size()) return;
  const size_t unit = i;
  while (i < line.size() && !isWhitespace(line[i])) ++i;
  waitUnits = line.substr(unit, i - unit);
  line.resize(i);
}

void emitPendingWait() {
  if (waitValue.empty() || waitUnits.empty()) return;
  const char unit = waitUnits[0];
  if (unit != 'm' && unit != 'u' && unit != 's' && unit != 'n' && unit != 'S') {
    sayText("Invalid units specified on wait ");
    sayText(waitValue);
    sayText(" ");
    sayText(waitUnits);
    sayText(".\n");
    say("Valid Units are: m, u, s, n.\n");
    fatalStopAt(waitLine);
  }
  std::string time = waitValue;
  if (unit != 's' && unit != 'S') time += unit;  // seconds take no suffix
  expectedScans.commentWait(time, waitLine);
  writeWaitStatement(time);
  waitValue.clear();
}

}  // namespace vantrel
