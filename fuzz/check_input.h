// One fuzz input for the check of written files: the first byte picks a
// small SVF program with its options, which is translated in memory; the
// rest of the input edits the good files (bytes overwritten, dropped or put
// in, lines doubled or dropped, files cut short), or, when the first byte
// has its high bit set, is the one file of the series as it stands. Then
// -CHECKONLY reads the files from memory: the check must report, never
// crash, hang or read past a file. Shared by the fuzzer and the regression
// test that replays its findings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "driver/statement_loop.h"

namespace vantrel {

struct CheckFuzzProgram {
  const char* svf;
  std::vector<std::string> options;
};

inline const std::vector<CheckFuzzProgram>& checkFuzzPrograms() {
  static const std::vector<CheckFuzzProgram> programs = {
      // A retried scan with a PIO pattern, TRST, a scan left in Pause-DR.
      {"PIOMAP (IN A OUT B);\nTRST ON;\nSTATE IDLE;\nSIR 4 TDI (A);\nRUNTEST 10 TCK;\n"
       "SDR 8 TDI (A5) TDO (5A) PIO (HU);\nENDDR DRPAUSE;\nSDR 4 TDI (3) TDO (1);\nSTATE IDLE;\n",
       {"-TRSTNODE", "NTRST", "-NOCR"}},
      // A scan cut across files, a shift in an explicit path, waits.
      {"HDR 2 TDI (1);\nSDR 150 TDI (0123456789ABCDEF0123456789ABCDEF0123456789) "
       "TDO (FEDCBA9876543210FEDCBA9876543210FEDCBA98);\nRUNTEST 5 TCK; ! wait 3 ms\n"
       "STATE DRPAUSE;\nSTATE DREXIT2 DRSHIFT DREXIT1 DRUPDATE IDLE;\n",
       {"-SS", "-VL", "250", "-NORETRY"}},
      // Comments on every line, a retried scan with SMASK and MASK.
      {"! wait 10 ms\nSTATE RESET;\nSIR 8 TDI (1) SMASK (0F);\n"
       "SDR 16 TDI (FFFF) TDO (1234) MASK (0F0F);\nRUNTEST 2500 TCK;\n",
       {"-WC"}},
      // RUNTEST clocks kept as TCK cycles before their waits, in three states.
      {"SIR 4 TDI (2);\nRUNTEST IDLE 24 TCK;\nRUNTEST IDLE 2 TCK 1.0E-3 SEC;\n"
       "RUNTEST DRPAUSE 3 TCK ENDSTATE IDLE;\nRUNTEST RESET 12 TCK;\nSDR 8 TDI (A5) TDO (5A);\n",
       {"-STDSVF", "-KC", "10", "-NC"}},
  };
  return programs;
}

// Applies the edits of `data` to the files: four bytes an edit, the kind and
// the file, two bytes of position, and a value.
inline void editFiles(std::vector<std::string>& files, const uint8_t* data, size_t size) {
  for (size_t at = 0; at + 4 <= size && !files.empty(); at += 4) {
    std::string& file = files[(data[at] >> 3) % files.size()];
    if (file.size() > (1u << 20)) continue;  // doubling lines again and again
    const size_t position =
        file.empty() ? 0 : (size_t{data[at + 1]} << 8 | data[at + 2]) % file.size();
    const uint8_t value = data[at + 3];
    const size_t lineStart =
        file.rfind('\n', position) == std::string::npos ? 0 : file.rfind('\n', position) + 1;
    const size_t newline = file.find('\n', position);
    const size_t lineEnd = newline == std::string::npos ? file.size() : newline + 1;
    switch (data[at] & 7) {
      case 0:
        if (!file.empty()) file[position] = static_cast<char>(value);
        break;
      case 1: file.erase(position, value % 16); break;
      case 2: file.insert(position, 1, static_cast<char>(value)); break;
      case 3: file.insert(lineStart, file.substr(lineStart, lineEnd - lineStart)); break;
      case 4: file.erase(lineStart, lineEnd - lineStart); break;
      case 5: file.resize(position); break;
      case 6:
        // A vector line's pin swapped for another level.
        if (!file.empty()) file[position] = "01HLXZ"[value % 6];
        break;
      default: files.erase(files.begin() + static_cast<long>(value % files.size())); break;
    }
  }
}

inline std::string runCheckFuzzInput(const uint8_t* data, size_t size) {
  if (size == 0) return std::string();
  const CheckFuzzProgram& program = checkFuzzPrograms()[data[0] % checkFuzzPrograms().size()];
  const std::string svf = program.svf;
  std::vector<std::string> args{"vantrel"};
  args.insert(args.end(), program.options.begin(), program.options.end());
  args.push_back("fuzz.svf");
  args.push_back("fuzz.out");

  std::ostringstream console;
  RunIo io;
  io.inputText = &svf;
  std::vector<std::string> files;
  io.keptOutput = &files;
  runTranslator(args, console, io);
  if (data[0] & 0x80)
    files.assign(1, std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  else
    editFiles(files, data + 1, size - 1);

  args.insert(args.begin() + 1, "-CHECKONLY");
  console.str("");
  io.keptOutput = nullptr;
  io.existingFiles = &files;
  runTranslator(args, console, io);
  return console.str();
}

}  // namespace vantrel
