// One output file written through one large buffer.
//
// Vector lines are short and there are millions of them, so text is gathered
// in memory and handed to the operating system in large blocks. A failed write
// is remembered and reported by close().
#pragma once

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace vantrel {

// Copies `text` to `out` and returns the end of the copy; for lines built in
// place.
inline char* appendText(char* out, std::string_view text) {
  if (text.empty()) return out;  // an empty view may have no data at all
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

class OutputBuffer {
 public:
  OutputBuffer() = default;
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;
  ~OutputBuffer() { close(); }

  // Creates or truncates the file, in binary mode: the same bytes (LF line
  // ends) on every platform. False when it cannot be opened.
  bool open(const std::string& path);
  // Takes text like an open file and throws it away (for the fuzzer). Past
  // `limit` bytes (0: no limit) the run ends, so that a scan of a thousand
  // million bits cannot stall a fuzzing run.
  void openDiscarding(size_t limit);
  // Takes text like an open file and appends it to `text`, which must
  // outlive the file; past `limit` bytes (0: no limit) the run ends.
  void openInMemory(std::string* text, size_t limit);
  // Writes what is buffered and closes the file. False if any write failed.
  bool close();
  bool isOpen() const { return file_ || discarding_; }
  // The bytes thrown away since openDiscarding().
  size_t bytesDiscarded() const { return discarding_ ? discarded_ + used_ : 0; }

  void write(std::string_view text) {
    if (text.empty()) return;
    if (size_ - used_ < text.size()) makeRoom(text.size());
    std::memcpy(buffer_.get() + used_, text.data(), text.size());
    used_ += text.size();
  }
  void put(char c) {
    if (used_ == size_) makeRoom(1);
    buffer_[used_++] = c;
  }

  // Room for `size` bytes written in place; advance() then takes what was
  // written. For the vector lines, which are built straight into the buffer.
  char* reserve(size_t size) {
    if (size_ - used_ < size) makeRoom(size);
    return buffer_.get() + used_;
  }
  void advance(size_t size) { used_ += size; }

 private:
  void makeRoom(size_t size);
  void flush();
  void setSize(size_t size);

  std::FILE* file_ = nullptr;
  bool discarding_ = false;
  size_t discardLimit_ = 0;
  size_t discarded_ = 0;
  std::string* memory_ = nullptr;  // where text kept in memory goes
  bool failed_ = false;
  // Left uninitialised: zeroing it would fault in every page of it before
  // the first byte is written, much of the time of a short run.
  std::unique_ptr<char[]> buffer_;
  size_t size_ = 0;      // bytes of buffer_ in use as the buffer
  size_t capacity_ = 0;  // bytes of buffer_
  size_t used_ = 0;
};

}  // namespace vantrel
