// Reading a written file back, line by line: from disk in large blocks, or
// from memory (output kept in memory by an in-process run).
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace vantrel {

// A file of the series: its name (as reports show it) and, when the run
// keeps its output in memory, its text.
struct SeriesFile {
  std::string name;
  bool inMemory = false;              // false: the file on disk named `name`
  const std::string* text = nullptr;  // in memory: its text; null when there is none
};

class LineSource {
 public:
  LineSource() = default;
  LineSource(const LineSource&) = delete;
  LineSource& operator=(const LineSource&) = delete;
  ~LineSource() { close(); }

  // False when the file cannot be opened for reading (or is a folder).
  bool open(const SeriesFile& file);
  void close();

  // The next line, without its line end (a line feed, or a carriage return
  // and a line feed). A line longer than a block is cut to its first block
  // and the rest passed over. False at the end of the file or when reading
  // failed (see failed()).
  bool next(std::string_view& line) {
    const char* newline = findLineEnd(begin_, end_);
    if (!newline) return nextAcrossBlocks(line);
    take(newline, line);
    begin_ = newline + 1;
    return true;
  }

  // The same, faster for vector lines of `pins` pins without a comment:
  // such a line is taken without a search for its end.
  bool next(std::string_view& line, size_t pins) {
    const size_t length = pins + 3;  // the quotes and a blank
    if (pins == 0 || static_cast<size_t>(end_ - begin_) <= length || begin_[length] != '\n' ||
        begin_[0] != '"' || begin_[pins + 1] != '"' || begin_[pins + 2] != ' ')
      return next(line);
    line = std::string_view(begin_, length);
    begin_ += length + 1;
    ++lineNumber_;
    return true;
  }

  // When the next `count` lines are `lines` (each with its line feed),
  // passes over them and returns true.
  bool skipLines(std::string_view lines, int count) {
    if (!startsWith(lines)) return false;
    begin_ += lines.size();
    lineNumber_ += count;
    return true;
  }
  // When the next `count` lines begin with `start`, which ends within the
  // last of them, passes over them and returns true. Only within the bytes
  // read so far: false, passing over nothing, for a line that goes on past
  // them.
  bool skipLinesStartingWith(std::string_view start, int count) {
    if (!startsWith(start)) return false;
    const char* lineEnd = findLineEnd(begin_ + start.size(), end_);
    if (!lineEnd) return false;
    begin_ = lineEnd + 1;
    lineNumber_ += count;
    return true;
  }

  // The unread byte `offset` bytes on; '\0' past the bytes read so far.
  char peekByte(size_t offset) const {
    return offset < static_cast<size_t>(end_ - begin_) ? begin_[offset] : '\0';
  }

  // The number of the line next() gave last, counted from 1.
  int64_t lineNumber() const { return lineNumber_; }
  bool failed() const { return failed_; }

 private:
  // Whether the bytes read so far begin with `text`. A text of 8 to 24
  // bytes, as a vector line or the two lines of a cycle are, is compared 8
  // bytes at a time: its first 8, its last 8 (which overlap them where it is
  // shorter than 16) and, past 16, the 8 between. A few instructions, where
  // a comparison of any length is a call.
  bool startsWith(std::string_view text) const {
    const size_t size = text.size();
    if (static_cast<size_t>(end_ - begin_) < size) return false;
    if (size < 8 || size > 24) return std::memcmp(begin_, text.data(), size) == 0;
    const char* theirs = text.data();
    uint64_t differ =
        (word(begin_) ^ word(theirs)) | (word(begin_ + size - 8) ^ word(theirs + size - 8));
    if (size > 16) differ |= word(begin_ + 8) ^ word(theirs + 8);
    return differ == 0;
  }
  static uint64_t word(const char* bytes) {
    uint64_t value;
    std::memcpy(&value, bytes, 8);
    return value;
  }
  // The first line feed in [from, to), or null.
  static const char* findLineEnd(const char* from, const char* to) {
    return static_cast<const char*>(std::memchr(from, '\n', static_cast<size_t>(to - from)));
  }
  void take(const char* lineEnd, std::string_view& line) {
    const char* last = lineEnd;
    if (last > begin_ && last[-1] == '\r') --last;
    line = std::string_view(begin_, static_cast<size_t>(last - begin_));
    ++lineNumber_;
  }
  bool nextAcrossBlocks(std::string_view& line);
  size_t read(char* into, size_t size);

  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  const char* begin_ = nullptr;  // the unread bytes
  const char* end_ = nullptr;
  bool atEnd_ = true;      // nothing more to read into the buffer
  bool skipping_ = false;  // passing over the rest of a line longer than a block
  bool failed_ = false;
  int64_t lineNumber_ = 0;
};

}  // namespace vantrel
