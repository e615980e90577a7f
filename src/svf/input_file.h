// The SVF input: read as whole lines of any length, rewound on a restart.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace vantrel {

class InputFile {
 public:
  InputFile() = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile() { close(); }

  // Opens a regular file (or other readable non-directory) for reading.
  bool open(const std::string& path);
  void close();
  bool isOpen() const { return fd_ >= 0; }

  // Reads the next line, with its line feed when it has one. False at end of input.
  bool readLine(std::string& line);
  // Goes back to the first byte.
  void rewind();
  // True once a read failed (as opposed to reaching the end).
  bool failed() const { return failed_; }

  // Identity of the open file, to tell whether an output path is this file.
  dev_t device() const { return device_; }
  ino_t inode() const { return inode_; }

 private:
  bool fill();

  int fd_ = -1;
  dev_t device_ = 0;
  ino_t inode_ = 0;
  std::vector<char> buffer_;
  size_t begin_ = 0;  // next unread byte in buffer_
  size_t end_ = 0;    // end of the bytes read into buffer_
  bool atEnd_ = false;
  bool failed_ = false;
};

}  // namespace vantrel
