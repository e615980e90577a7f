// Reading a written file back, line by line: from disk in large blocks, or
// from memory (output kept in memory by an in-process run).
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "check/known_lines.h"

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

  // The bytes read so far and not yet passed over, to be taken as lines
  // known before they are read; passOver() takes the cursor back, with the
  // number of lines it passed over.
  KnownLines knownLines() const { return KnownLines(begin_, end_, restLength_); }
  void passOver(const KnownLines& lines, int64_t count) {
    begin_ = lines.at();
    restLength_ = lines.restLength();
    lineNumber_ += count;
  }

  // The number of the line next() gave last, counted from 1.
  int64_t lineNumber() const { return lineNumber_; }
  bool failed() const { return failed_; }

 private:
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
  size_t restLength_ = 0;  // kept for the next knownLines()
};

}  // namespace vantrel
