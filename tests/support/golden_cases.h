// The golden cases: folders of SVF input, command-line arguments and the exact
// console text and output files a run must give. golden/golden_test.cpp runs
// each of them in-process, or against the built program as a process.
//
// Each folder under golden/cases holds a case:
//   args          the command-line arguments after the program name, one per
//                 line (default: "input.svf" and "out"); "@CORPUS@/x.svf" names
//                 a file of the shared corpus of real SVF files
//   console.txt   the expected console text, with "@CORPUS@" standing for the
//                 corpus folder wherever a report names a corpus file
//   expected/     every file the run leaves besides its inputs, byte for byte
//                 (the clock on the first header line normalised to 0)
//   windows-only  marks a case that only Windows can show (a backslash as a
//                 folder separator, for one); its text says why. Other
//                 platforms skip it.
//   any other file is an input, copied into the run's folder.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace vantrel::testing {

struct GoldenCase {
  std::string name;
  std::string folder;  // the case's folder in the source tree
  std::vector<std::string> args;
  std::string corpusDir;  // what "@CORPUS@" stands for
  bool usesCorpus = false;
  bool windowsOnly = false;
};

// The names of all cases, sorted.
std::vector<std::string> goldenCaseNames();

// Reads a case; "@CORPUS@" in its arguments becomes `corpusDir`.
GoldenCase loadGoldenCase(const std::string& name, const std::string& corpusDir);

// Why the case cannot run here (no corpus, not Windows); empty when it can.
std::string reasonToSkip(const GoldenCase& c, bool onWindows);

// A run of a case in a fresh folder holding its inputs.
struct CaseRun {
  int status = 0;
  std::string console;                         // the corpus folder written "@CORPUS@"
  std::map<std::string, std::string> outputs;  // every file made, clock normalised
  std::map<std::string, std::string> inputs;   // the inputs as the run left them
};

// How a case is run: in-process, or as a process started by `command` (the
// words that start the program: the program, or Wine and vantrel.exe).
struct Runner {
  std::string command;   // empty: in-process
  bool windows = false;  // the program is a Windows one: its console has CR LF line ends
};

// Runs the case with `args` in place of its own.
CaseRun runCase(const GoldenCase& c, const std::vector<std::string>& args,
                const Runner& runner = Runner{});

// The files a run of the case must leave, by relative name.
std::map<std::string, std::string> expectedOutputs(const GoldenCase& c);

// Checks a run against the case: status 1, console text, output files,
// inputs unchanged. With VANTREL_UPDATE_GOLDEN set, records the run as the
// expected result instead.
void expectMatchesCase(const GoldenCase& c, const CaseRun& run);

}  // namespace vantrel::testing
