// The folders of src/ are layers, named bottom first in src/layers.txt: a
// file may include headers of its own layer and the layers below it only.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "support/sandbox.h"

namespace fs = std::filesystem;

namespace vantrel::testing {
namespace {

std::vector<std::string> layerOrder() {
  std::vector<std::string> layers;
  std::istringstream lines(readFile(VANTREL_SOURCE_DIR "/layers.txt"));
  for (std::string line; std::getline(lines, line);)
    if (!line.empty() && line[0] != '#') layers.push_back(line);
  return layers;
}

TEST(Layers, NoIncludeRunsUpwards) {
  const std::vector<std::string> layers = layerOrder();
  ASSERT_FALSE(layers.empty());
  auto rank = [&](const std::string& folder) {
    return std::find(layers.begin(), layers.end(), folder) - layers.begin();
  };
  const std::regex include(R"(^\s*#\s*include\s*"([^"/]+)/[^"]+")");
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(VANTREL_SOURCE_DIR)) {
    if (!entry.is_regular_file() || entry.path().filename() == "layers.txt") continue;
    const std::string file = fs::relative(entry.path(), VANTREL_SOURCE_DIR).generic_string();
    const std::string folder = file.substr(0, file.find('/'));
    ASSERT_LT(rank(folder), static_cast<long>(layers.size()))
        << file << ": its folder is not named in src/layers.txt";
    ++files;
    std::istringstream lines(readFile(entry.path().string()));
    std::smatch match;
    for (std::string line; std::getline(lines, line);) {
      if (!std::regex_search(line, match, include)) continue;
      EXPECT_LE(rank(match[1]), rank(folder))
          << file << " includes " << match[0].str().substr(match[0].str().find('"'))
          << ", a layer above its own";
    }
  }
  EXPECT_GT(files, 40);
}

}  // namespace
}  // namespace vantrel::testing
