// The golden cases: folders of SVF input, command-line arguments and the exact
// console text and output files a run must give. Two runners use them: the
// in-process one (golden/golden_test.cpp, on every platform) and the one that
// starts the built program as a process (process/process_golden_test.cpp).
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
#include <set>
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

// Copies the case's inputs into `folder`; returns their names, relative to it.
std::set<std::string> copyInputs(const GoldenCase& c, const std::string& folder);

// Every file in `folder` that is not an input, by relative name, with the
// clock of its header normalised.
std::map<std::string, std::string> outputsIn(const std::string& folder,
                                             const std::set<std::string>& inputs);

// Checks the console text, the output files and the untouched inputs against
// the case; with VANTREL_UPDATE_GOLDEN set, records them as expected instead.
void checkGoldenResult(const GoldenCase& c, const std::string& console,
                       const std::map<std::string, std::string>& outputs, const std::string& folder,
                       const std::set<std::string>& inputs);

// A run of the translator in-process, in a fresh folder holding the case's
// inputs, with `args` in place of the case's own.
struct CaseRun {
  int status = 0;
  std::string console;                         // the corpus folder written "@CORPUS@"
  std::map<std::string, std::string> outputs;  // every file made, clock normalised
};
CaseRun runCase(const GoldenCase& c, const std::vector<std::string>& args);

// The name of a case as a GoogleTest parameter name.
std::string testNameOf(const std::string& caseName);

}  // namespace vantrel::testing
