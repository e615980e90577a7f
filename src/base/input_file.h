// The SVF input: read as whole lines of any length, rewound on a restart.
// It is a file, or text held in memory (for the fuzzer and in-process runs).
// The statement reader reads it; no output file may be the input itself.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class InputFile {
 public:
  InputFile() = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile() { close(); }

  // Opens a file for reading; a directory or unreadable file is refused.
  bool open(const std::string& path);
  // Reads `text` instead of a file; it must outlive the reading.
  void openText(std::string_view text);
  void close();
  bool isOpen() const { return file_ || text_; }

  // Reads the next line, with its line feed when it has one. False at end of
  // input or when reading failed (see failed()).
  bool readLine(std::string& line);
  // The number of the line readLine() returned last, counted from 1; 0 before
  // the first line. A line feed, a CR LF pair and a lone CR each end a line.
  int64_t lineNumber() const { return lineNumber_; }
  // Goes back to the first byte; lines are counted again from 1.
  void rewind();
  // True once a read failed, as opposed to reaching the end.
  bool failed() const { return failed_; }

  // Whether `path` names the open file itself, however it is spelt (another
  // relative path, a link, or on Windows another case or separator).
  bool isSameFile(const std::string& path) const;

 private:
  bool fill();
  bool readNextLine(std::string& line);

  std::FILE* file_ = nullptr;
  bool text_ = false;
  std::string path_;  // the name the file was opened by
  std::vector<char> buffer_;
  const char* chunk_ = nullptr;  // the bytes being read: buffer_, or the text
  size_t begin_ = 0;             // next unread byte of chunk_
  size_t end_ = 0;               // end of chunk_
  std::string_view textView_;
  bool atEnd_ = true;
  bool failed_ = false;
  int64_t lineNumber_ = 0;
};

// The input of the run.
extern InputFile svfInput;

}  // namespace vantrel
