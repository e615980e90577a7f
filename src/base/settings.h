// The option values of a run: one record, filled once from the command line
// (driver/options.h) and read everywhere else.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

struct Settings {
  int32_t vectLimit = 200000;  // vectors per output file
  int32_t commentMode = 2;     // 0 none, 1 input lines echoed, 2 also vector comments
  int32_t verbosity = 1;       // 0 quiet, 1 progress, 2 pairs, 3 statement lines
  bool waitComments = false;   // whole comment lines asking for a wait become waits
  bool convertRuntest = true;  // RUNTEST becomes a tester wait instead of clocks
  bool retryMode = true;       // SDR with expected data runs in a retry loop
  bool standardSvf = false;    // every RUNTEST form of the SVF standard, and FREQUENCY
  bool splitScans = false;     // a scan too long for one file continues in the next
  bool check = false;          // the files are replayed and compared with the SVF's scans
  bool checkOnly = false;      // with check: the files on disk are checked, none is written
  int32_t keepClocks = 0;      // clocks of a RUNTEST kept as TCK cycles before its wait
  int32_t loopCount = 16;
  int32_t loopAdjust = 1;
  int32_t compareVector = 1;  // bit of a retried SDR that must compare
  int32_t numDevices = 1;
  int32_t targetDevice = 1;
  std::string tckNode = "TCK";
  std::string tmsNode = "TMS";
  std::string tdiNode = "TDI";
  std::string tdoNode = "TDO";
  std::string trstNode = "*";  // "*": the board has no TRST node
  std::string defaultDevice;
  std::string inputFileName;
  std::string outputFileName;
};

extern Settings settings;

}  // namespace vantrel
