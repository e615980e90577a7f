// The replay of a series (check/replay.h): each file read line by line, the
// end of the series, and the report of the first difference.
#include "check/replay.h"

#include "base/console.h"
#include "base/run_stop.h"

namespace vantrel {

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
