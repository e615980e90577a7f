#include "svf/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vantrel {

namespace {
constexpr size_t kBufferSize = 1 << 16;
}

bool InputFile::open(const std::string& path) {
  close();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  device_ = info.st_dev;
  inode_ = info.st_ino;
  buffer_.resize(kBufferSize);
  begin_ = end_ = 0;
  atEnd_ = false;
  failed_ = false;
  return true;
}

void InputFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  begin_ = end_ = 0;
  atEnd_ = true;
}

bool InputFile::fill() {
  if (atEnd_ || fd_ < 0) return false;
  ssize_t count;
  do {
    count = ::read(fd_, buffer_.data(), buffer_.size());
  } while (count < 0 && errno == EINTR);
  if (count <= 0) {
    if (count < 0) failed_ = true;
    atEnd_ = true;
    return false;
  }
  begin_ = 0;
  end_ = static_cast<size_t>(count);
  return true;
}

bool InputFile::readLine(std::string& line) {
  line.clear();
  for (;;) {
    if (begin_ == end_ && !fill()) return !line.empty();
    const char* start = buffer_.data() + begin_;
    const void* newline = std::memchr(start, '\n', end_ - begin_);
    if (newline) {
      size_t length = static_cast<size_t>(static_cast<const char*>(newline) - start) + 1;
      line.append(start, length);
      begin_ += length;
      return true;
    }
    line.append(start, end_ - begin_);
    begin_ = end_;
  }
}

void InputFile::rewind() {
  if (fd_ < 0) return;
  ::lseek(fd_, 0, SEEK_SET);
  begin_ = end_ = 0;
  atEnd_ = false;
}

}  // namespace vantrel
