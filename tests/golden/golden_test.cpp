// End-to-end cases: SVF in, exact VCL files and console text out.
//
// Each folder under golden/cases holds a case:
//   args         the command-line arguments after the program name, one per
//                line (default: "input.svf" and "out"); "@CORPUS@/x.svf" names
//                a file of the shared corpus of real SVF files
//   console.txt  the expected console text, with "@CORPUS@" standing for the
//                corpus folder wherever a report names a corpus file
//   expected/    every file the run leaves besides its inputs, byte for byte
//                (the clock on the first header line normalised to 0)
//   any other file is an input, copied into the run's folder.
// VANTREL_UPDATE_GOLDEN=1 rewrites console.txt and expected/ from the actual
// run; review the difference before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "support/sandbox.h"

namespace fs = std::filesystem;

namespace vantrel::testing {
namespace {

std::vector<std::string> caseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(VANTREL_GOLDEN_DIR))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// "@CORPUS@" in an argument stands for the folder of real SVF files.
const std::string kCorpusMark = "@CORPUS@";

std::vector<std::string> readArgs(const fs::path& file) {
  if (!fs::exists(file)) return {"input.svf", "out"};
  std::vector<std::string> args;
  std::istringstream lines(readFile(file.string()));
  for (std::string line; std::getline(lines, line);) {
    if (line.compare(0, kCorpusMark.size(), kCorpusMark) == 0)
      line = VANTREL_CORPUS_DIR + line.substr(kCorpusMark.size());
    args.push_back(line);
  }
  return args;
}

// Reports name the input file as given: the corpus folder, which depends on
// where the repository stands, is written as the mark.
std::string markCorpus(std::string console) {
  const std::string corpus = VANTREL_CORPUS_DIR;
  for (size_t at = console.find(corpus); at != std::string::npos;
       at = console.find(corpus, at + kCorpusMark.size()))
    console.replace(at, corpus.size(), kCorpusMark);
  return console;
}

void writeFile(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, MatchesExpectedOutput) {
  const fs::path caseDir = fs::path(VANTREL_GOLDEN_DIR) / GetParam();
  const std::vector<std::string> args = readArgs(caseDir / "args");
  if (readFile((caseDir / "args").string()).find(kCorpusMark) != std::string::npos &&
      !fs::is_directory(VANTREL_CORPUS_DIR))
    GTEST_SKIP() << "no corpus at " << VANTREL_CORPUS_DIR;
  const std::set<std::string> reserved = {"args", "console.txt", "expected"};
  std::set<std::string> inputs;

  Sandbox sandbox;
  for (auto it = fs::recursive_directory_iterator(caseDir);
       it != fs::recursive_directory_iterator(); ++it) {
    std::string name = fs::relative(it->path(), caseDir).string();
    if (reserved.count(name)) {
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
  EXPECT_EQ(sandbox.run(args), 1);
  const std::string console = markCorpus(sandbox.console());

  std::map<std::string, std::string> actual;
  for (const auto& entry : fs::recursive_directory_iterator(sandbox.path())) {
    if (!entry.is_regular_file()) continue;
    std::string name = fs::relative(entry.path(), sandbox.path()).string();
    if (!inputs.count(name)) actual[name] = normaliseClock(readFile(entry.path().string()));
  }

  if (std::getenv("VANTREL_UPDATE_GOLDEN")) {
    fs::remove_all(caseDir / "expected");
    writeFile(caseDir / "console.txt", console);
    for (const auto& [name, content] : actual) writeFile(caseDir / "expected" / name, content);
    return;
  }

  EXPECT_EQ(console, readFile((caseDir / "console.txt").string()));
  std::map<std::string, std::string> expected;
  if (fs::exists(caseDir / "expected"))
    for (const auto& entry : fs::recursive_directory_iterator(caseDir / "expected"))
      if (entry.is_regular_file())
        expected[fs::relative(entry.path(), caseDir / "expected").string()] =
            readFile(entry.path().string());
  for (const auto& [name, content] : expected) {
    auto found = actual.find(name);
    if (found == actual.end()) {
      ADD_FAILURE() << "missing output file " << name;
      continue;
    }
    EXPECT_EQ(found->second, content) << "in output file " << name;
  }
  for (const auto& [name, content] : actual)
    EXPECT_TRUE(expected.count(name)) << "unexpected output file " << name;
  // Inputs are never changed by a run.
  for (const std::string& name : inputs)
    EXPECT_EQ(sandbox.read(name), readFile((caseDir / name).string())) << "input " << name;
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(caseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace vantrel::testing
