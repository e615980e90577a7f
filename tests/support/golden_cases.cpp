#include "support/golden_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/sandbox.h"

namespace fs = std::filesystem;

// The names of a case's files are UTF-8 text (u8string, u8path), as the
// program takes file names on every platform; Windows would read a plain
// string in its ANSI code page.

namespace vantrel::testing {
namespace {

const std::string kCorpusMark = "@CORPUS@";
const std::set<std::string> kReserved = {"args", "console.txt", "expected", "windows-only"};

// Reports name the input file as given: the corpus folder, which depends on
// where the repository stands, is written as the mark.
std::string markCorpus(std::string console, const std::string& corpusDir) {
  if (corpusDir.empty()) return console;
  for (size_t at = console.find(corpusDir); at != std::string::npos;
       at = console.find(corpusDir, at + kCorpusMark.size()))
    console.replace(at, corpusDir.size(), kCorpusMark);
  return console;
}

void writeFile(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

}  // namespace

std::vector<std::string> goldenCaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(VANTREL_GOLDEN_DIR))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

GoldenCase loadGoldenCase(const std::string& name, const std::string& corpusDir) {
  GoldenCase c;
  c.name = name;
  c.folder = (fs::path(VANTREL_GOLDEN_DIR) / name).string();
  c.corpusDir = corpusDir;
  c.windowsOnly = fs::exists(fs::path(c.folder) / "windows-only");
  const fs::path argsFile = fs::path(c.folder) / "args";
  if (!fs::exists(argsFile)) {
    c.args = {"input.svf", "out"};
    return c;
  }
  std::istringstream lines(readFile(argsFile.string()));
  for (std::string line; std::getline(lines, line);) {
    if (line.compare(0, kCorpusMark.size(), kCorpusMark) == 0) {
      line = corpusDir + line.substr(kCorpusMark.size());
      c.usesCorpus = true;
    }
    c.args.push_back(line);
  }
  return c;
}

std::string reasonToSkip(const GoldenCase& c, bool onWindows) {
  if (c.windowsOnly && !onWindows) return "a case only Windows can show";
  if (c.usesCorpus && !fs::is_directory(VANTREL_CORPUS_DIR))
    return std::string("no corpus at ") + VANTREL_CORPUS_DIR;
  return std::string();
}

std::set<std::string> copyInputs(const GoldenCase& c, const std::string& folder) {
  std::set<std::string> inputs;
  for (auto it = fs::recursive_directory_iterator(c.folder);
       it != fs::recursive_directory_iterator(); ++it) {
    const std::string name = fs::relative(it->path(), c.folder).u8string();
    if (kReserved.count(name)) {
      it.disable_recursion_pending();
      continue;
    }
    if (it->is_directory()) {
      fs::create_directories(fs::path(folder) / fs::u8path(name));
    } else if (it->is_regular_file()) {
      writeFile(fs::path(folder) / fs::u8path(name), readFile(it->path()));
      inputs.insert(name);
    }
  }
  return inputs;
}

std::map<std::string, std::string> outputsIn(const std::string& folder,
                                             const std::set<std::string>& inputs) {
  std::map<std::string, std::string> outputs;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    const std::string name = fs::relative(entry.path(), folder).u8string();
    if (!inputs.count(name)) outputs[name] = normaliseClock(readFile(entry.path()));
  }
  return outputs;
}

void checkGoldenResult(const GoldenCase& c, const std::string& actualConsole,
                       const std::map<std::string, std::string>& outputs, const std::string& folder,
                       const std::set<std::string>& inputs) {
  const fs::path caseDir = c.folder;
  const std::string console = markCorpus(actualConsole, c.corpusDir);
  if (std::getenv("VANTREL_UPDATE_GOLDEN")) {
    fs::remove_all(caseDir / "expected");
    writeFile(caseDir / "console.txt", console);
    for (const auto& [name, content] : outputs)
      writeFile(caseDir / "expected" / fs::u8path(name), content);
    return;
  }

  EXPECT_EQ(console, readFile((caseDir / "console.txt").string()));
  std::map<std::string, std::string> expected;
  if (fs::exists(caseDir / "expected"))
    for (const auto& entry : fs::recursive_directory_iterator(caseDir / "expected"))
      if (entry.is_regular_file())
        expected[fs::relative(entry.path(), caseDir / "expected").u8string()] =
            readFile(entry.path());
  for (const auto& [name, content] : expected) {
    auto found = outputs.find(name);
    if (found == outputs.end()) {
      ADD_FAILURE() << "missing output file " << name;
      continue;
    }
    EXPECT_EQ(found->second, content) << "in output file " << name;
  }
  for (const auto& [name, content] : outputs)
    EXPECT_TRUE(expected.count(name)) << "unexpected output file " << name;
  // Inputs are never changed by a run.
  for (const std::string& name : inputs)
    EXPECT_EQ(readFile(fs::path(folder) / fs::u8path(name)), readFile(caseDir / fs::u8path(name)))
        << "input " << name;
}

CaseRun runCase(const GoldenCase& c, const std::vector<std::string>& args) {
  Sandbox sandbox;
  const std::set<std::string> inputs = copyInputs(c, sandbox.path());
  CaseRun run;
  run.status = sandbox.run(args);
  run.console = markCorpus(sandbox.console(), c.corpusDir);
  run.outputs = outputsIn(sandbox.path(), inputs);
  return run;
}

std::string testNameOf(const std::string& caseName) {
  std::string name = caseName;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

}  // namespace vantrel::testing
