// The yardstick of the benchmark: what just writing a given amount of text
// costs, with one buffered stream per file and no other work.
//
//   baseline_writer FOLDER BASE TOTAL_BYTES FILES LINE_LENGTH
//
// Writes TOTAL_BYTES bytes, split evenly over FILES files named
// FOLDER/BASE.v01, BASE.v02, ..., as lines of LINE_LENGTH bytes (newline
// included; the last line of a file takes what is left over).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "baseline_writer: %s\n", what.c_str());
  std::exit(2);
}

long long parseCount(const char* text) {
  char* end = nullptr;
  const long long value = std::strtoll(text, &end, 10);
  if (*text == '\0' || *end != '\0' || value < 0) fail(std::string("not a count: ") + text);
  return value;
}

std::string fileName(const std::string& folder, const std::string& base, int number) {
  char extension[16];
  std::snprintf(extension, sizeof extension, ".v%02d", number);
  return folder + "/" + base + extension;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: baseline_writer FOLDER BASE TOTAL_BYTES FILES LINE_LENGTH\n");
    return 2;
  }
  const std::string folder = argv[1];
  const std::string base = argv[2];
  const long long totalBytes = parseCount(argv[3]);
  const long long files = parseCount(argv[4]);
  long long lineLength = parseCount(argv[5]);
  if (files < 1) fail("at least one file");
  if (lineLength < 1) lineLength = 1;

  // One line of vector-like text, reused for every line.
  std::string line(static_cast<size_t>(lineLength), ' ');
  for (long long i = 0; i + 1 < lineLength; i += 2) line[i] = (i / 2) % 3 == 0 ? '1' : '0';
  line.back() = '\n';

  std::vector<char> buffer(1 << 20);
  for (long long number = 1; number <= files; ++number) {
    // Spread the remainder of the division over the first files.
    long long left = totalBytes / files + (number <= totalBytes % files ? 1 : 0);
    const std::string path = fileName(folder, base, static_cast<int>(number));
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) fail("cannot create " + path);
    std::setvbuf(file, buffer.data(), _IOFBF, buffer.size());
    while (left > 0) {
      const size_t count = static_cast<size_t>(left < lineLength ? left : lineLength);
      std::fwrite(line.data() + (line.size() - count), 1, count, file);
      left -= static_cast<long long>(count);
    }
    if (std::ferror(file) || std::fclose(file) != 0) fail("cannot write " + path);
  }
  return 0;
}
