#include "vcl/output_buffer.h"

#include <cerrno>

#include "base/file_names.h"
#include "base/run_stop.h"

namespace vantrel {

namespace {
// Small enough to stay in the processor's cache between the lines written
// into it and the operating system's copy of it, and to touch few pages;
// large enough that each write of the operating system takes many lines.
constexpr size_t kBufferSize = 1 << 17;
}  // namespace

// The stream is unbuffered: the buffer here is the only one, and each flush
// is one write of the operating system.
bool OutputBuffer::open(const std::string& path) {
  close();
  std::FILE* file = openNamedFile(path, "wb");
  if (!file) return false;
  std::setvbuf(file, nullptr, _IONBF, 0);
  file_ = file;
  failed_ = false;
  setSize(kBufferSize);
  used_ = 0;
  return true;
}

void OutputBuffer::openDiscarding(size_t limit) {
  close();
  discarding_ = true;
  discardLimit_ = limit;
  discarded_ = 0;
  failed_ = false;
  setSize(kBufferSize);
  used_ = 0;
}

void OutputBuffer::openInMemory(std::string* text, size_t limit) {
  openDiscarding(limit);
  memory_ = text;
}

void OutputBuffer::flush() {
  if (memory_) memory_->append(buffer_.get(), used_);
  if (!file_) {  // discarding, or nothing is open: the text goes nowhere
    discarded_ += used_;
    used_ = 0;
    if (discarding_ && discardLimit_ != 0 && discarded_ > discardLimit_) endRun();
    return;
  }
  size_t done = 0;
  while (done < used_ && !failed_) {
    const size_t count = std::fwrite(buffer_.get() + done, 1, used_ - done, file_);
    done += count;
    if (!std::ferror(file_))
      failed_ = count == 0;
    else if (errno == EINTR)
      std::clearerr(file_);  // a signal cut the write short: write the rest
    else
      failed_ = true;
  }
  used_ = 0;
}

void OutputBuffer::setSize(size_t size) {
  if (capacity_ < size) {
    buffer_.reset(new char[size]);
    capacity_ = size;
  }
  size_ = size;
}

// Nothing is kept across a flush, so a larger buffer starts empty.
void OutputBuffer::makeRoom(size_t size) {
  flush();
  if (size_ < size) setSize(size);
}

bool OutputBuffer::close() {
  if (discarding_) {
    if (memory_) memory_->append(buffer_.get(), used_);
    memory_ = nullptr;
    discarding_ = false;
    used_ = 0;
    return true;
  }
  if (!file_) return true;
  flush();
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  return !failed_;
}

}  // namespace vantrel
