// The golden cases run against the built program as a separate process: its
// real standard output, its exit status, and files written by its own file
// code on its own platform. Run by CTest for the Linux program, and by
// `make test-windows` for vantrel.exe under Wine.
//
//   VANTREL_COMMAND  the words that start the program, separated by blanks: the
//                    program, or an emulator with its arguments and then the
//                    program
//   VANTREL_WINDOWS  set to 1 for a Windows program: its console is text, so
//                    CR LF line ends become LF before the comparison, and the
//                    cases only Windows can show run too
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "support/golden_cases.h"
#include "support/sandbox.h"

namespace fs = std::filesystem;

namespace vantrel::testing {
namespace {

std::string quoted(const std::string& word) {
  std::string text = "'";
  for (char c : word) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return text + "'";
}

bool forWindows() {
  const char* value = std::getenv("VANTREL_WINDOWS");
  return value && std::string(value) == "1";
}

std::string withLfLineEnds(const std::string& text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) result += text[i];
  return result;
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
  if (end == std::string::npos) return text;
  return text.replace(name, end - name, "vantrel");
}

class ProcessGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(ProcessGolden, MatchesExpectedOutput) {
  const char* command = std::getenv("VANTREL_COMMAND");
  if (!command || !*command) GTEST_SKIP() << "VANTREL_COMMAND names no program";
  const GoldenCase c = loadGoldenCase(GetParam(), VANTREL_CORPUS_DIR);
  const std::string skip = reasonToSkip(c, forWindows());
  if (!skip.empty()) GTEST_SKIP() << skip;

  Sandbox sandbox;
  const std::string folder = sandbox.path() + "/run";
  fs::create_directory(folder);
  const std::set<std::string> inputs = copyInputs(c, folder);
  std::ostringstream line;
  line << "cd " << quoted(folder) << " && " << command;
  for (const std::string& arg : c.args) line << ' ' << quoted(arg);
  line << " </dev/null >" << quoted(sandbox.path() + "/console") << " 2>"
       << quoted(sandbox.path() + "/errors");
  const int status = std::system(line.str().c_str());
  ASSERT_TRUE(WIFEXITED(status)) << line.str();
  EXPECT_EQ(WEXITSTATUS(status), 1) << line.str() << "\n" << sandbox.read("errors");

  std::string console = sandbox.read("console");
  if (forWindows()) console = withLfLineEnds(console);
  console = withProgramNamedVantrel(console);
  checkGoldenResult(c, console, outputsIn(folder, inputs), folder, inputs);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProcessGolden, ::testing::ValuesIn(goldenCaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return testNameOf(info.param);
                         });

}  // namespace
}  // namespace vantrel::testing
