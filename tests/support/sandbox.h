// Runs the translator in-process inside a fresh temporary folder.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "driver/statement_loop.h"

namespace vantrel::testing {

class Sandbox {
 public:
  Sandbox();   // makes a temporary folder and makes it the working folder
  ~Sandbox();  // goes back and removes the folder
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::string& path() const { return path_; }
  void write(const std::string& name, const std::string& content) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;
  // Every file in the folder, by name, with its content.
  std::map<std::string, std::string> files() const;

  // Runs `vantrel args...`; returns the status and keeps the console text.
  int run(const std::vector<std::string>& args, const RunIo& io = RunIo{});
  const std::string& console() const { return console_; }

 private:
  std::string path_;
  std::string previous_;
  std::string console_;
};

// Output of a run on one SVF text: `vantrel options... input.svf out`.
struct Translation {
  int status = 0;
  std::string console;
  std::map<std::string, std::string> outputs;  // out.v01, ... with the clock set to 0
};
Translation translate(const std::string& svf, const std::vector<std::string>& options = {});

// The first header line carries the time the file was opened; this sets
// that number to 0 and leaves every other byte alone.
std::string normaliseClock(const std::string& vcl);

// The text of a file (empty when it cannot be read).
std::string readFile(const std::filesystem::path& path);

}  // namespace vantrel::testing
