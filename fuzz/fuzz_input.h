// One fuzz input as a whole in-process translation: the first byte picks an
// option set (so that every way of writing vectors is reached), the rest is
// the SVF file. Output files are thrown away, or with -CHECK kept in memory
// for the check to read back. Shared by the fuzzer and the regression test
// that replays its findings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "driver/statement_loop.h"

namespace vantrel {

inline std::string runFuzzInput(const uint8_t* data, size_t size) {
  static const std::vector<std::vector<std::string>> kOptionSets = {
      {},
      {"-NOCR", "-NORETRY", "-NC"},
      {"-TRSTNODE", "NTRST", "-WC", "-VL", "500"},
      {"-NOCR", "-VL", "2000", "-ND", "3", "-TD", "2", "-CC"},
      {"-STDSVF", "-NORETRY", "-WC"},
      {"-STDSVF", "-SS", "-NOCR", "-VL", "300"},
      {"-CHECK", "-TRSTNODE", "NTRST", "-WC"},
      {"-CHECK", "-STDSVF", "-SS", "-NOCR", "-VL", "300", "-NC"},
  };
  if (size == 0) return std::string();
  std::vector<std::string> args{"vantrel"};
  // Eight sets more: the same with RUNTEST clocks kept as TCK cycles.
  const auto& options = kOptionSets[data[0] % kOptionSets.size()];
  args.insert(args.end(), options.begin(), options.end());
  if (data[0] % (2 * kOptionSets.size()) >= kOptionSets.size())
    args.insert(args.end(), {"-KC", "5"});
  args.push_back("fuzz.svf");
  args.push_back("fuzz.out");
  const std::string svf(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::ostringstream console;
  RunIo io;
  io.inputText = &svf;
  io.discardOutput = true;
  io.discardLimit = 64 << 20;  // a scan of a thousand million bits ends the run early
  io.discardFiles = 2000;      // and so does one cut into a file every few bits
  std::vector<std::string> kept;
  if (!options.empty() && options.front() == "-CHECK") {  // the check reads them from memory
    io.keptOutput = &kept;
    io.discardLimit = 4 << 20;
    io.discardFiles = 64;
  }
  runTranslator(args, console, io);
  return console.str();
}

}  // namespace vantrel
