#include "support/golden_cases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "support/sandbox.h"

namespace fs = std::filesystem;

namespace vantrel::testing {
namespace {

const std::string kCorpusMark = "@CORPUS@";
const std::set<std::string> kReserved = {"args", "console.txt", "expected", "windows-only"};

// Whether a file or folder of a case, by relative name, is not an input.
bool isReserved(const fs::path& relative) { return kReserved.count(relative.begin()->string()); }

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

// Every regular file below `folder`, by relative name (in UTF-8, so that a
// case may hold files named in any script).
std::map<std::string, std::string> filesBelow(const fs::path& folder) {
  std::map<std::string, std::string> files;
  if (!fs::exists(folder)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), folder).u8string()] = readFile(entry.path());
  return files;
}

#ifndef _WIN32
std::string quoted(const std::string& word) {
  std::string text = "'";
  for (char c : word) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return text + "'";
}

// The usage screen names the program as it was started: here its full path
// (under Wine, its Windows path). The cases were recorded as "vantrel".
std::string withProgramNamedVantrel(std::string text) {
  static const std::string kBefore = "Example syntax is:\n\t";
  static const std::string kAfter = " [options] inputFile outputFile";
  const size_t start = text.find(kBefore);
  if (start == std::string::npos) return text;
  const size_t name = start + kBefore.size();
  const size_t end = text.find(kAfter, name);
  return end == std::string::npos ? text : text.replace(name, end - name, "vantrel");
}

// Runs the program in `folder`; its console goes to a file beside the folder.
int runProcess(const Runner& runner, const std::vector<std::string>& args,
               const std::string& folder, std::string& console) {
  const std::string consoleFile = folder + ".console";
  std::ostringstream line;
  line << "cd " << quoted(folder) << " && " << runner.command;
  for (const std::string& arg : args) line << ' ' << quoted(arg);
  // Standard error is not the console vantrel writes to (Wine talks there).
  line << " </dev/null >" << quoted(consoleFile) << " 2>" << quoted(folder + ".errors");
  const int status = std::system(line.str().c_str());
  console = readFile(consoleFile);
  if (runner.windows) {  // a Windows console ends its lines with CR LF
    std::string lf;
    for (size_t i = 0; i < console.size(); ++i)
      if (console[i] != '\r' || i + 1 == console.size() || console[i + 1] != '\n') lf += console[i];
    console = lf;
  }
  console = withProgramNamedVantrel(console);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#else
int runProcess(const Runner&, const std::vector<std::string>&, const std::string&, std::string&) {
  ADD_FAILURE() << "the Windows test program runs cases in-process only";
  return -1;
}
#endif

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

CaseRun runCase(const GoldenCase& c, const std::vector<std::string>& args, const Runner& runner) {
  Sandbox sandbox;
  const fs::path folder = fs::path(sandbox.path()) / "run";
  std::set<std::string> inputNames;
  fs::create_directories(folder);
  for (const auto& entry : fs::recursive_directory_iterator(c.folder)) {
    const fs::path name = fs::relative(entry.path(), c.folder);
    if (isReserved(name)) continue;
    if (entry.is_directory()) {  // a folder the case's output goes to
      fs::create_directories(folder / name);
    } else {
      writeFile(folder / name, readFile(entry.path()));
      inputNames.insert(name.u8string());
    }
  }

  CaseRun run;
  if (runner.command.empty()) {
    fs::current_path(folder);
    run.status = sandbox.run(args);
    fs::current_path(sandbox.path());
    run.console = sandbox.console();
  } else {
    run.status = runProcess(runner, args, folder.string(), run.console);
  }
  run.console = markCorpus(run.console, c.corpusDir);
  for (auto& [name, content] : filesBelow(folder)) {
    if (inputNames.count(name))
      run.inputs[name] = content;
    else
      run.outputs[name] = normaliseClock(content);
  }
  return run;
}

std::map<std::string, std::string> expectedOutputs(const GoldenCase& c) {
  return filesBelow(fs::path(c.folder) / "expected");
}

void expectMatchesCase(const GoldenCase& c, const CaseRun& run) {
  const fs::path caseDir = c.folder;
  if (std::getenv("VANTREL_UPDATE_GOLDEN")) {
    fs::remove_all(caseDir / "expected");
    writeFile(caseDir / "console.txt", run.console);
    for (const auto& [name, content] : run.outputs)
      writeFile(caseDir / "expected" / fs::u8path(name), content);
    return;
  }
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.console, readFile((caseDir / "console.txt").string()));
  const std::map<std::string, std::string> expected = expectedOutputs(c);
  for (const auto& [name, content] : expected) {
    auto found = run.outputs.find(name);
    if (found == run.outputs.end())
      ADD_FAILURE() << "missing output file " << name;
    else
      EXPECT_EQ(found->second, content) << "in output file " << name;
  }
  for (const auto& [name, content] : run.outputs)
    EXPECT_TRUE(expected.count(name)) << "unexpected output file " << name;
  // Inputs are never changed by a run.
  for (const auto& [name, content] : run.inputs)
    EXPECT_EQ(content, readFile(caseDir / fs::u8path(name))) << "input " << name;
}

}  // namespace vantrel::testing
