#include "svf/statement_reader.h"

#include <algorithm>
#include <string_view>

#include "base/console.h"
#include "base/run_stop.h"
#include "base/settings.h"
#include "base/statement.h"
#include "svf/decimal.h"
#include "svf/wait_comment.h"
#include "vcl/output_files.h"

namespace vantrel {

bool idcodeComment = false;

namespace {

// The physical line being read. After a ";" that is followed by another
// statement, the line is kept and the next statement starts at restStart.
std::string line;
bool hasPendingRest = false;
size_t restStart = 0;

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

size_t skipWhitespace(std::string_view text, size_t i) {
  while (i < text.size() && isWhitespace(text[i])) ++i;
  return i;
}

bool isCommentLine(std::string_view text) {
  size_t i = skipWhitespace(text, 0);
  return i < text.size() &&
         (text[i] == '!' || (text[i] == '/' && i + 1 < text.size() && text[i + 1] == '/'));
}

bool isBlankLine(std::string_view text) { return skipWhitespace(text, 0) == text.size(); }

bool beginsWithPiom(std::string_view text) {
  return text.size() >= 4 && upper(text[0]) == 'P' && upper(text[1]) == 'I' &&
         upper(text[2]) == 'O' && upper(text[3]) == 'M';
}

// A line that ends in a keyword letter (SDR, TDI, MASK, TCK, PIO, STATE ...)
// must stay apart from the next line; hex digits and ")" never set this.
bool needsSpaceAfter(std::string_view text) {
  if (text.empty()) return false;
  char last = upper(text.back());
  if (std::string_view("IKOPRT").find(last) != std::string_view::npos) return true;
  return last == 'E' && text.size() >= 2 && upper(text[text.size() - 2]) == 'T';
}

// A line that begins with a keyword (HDR, MASK, PIO, RUNTEST, SDR, STATE,
// TDI, DRPAUSE, ENDDR ...) must stay apart from the text before it.
bool needsSpaceBefore(std::string_view text) {
  if (text.empty()) return false;
  char first = upper(text[0]);
  if (std::string_view("HMPRST").find(first) != std::string_view::npos) return true;
  char second = text.size() > 1 ? upper(text[1]) : '\0';
  return (first == 'D' && second == 'R') || (first == 'E' && second == 'N');
}

void echoLine(std::string_view text) {
  outputFile.write("! ");
  outputFile.write(text);
  if (text.empty() || text.back() != '\n') outputFile.put('\n');
}

}  // namespace

void resetStatementReader() {
  idcodeComment = false;
  statementLine = 0;
  hasPendingRest = false;
}

void rewindInput() {
  svfInput.rewind();
  hasPendingRest = false;  // the rest of a line read before the rewind is stale
}

bool readStatement(std::string& statement) {
  statement.clear();
  bool spaceAfter = false;  // once set, every later line of the statement gets one
  bool firstLine = true;
  for (;;) {
    size_t start;
    if (hasPendingRest) {
      // The rest of a line after a ";": a statement line of its own, already echoed.
      hasPendingRest = false;
      start = restStart;
    } else {
      if (!svfInput.readLine(line)) {
        if (svfInput.failed()) {
          say("Cannot read input file %s!\n", settings.inputFileName.c_str());
          endRun();
        }
        if (!statement.empty()) {
          // The statement being gathered is what the report shows.
          say("\nEnd of input file reached inside a statement!\n");
          say("The last line read from input file was : \n\n");
          sayText("   ");
          sayText(statement);
          sayText(" \n\n");
          fatalStop();
        }
        return false;
      }
      if (settings.commentMode != 0) echoLine(line);
      bool comment = isCommentLine(line);
      if (comment || isBlankLine(line)) {
        if (comment && settings.waitComments) {
          parseWaitComment(line, 0, svfInput.lineNumber());
          emitPendingWait();
        }
        idcodeComment = comment && line.find("idcode") != std::string::npos;
        continue;
      }
      start = skipWhitespace(line, 0);
    }
    if (firstLine) {
      statementLine = svfInput.lineNumber();
      firstLine = false;
    }
    if (settings.verbosity > 2) {
      std::string_view shown(line);
      shown.remove_prefix(start);
      sayText(shown);
      if (shown.empty() || shown.back() != '\n') sayText("\n");
    }

    // The comment starts at whichever of "!" and "//" comes first; a ";"
    // inside a comment ends nothing.
    size_t commentStart = std::min(line.find('!', start), line.find("//", start));
    size_t semicolon = line.find(';', start);
    if (semicolon > commentStart) semicolon = std::string::npos;
    size_t end;
    bool complete = semicolon != std::string::npos;
    if (!complete) {
      end = commentStart;
      if (commentStart != std::string::npos)
        parseWaitComment(line, commentStart, svfInput.lineNumber());
    } else {
      end = semicolon;
      size_t rest = skipWhitespace(line, semicolon + 1);
      if (rest == line.size() || line[rest] == '!' || line[rest] == '/') {
        if (rest < line.size()) parseWaitComment(line, rest, svfInput.lineNumber());
      } else {
        hasPendingRest = true;  // another statement follows on this line
        restStart = rest;
      }
    }
    std::string_view text(line);
    text = text.substr(start, end == std::string::npos ? std::string_view::npos : end - start);
    text = text.substr(0, text.find('\n'));
    while (!text.empty() && isWhitespace(text.back())) text.remove_suffix(1);

    if (needsSpaceAfter(text) || beginsWithPiom(statement) || beginsWithPiom(text))
      spaceAfter = true;
    if (!statement.empty() && needsSpaceBefore(text)) statement.push_back(' ');
    statement.append(text);
    if (spaceAfter) statement.push_back(' ');
    if (complete) return true;
  }
}

}  // namespace vantrel
