// The end-to-end cases under golden/cases, each a folder:
//   args         the command-line arguments after the program name, one per
//                line (default: "input.svf" and "out"); "@CORPUS@/x.svf" names
//                a file of the shared corpus of real SVF files
//   console.txt  the expected console text, with "@CORPUS@" standing for the
//                corpus folder wherever a report names a corpus file
//   expected/    every file the run leaves besides its inputs, byte for byte
//                (the clock on the first header line normalised to 0)
//   any other file is an input, copied into the run's folder.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vantrel::testing {

struct GoldenCase {
  std::string name;
  std::string dir;
  std::vector<std::string> args;
  bool usesCorpus = false;  // names a file of the shared corpus
};

std::vector<std::string> goldenCaseNames();
GoldenCase loadGoldenCase(const std::string& name);

// A run of the translator in a fresh folder holding the case's inputs.
struct CaseRun {
  int status = 0;
  std::string console;                         // the corpus folder written as "@CORPUS@"
  std::map<std::string, std::string> outputs;  // every file made, clock normalised
  std::map<std::string, std::string> inputs;   // the input files as the run left them
};
CaseRun runCase(const GoldenCase& goldenCase, const std::vector<std::string>& args);

}  // namespace vantrel::testing
