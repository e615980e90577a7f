// Writes the SVF inputs of the benchmark into a folder. The output is the same
// on every run (fixed seed), so timings of different builds compare.
//
//   generate_inputs FOLDER
//
// Files written:
//   board.svf     5000 SDR scans of 1000 bits with TDI, TDO and MASK
//   board2k.svf   300 SDR scans of 2000 bits with TDI, TDO and MASK
//   long100k.svf  one SDR whose value spans 100000 lines of 64 hex digits
//   long200k.svf  the same over 200000 lines
//   many.svf      1000000 short statements, one per line
//   bitstream.svf an FPGA configuration: one SDR of 4000000 bits with TDI,
//                 cut across files with -SPLITSCANS
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// xorshift64*: small, fast and the same on every platform.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return state_ * 0x2545F4914F6CDD1DULL;
  }
  char hexDigit() { return "0123456789ABCDEF"[next() >> 60]; }

 private:
  uint64_t state_;
};

constexpr int kDigitsPerLine = 64;

class SvfFile {
 public:
  explicit SvfFile(const std::string& path) : path_(path) {
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) fail("cannot create");
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
  }
  ~SvfFile() {
    if (std::ferror(file_) || std::fclose(file_) != 0) fail("cannot write");
  }
  void put(const char* text) { std::fputs(text, file_); }
  void put(const std::string& text) { std::fwrite(text.data(), 1, text.size(), file_); }

  // `digits` random hex digits, a line break after every kDigitsPerLine of them.
  void putHexLines(Random& random, long digits) {
    std::string line;
    while (digits > 0) {
      const long count = digits < kDigitsPerLine ? digits : kDigitsPerLine;
      line.clear();
      for (long i = 0; i < count; ++i) line += random.hexDigit();
      digits -= count;
      if (digits > 0) line += '\n';
      put(line);
    }
  }

 private:
  [[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "generate_inputs: %s %s\n", what, path_.c_str());
    std::exit(2);
  }
  std::string path_;
  std::FILE* file_;
};

// Scan of `bits` bits with TDI, TDO and MASK, each value on its own lines.
void writeFullScan(SvfFile& out, Random& random, int bits) {
  const long digits = (bits + 3) / 4;
  out.put("SDR " + std::to_string(bits) + " TDI (\n");
  out.putHexLines(random, digits);
  out.put(")\n TDO (\n");
  out.putHexLines(random, digits);
  out.put(")\n MASK (\n");
  out.putHexLines(random, digits);
  out.put(");\n");
}

void writeBoardTest(const std::string& path, int scans, int bits, uint64_t seed) {
  SvfFile out(path);
  Random random(seed);
  out.put("// Board test: long data register scans with expected data.\n");
  out.put("STATE RESET;\nSTATE IDLE;\n");
  out.put("ENDIR IDLE;\nENDDR IDLE;\n");
  out.put("HIR 0;\nTIR 0;\n");
  out.put("HDR 3 TDI (0);\nTDR 2 TDI (0);\n");
  char instruction[32];
  for (int scan = 0; scan < scans; ++scan) {
    if (scan % 10 == 0) {
      std::snprintf(instruction, sizeof instruction, "SIR 8 TDI (%02X);\n",
                    static_cast<unsigned>(random.next() >> 56));
      out.put(instruction);
    }
    writeFullScan(out, random, bits);
    if ((scan + 1) % 50 == 0) out.put("RUNTEST 100 TCK;\n");
  }
}

void writeLongStatement(const std::string& folder, const char* name, long lines) {
  SvfFile out(folder + "/" + name);
  Random random(0x5EED0002);
  out.put("STATE IDLE;\n");
  out.put("SDR 64 TDI (\n");
  out.putHexLines(random, lines * kDigitsPerLine);
  out.put(");\n");
}

void writeManyStatements(const std::string& folder) {
  SvfFile out(folder + "/many.svf");
  static const char* const kStatements[] = {"STATE IDLE;\n", "SIR 8 TDI (0F);\n",
                                            "RUNTEST 10 TCK;\n"};
  for (int i = 0; i < 1000000; ++i) out.put(kStatements[i % 3]);
}

void writeBitstream(const std::string& folder) {
  SvfFile out(folder + "/bitstream.svf");
  Random random(0x5EED0003);
  out.put("// FPGA configuration: the whole bitstream in one data scan.\n");
  out.put("STATE RESET;\nSTATE IDLE;\nSIR 6 TDI (05);\n");
  out.put("SDR 4000000 TDI (\n");
  out.putHexLines(random, 1000000);
  out.put(");\nSIR 6 TDI (0C);\nRUNTEST 24 TCK;\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: generate_inputs FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  writeBoardTest(folder + "/board.svf", 5000, 1000, 0x5EED0001);
  writeBoardTest(folder + "/board2k.svf", 300, 2000, 0x5EED0004);
  writeLongStatement(folder, "long100k.svf", 100000);
  writeLongStatement(folder, "long200k.svf", 200000);
  writeManyStatements(folder);
  writeBitstream(folder);
  return 0;
}
