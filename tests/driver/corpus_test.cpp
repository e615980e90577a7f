// Every real SVF file of the shared corpus goes through the translator
// without a crash: it translates, or it stops with one of the translator's
// own reports. What it translates passes the check of its files (-CHECK).
//
// Each run's files and console are also held to a digest recorded in
// corpus_outputs.digest: options that add behaviour (-KEEPCLOCKS, the
// RUNTEST clocks of -STDSVF) must leave these runs byte for byte as they
// were. The console is compared without the lines that report on RUNTESTs
// kept as waits, which only say what the files already did.
// VANTREL_UPDATE_DIGESTS=1 rewrites the digests from the actual runs.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "support/sandbox.h"

namespace fs = std::filesystem;

namespace vantrel::testing {
namespace {

// The reports a run over real files may end with.
const char* const kEndings[] = {
    "Translation Successful",
    "\nEnd of input file reached inside a statement!\n",
    "\nUnsupported RUNTEST form!\n",
    "Could not match state of ",
    "\nInvalid explicit state path specified!\n",
    "There is a command to large to process in this file!\n",
    "The number of clocks on RUNTEST command is too large!\n",
    "\nRUNTEST end state is missing!\n",
    "\nInvalid clock count on RUNTEST!\n",
    "\nSTATE parameter specified is not a stable state!\n",
    "\nEnding state was not a stable state\n",
    "Could not match TRST mode of ",
    "ERROR Must explicitly specify ",
    " lengths are both zero.\n",
    "Invalid length specified for ",
    "Invalid units specified on wait ",
    "PIO Map has already been defined!!\n",
    "PIO Map has no logical names!\n",
    " is the name of a JTAG pin!\n",
    "\nPIO Map names ",
    "Tried to execute a PIO command before a ",
    "Number of characters in the PIO command ",
    "in the PIO command.\n",
};

const char* const kDigestFile = VANTREL_TESTS_DIR "/driver/corpus_outputs.digest";

uint64_t fnv1a(uint64_t hash, const std::string& text) {
  for (unsigned char c : text) hash = (hash ^ c) * 0x100000001b3ull;
  return (hash ^ 0xff) * 0x100000001b3ull;  // a separator no text holds
}

// The console as it stands, less the corpus folder's path (it differs by
// platform) and the lines that report on RUNTESTs kept as waits.
std::string comparableConsole(const std::string& console) {
  std::istringstream lines(console);
  std::string kept;
  for (std::string line; std::getline(lines, line);) {
    const bool runTestReport =
        line.find("RUNTESTs became tester waits") != std::string::npos ||
        line.rfind("The first is at line ", 0) == 0 ||
        (line.rfind("Checked ", 0) == 0 && line.find(" RUNTESTs: ") != std::string::npos);
    if (runTestReport) continue;
    for (size_t at; (at = line.find(VANTREL_CORPUS_DIR)) != std::string::npos;)
      line.replace(at, std::string(VANTREL_CORPUS_DIR).size(), "@CORPUS@");
    for (char& c : line)  // the separator before the file's name, on Windows
      if (c == '\\') c = '/';
    kept += line + "\n";
  }
  return kept;
}

std::string digestOf(const Sandbox& sandbox) {
  uint64_t hash = 0xcbf29ce484222325ull;
  for (const auto& [name, content] : sandbox.files()) {
    hash = fnv1a(hash, name);
    hash = fnv1a(hash, normaliseClock(content));
  }
  hash = fnv1a(hash, comparableConsole(sandbox.console()));
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

// "options file digest" lines.
std::map<std::string, std::string> readDigests() {
  std::map<std::string, std::string> digests;
  std::ifstream in(kDigestFile);
  for (std::string key, file, digest; in >> key >> file >> digest;)
    digests[key + " " + file] = digest;
  return digests;
}

void writeDigests(const std::map<std::string, std::string>& update) {
  std::map<std::string, std::string> digests = readDigests();
  for (const auto& [key, digest] : update) digests[key] = digest;
  std::ofstream out(kDigestFile);
  for (const auto& [key, digest] : digests) out << key << " " << digest << "\n";
}

void translateCorpus(const std::vector<std::string>& options) {
  if (!fs::is_directory(VANTREL_CORPUS_DIR)) GTEST_SKIP() << "no corpus at " << VANTREL_CORPUS_DIR;
  std::string optionsKey;
  for (const std::string& option : options) optionsKey += (optionsKey.empty() ? "" : ",") + option;
  const std::map<std::string, std::string> digests = readDigests();
  std::map<std::string, std::string> actual;
  int files = 0;
  for (const auto& entry : fs::directory_iterator(VANTREL_CORPUS_DIR)) {
    if (entry.path().extension() != ".svf") continue;
    ++files;
    Sandbox sandbox;
    std::vector<std::string> args = options;
    args.push_back(entry.path().string());
    args.push_back("out");
    // A refused file is translated again to find the options that cure it.
    // Here those trials stop after 32 MB, not 512: with RUNTEST as clocks
    // the largest files' trials write hundreds of MB, which under the
    // sanitizers took most of the suite's time. The hints are the golden
    // cases' to pin down.
    RunIo io;
    io.discardBudget = size_t{32} << 20;
    EXPECT_EQ(sandbox.run(args, io), 1);
    bool known = false;
    for (const char* ending : kEndings)
      known = known || sandbox.console().find(ending) != std::string::npos;
    EXPECT_TRUE(known) << entry.path() << " ended with:\n" << sandbox.console();
    EXPECT_EQ(sandbox.console().find("Check failed"), std::string::npos) << entry.path() << "\n"
                                                                         << sandbox.console();
    EXPECT_TRUE(sandbox.exists("out.v01")) << entry.path();
    const std::string key = optionsKey + " " + entry.path().filename().string();
    actual[key] = digestOf(sandbox);
    const auto recorded = digests.find(key);
    EXPECT_TRUE(recorded != digests.end() && recorded->second == actual[key])
        << key << ": the files or the console differ from those recorded\n"
        << sandbox.console();
  }
  EXPECT_GT(files, 0);
  const char* update = std::getenv("VANTREL_UPDATE_DIGESTS");
  if (update && std::string(update) == "1") writeDigests(actual);
}

TEST(Corpus, EveryFileWithDefaultOptions) { translateCorpus({"-Q", "-CHECK"}); }

TEST(Corpus, EveryFileWithClocksNoRetryNoComments) {
  translateCorpus({"-Q", "-NOCR", "-NORETRY", "-NC", "-CHECK"});
}

TEST(Corpus, EveryFileWithScansSplit) { translateCorpus({"-SS", "-NC", "-CHECK"}); }

}  // namespace
}  // namespace vantrel::testing
