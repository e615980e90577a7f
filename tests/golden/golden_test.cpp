// End-to-end cases: SVF in, exact VCL files and console text out (the case
// folders are described in support/golden_case.h).
// VANTREL_UPDATE_GOLDEN=1 rewrites console.txt and expected/ from the actual
// run; review the difference before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/golden_case.h"
#include "support/sandbox.h"

namespace fs = std::filesystem;

namespace vantrel::testing {
namespace {

void writeFile(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, MatchesExpectedOutput) {
  const GoldenCase goldenCase = loadGoldenCase(GetParam());
  if (goldenCase.usesCorpus && !fs::is_directory(VANTREL_CORPUS_DIR))
    GTEST_SKIP() << "no corpus at " << VANTREL_CORPUS_DIR;
  const fs::path caseDir = goldenCase.dir;
  const CaseRun run = runCase(goldenCase, goldenCase.args);
  EXPECT_EQ(run.status, 1);

  if (std::getenv("VANTREL_UPDATE_GOLDEN")) {
    fs::remove_all(caseDir / "expected");
    writeFile(caseDir / "console.txt", run.console);
    for (const auto& [name, content] : run.outputs) writeFile(caseDir / "expected" / name, content);
    return;
  }

  EXPECT_EQ(run.console, readFile((caseDir / "console.txt").string()));
  std::map<std::string, std::string> expected;
  if (fs::exists(caseDir / "expected"))
    for (const auto& entry : fs::recursive_directory_iterator(caseDir / "expected"))
      if (entry.is_regular_file())
        expected[fs::relative(entry.path(), caseDir / "expected").string()] =
            readFile(entry.path().string());
  for (const auto& [name, content] : expected) {
    auto found = run.outputs.find(name);
    if (found == run.outputs.end()) {
      ADD_FAILURE() << "missing output file " << name;
      continue;
    }
    EXPECT_EQ(found->second, content) << "in output file " << name;
  }
  for (const auto& [name, content] : run.outputs)
    EXPECT_TRUE(expected.count(name)) << "unexpected output file " << name;
  // Inputs are never changed by a run.
  for (const auto& [name, content] : run.inputs)
    EXPECT_EQ(content, readFile((caseDir / name).string())) << "input " << name;
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(goldenCaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace vantrel::testing
