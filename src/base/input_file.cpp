#include "base/input_file.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/file_names.h"
#include "base/file_read.h"

namespace vantrel {

InputFile svfInput;

namespace {
constexpr size_t kBufferSize = 1 << 16;
}

// Binary mode: the bytes arrive as they are on every platform, and the reader
// below handles LF, CR LF and lone CR line ends itself. The stream is
// unbuffered because the reader has a buffer of its own: each fill is one
// read of the operating system.
bool InputFile::open(const std::string& path) {
  close();
  std::error_code error;
  // A folder opens on some systems, but only to fail at the first read.
  if (std::filesystem::is_directory(pathOfName(path), error)) return false;
  std::FILE* file = openNamedFile(path, "rb");
  if (!file) return false;
  std::setvbuf(file, nullptr, _IONBF, 0);
  file_ = file;
  path_ = path;
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
  if (file_) std::fclose(file_);
  file_ = nullptr;
  path_.clear();
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
  } else if (file_) {
    end_ = 0;
    atEnd_ = std::fseek(file_, 0, SEEK_SET) != 0;  // a pipe cannot go back
    failed_ = atEnd_;
    std::clearerr(file_);
  }
}

bool InputFile::fill() {
  if (atEnd_) return false;
  const size_t count = readBlock(file_, buffer_.data(), buffer_.size());
  if (count == 0) {
    failed_ = std::ferror(file_) != 0;
    atEnd_ = true;
    return false;
  }
  begin_ = 0;
  end_ = count;
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
  std::error_code error;  // a file that does not exist yet is another file
  return file_ && std::filesystem::equivalent(pathOfName(path_), pathOfName(path), error);
}

}  // namespace vantrel
