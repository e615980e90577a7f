#include "support/sandbox.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "driver/statement_loop.h"

namespace fs = std::filesystem;

namespace vantrel::testing {

#ifndef _WIN32
namespace {
// A fault that makes the translator write without end must stop the test,
// not fill the disk: no file a test writes grows past 1 GB.
const bool kFileSizeCapped = [] {
  const rlimit limit{rlim_t{1} << 30, rlim_t{1} << 30};
  return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}();
}  // namespace
#endif

Sandbox::Sandbox() {
  // A folder of a random name that this call creates itself: tests running in
  // parallel processes never share one.
  std::random_device device;
  std::mt19937_64 random(
      device() ^
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  const fs::path temp = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const fs::path candidate = temp / ("vantrel-test-" + std::to_string(random() % 1000000000));
    if (fs::create_directory(candidate)) path_ = candidate.string();
  }
  if (path_.empty()) throw std::runtime_error("no temporary folder for a test");
  previous_ = fs::current_path().string();
  fs::current_path(path_);
}

Sandbox::~Sandbox() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

void Sandbox::write(const std::string& name, const std::string& content) const {
  std::ofstream(path_ + "/" + name, std::ios::binary) << content;
}

std::string Sandbox::read(const std::string& name) const { return readFile(path_ + "/" + name); }

bool Sandbox::exists(const std::string& name) const { return fs::exists(path_ + "/" + name); }

std::map<std::string, std::string> Sandbox::files() const {
  std::map<std::string, std::string> result;
  for (const auto& entry : fs::directory_iterator(path_))
    if (entry.is_regular_file())
      result[entry.path().filename().string()] = readFile(entry.path().string());
  return result;
}

int Sandbox::run(const std::vector<std::string>& args, const RunIo& io) {
  std::vector<std::string> argv{"vantrel"};
  argv.insert(argv.end(), args.begin(), args.end());
  std::ostringstream console;
  int status = runTranslator(argv, console, io);
  console_ = console.str();
  return status;
}

Translation translate(const std::string& svf, const std::vector<std::string>& options) {
  Sandbox sandbox;
  sandbox.write("input.svf", svf);
  std::vector<std::string> args = options;
  args.push_back("input.svf");
  args.push_back("out");
  Translation result;
  result.status = sandbox.run(args);
  result.console = sandbox.console();
  for (auto& [name, content] : sandbox.files())
    if (name != "input.svf") result.outputs[name] = normaliseClock(content);
  return result;
}

std::string normaliseClock(const std::string& vcl) {
  static const std::string kStart = "!!!!    6    0    1 ";
  if (vcl.compare(0, kStart.size(), kStart) != 0) return vcl;
  size_t end = kStart.size();
  while (end < vcl.size() && vcl[end] >= '0' && vcl[end] <= '9') ++end;
  if (end == kStart.size()) return vcl;
  return kStart + "0" + vcl.substr(end);
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace vantrel::testing
