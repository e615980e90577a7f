#include "support/golden_case.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "support/sandbox.h"

namespace fs = std::filesystem;

namespace vantrel::testing {

namespace {

// "@CORPUS@" in an argument stands for the folder of real SVF files.
const std::string kCorpusMark = "@CORPUS@";
const std::set<std::string> kReserved = {"args", "console.txt", "expected"};

// Reports name the input file as given: the corpus folder, which depends on
// where the repository stands, is written as the mark.
std::string markCorpus(std::string console) {
  const std::string corpus = VANTREL_CORPUS_DIR;
  for (size_t at = console.find(corpus); at != std::string::npos;
       at = console.find(corpus, at + kCorpusMark.size()))
    console.replace(at, corpus.size(), kCorpusMark);
  return console;
}

}  // namespace

std::vector<std::string> goldenCaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(VANTREL_GOLDEN_DIR))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

GoldenCase loadGoldenCase(const std::string& name) {
  GoldenCase result;
  result.name = name;
  result.dir = (fs::path(VANTREL_GOLDEN_DIR) / name).string();
  const fs::path argsFile = fs::path(result.dir) / "args";
  if (!fs::exists(argsFile)) {
    result.args = {"input.svf", "out"};
    return result;
  }
  std::istringstream lines(readFile(argsFile.string()));
  for (std::string line; std::getline(lines, line);) {
    if (line.compare(0, kCorpusMark.size(), kCorpusMark) == 0) {
      line = VANTREL_CORPUS_DIR + line.substr(kCorpusMark.size());
      result.usesCorpus = true;
    }
    result.args.push_back(line);
  }
  return result;
}

CaseRun runCase(const GoldenCase& goldenCase, const std::vector<std::string>& args) {
  Sandbox sandbox;
  std::set<std::string> inputs;
  for (auto it = fs::recursive_directory_iterator(goldenCase.dir);
       it != fs::recursive_directory_iterator(); ++it) {
    std::string name = fs::relative(it->path(), goldenCase.dir).string();
    if (kReserved.count(name)) {
      it.disable_recursion_pending();
      continue;
    }
    if (it->is_directory()) {
      fs::create_directories(fs::path(sandbox.path()) / name);
    } else if (it->is_regular_file()) {
      sandbox.write(name, readFile(it->path().string()));
      inputs.insert(name);
    }
  }
  CaseRun run;
  run.status = sandbox.run(args);
  run.console = markCorpus(sandbox.console());
  for (const auto& entry : fs::recursive_directory_iterator(sandbox.path())) {
    if (!entry.is_regular_file()) continue;
    std::string name = fs::relative(entry.path(), sandbox.path()).string();
    if (inputs.count(name))
      run.inputs[name] = sandbox.read(name);
    else
      run.outputs[name] = normaliseClock(readFile(entry.path().string()));
  }
  return run;
}

}  // namespace vantrel::testing
