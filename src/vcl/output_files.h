// The numbered VCL output files: naming, the fixed header, closing, the split
// into further files, the restart from the first file, and the fatal stop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vcl/output_buffer.h"

namespace vantrel {

extern OutputBuffer outputFile;  // the file all VCL text goes to
extern int32_t fileNumber;       // number of the next file to open
extern int64_t vectorCount;      // lines charged to the current file
extern bool preambleWritten;     // the current file has its unit preamble
extern bool trstAssigned;        // a TRST node is assigned: vectors carry TRST
extern bool discardOutput;       // files are named and written, but to nowhere
extern size_t discardLimit;      // bytes per discarded file before the run ends (0: none)
extern int32_t discardFiles;     // discarded files before the run ends (0: no limit)
// When set, files are named but kept here in memory, by number (file 1 at
// index 0), with the limits of discarded files.
extern std::vector<std::string>* keptOutput;
extern size_t discardBudget;     // discarded bytes of all files before the run ends (0: none)

// A file that reaches this many lines makes the whole translation start over
// with files split earlier, by kMarginStep lines more at every restart.
constexpr int64_t kRestartCeiling = 300000;
constexpr int64_t kMarginStep = 25000;
extern int64_t splitMargin;  // grown at every restart, never reset
// A file closed in the middle of a statement had reached the ceiling.
extern bool ceilingPassed;

// A file holding more lines than this is followed by the next one.
int64_t splitThreshold();

// With -SPLITSCANS: whether a scan or a run of clocks writing `lines` lines
// is cut across files. It is when it exceeds the vector limit, or when no
// file could take it at all, whatever the limit.
bool cutAcrossFiles(int64_t lines);

void resetOutputFiles();

// Closes the current file with its closing lines (when one is open), then
// opens the file numbered fileNumber and writes its header.
void openOutputFile(const std::string& givenName);

// Starts the output over from the first file (the driver reads the input
// again from its first line).
void restartOutput(const std::string& givenName);

// Reports a statement too large for any output file, the one at input line
// `inputLine`, and stops the run.
[[noreturn]] void stopCommandTooLarge(int64_t inputLine);

// Before a statement writes about `lines` lines: a file's line count is a
// signed 32-bit number, and a statement that would take it past that limit
// can be placed in no file at all.
void checkRoomForLines(int64_t lines);

// Closes the current output file as it stands, without closing lines.
// False when the file could not be written completely.
bool closeOutputFile();

// The name of the output file numbered `number` for the outputFile argument;
// empty when the argument names no file.
std::string outputFilePath(const std::string& givenName, int32_t number);

}  // namespace vantrel
