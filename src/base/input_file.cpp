#include "base/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vantrel {

InputFile svfInput;

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
  chunk_ = buffer_.data();
  begin_ = end_ = 0;
  atEnd_ = false;
  failed_ = false;
  return true;
}

void InputFile::openText(std::string_view text) {
  close();
  text_ = true;
  textView_ = text;
  rewind();
}

void InputFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  text_ = false;
  chunk_ = nullptr;
  begin_ = end_ = 0;
  atEnd_ = true;
  failed_ = false;
  lineNumber_ = 0;
}

void InputFile::rewind() {
  failed_ = false;
  begin_ = 0;
  lineNumber_ = 0;
  if (text_) {
    chunk_ = textView_.data();
    end_ = textView_.size();
    atEnd_ = true;  // nothing to read beyond the text
  } else if (fd_ >= 0) {
    end_ = 0;
    atEnd_ = ::lseek(fd_, 0, SEEK_SET) != 0;  // a pipe cannot go back
    failed_ = atEnd_;
  }
}

bool InputFile::fill() {
  if (atEnd_) return false;
  ssize_t count;
  do {
    count = ::read(fd_, buffer_.data(), buffer_.size());
  } while (count < 0 && errno == EINTR);
  if (count <= 0) {
    failed_ = count < 0;
    atEnd_ = true;
    return false;
  }
  begin_ = 0;
  end_ = static_cast<size_t>(count);
  return true;
}

bool InputFile::readLine(std::string& line) {
  if (!readNextLine(line)) return false;
  ++lineNumber_;
  return true;
}

// A line ends after a line feed, or after a carriage return that no line
// feed follows (old Macintosh files end their lines that way); a CR LF pair
// ends one line and stays in it.
bool InputFile::readNextLine(std::string& line) {
  line.clear();
  for (;;) {
    if (begin_ == end_ && !fill()) return !line.empty() && !failed_;
    if (!line.empty() && line.back() == '\r') {
      // The carriage return ended the previous chunk: a line feed may follow.
      if (chunk_[begin_] == '\n') {
        line.push_back('\n');
        ++begin_;
      }
      return true;
    }
    const char* start = chunk_ + begin_;
    const size_t available = end_ - begin_;
    const char* newline = static_cast<const char*>(std::memchr(start, '\n', available));
    const size_t scanned = newline ? static_cast<size_t>(newline - start) : available;
    // The first CR before the first LF is either a lone CR or the CR of a CR LF.
    const char* cr = static_cast<const char*>(std::memchr(start, '\r', scanned));
    if (cr && cr + 1 < start + available && cr + 1 != newline) {
      const size_t length = static_cast<size_t>(cr - start) + 1;
      line.append(start, length);
      begin_ += length;
      return true;
    }
    if (newline) {
      const size_t length = scanned + 1;
      line.append(start, length);
      begin_ += length;
      return true;
    }
    line.append(start, available);  // ends with the chunk, perhaps with a CR
    begin_ = end_;
  }
}

bool InputFile::isSameFile(const std::string& path) const {
  struct stat info;
  return fd_ >= 0 && ::stat(path.c_str(), &info) == 0 && info.st_dev == device_ &&
         info.st_ino == inode_;
}

}  // namespace vantrel
