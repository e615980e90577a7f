// The translator's entry and its statement loop.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace vantrel {

// Where a run reads and writes, when not the files named on its command line.
struct RunIo {
  const std::string* inputText = nullptr;  // read instead of the input file
  bool discardOutput = false;              // output files are not written
  size_t discardLimit = 0;                 // with discardOutput: bytes per file before the run ends
  int32_t discardFiles = 0;                // with discardOutput: files before the run ends
  size_t discardBudget = 0;                // with discardOutput: bytes of all files before it ends
  // Output files kept here in memory (file 1 first) instead of written, with
  // the limits of discardOutput; -CHECK reads them back from here.
  std::vector<std::string>* keptOutput = nullptr;
  // With -CHECKONLY: the series to check (file 1 first), instead of the files on disk.
  const std::vector<std::string>* existingFiles = nullptr;
};

// Runs a whole translation: `args` as on the command line (args[0] is the
// program name), messages to `console`. Returns the process status, which is
// 1 on every path, a successful translation included.
int runTranslator(const std::vector<std::string>& args, std::ostream& console,
                  const RunIo& io = RunIo{});

}  // namespace vantrel
