#include "vcl/output_buffer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "base/run_stop.h"

namespace vantrel {

namespace {
constexpr size_t kBufferSize = 1 << 20;
}

bool OutputBuffer::open(const std::string& path) {
  close();
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  fd_ = fd;
  failed_ = false;
  buffer_.resize(kBufferSize);
  used_ = 0;
  return true;
}

void OutputBuffer::openDiscarding(size_t limit) {
  close();
  discarding_ = true;
  discardLimit_ = limit;
  discarded_ = 0;
  failed_ = false;
  buffer_.resize(kBufferSize);
  used_ = 0;
}

void OutputBuffer::flush() {
  if (fd_ < 0) {  // discarding, or nothing is open: the text goes nowhere
    discarded_ += used_;
    used_ = 0;
    if (discarding_ && discardLimit_ != 0 && discarded_ > discardLimit_) endRun();
    return;
  }
  size_t done = 0;
  while (done < used_ && !failed_) {
    ssize_t count = ::write(fd_, buffer_.data() + done, used_ - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0)
      failed_ = true;
    else
      done += static_cast<size_t>(count);
  }
  used_ = 0;
}

void OutputBuffer::makeRoom(size_t size) {
  flush();
  if (buffer_.size() < size) buffer_.resize(size);
}

bool OutputBuffer::close() {
  if (discarding_) {
    discarding_ = false;
    used_ = 0;
    return true;
  }
  if (fd_ < 0) return true;
  flush();
  if (::close(fd_) != 0) failed_ = true;
  fd_ = -1;
  return !failed_;
}

}  // namespace vantrel
