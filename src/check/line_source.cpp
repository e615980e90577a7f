#include "check/line_source.h"

#include <filesystem>
#include <system_error>

#include "base/file_names.h"
#include "base/file_read.h"

namespace vantrel {

namespace {
constexpr size_t kBlockSize = 1 << 16;
}

// Binary mode, unbuffered: the blocks here are the only buffer, each one
// read of the operating system.
bool LineSource::open(const SeriesFile& file) {
  close();
  if (file.inMemory) {
    if (!file.text) return false;
    begin_ = file.text->data();
    end_ = begin_ + file.text->size();
    return true;
  }
  std::error_code error;
  if (std::filesystem::is_directory(pathOfName(file.name), error)) return false;
  file_ = openNamedFile(file.name, "rb");
  if (!file_) return false;
  std::setvbuf(file_, nullptr, _IONBF, 0);
  if (!buffer_) buffer_.reset(new char[kBlockSize]);
  begin_ = end_ = buffer_.get();
  atEnd_ = false;
  return true;
}

void LineSource::close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  begin_ = end_ = nullptr;
  atEnd_ = true;
  skipping_ = false;
  failed_ = false;
  lineNumber_ = 0;
}

size_t LineSource::read(char* into, size_t size) {
  const size_t count = readBlock(file_, into, size);
  if (count == 0) {
    failed_ = std::ferror(file_) != 0;
    atEnd_ = true;
  }
  return count;
}

// The unread bytes hold no line feed: the start of a line is moved to the
// front of the buffer and the block filled up behind it.
bool LineSource::nextAcrossBlocks(std::string_view& line) {
  for (;;) {
    if (atEnd_) {
      if (begin_ == end_ || skipping_ || failed_) return false;
      take(end_, line);  // the last line, without a line end
      begin_ = end_;
      return true;
    }
    char* buffer = buffer_.get();
    size_t kept = static_cast<size_t>(end_ - begin_);
    if (skipping_ || kept == kBlockSize) {
      if (!skipping_) {
        // A whole block without a line end: its start is the line.
        take(end_, line);
        begin_ = end_;
        skipping_ = true;
        return true;
      }
      kept = 0;
    } else if (kept > 0) {
      std::memmove(buffer, begin_, kept);
    }
    begin_ = buffer;
    end_ = buffer + kept + read(buffer + kept, kBlockSize - kept);
    if (skipping_) {
      const char* newline = findLineEnd(begin_, end_);
      if (!newline) {
        begin_ = end_;
        continue;
      }
      begin_ = newline + 1;
      skipping_ = false;
    }
    const char* newline = findLineEnd(begin_, end_);
    if (newline) {
      take(newline, line);
      begin_ = newline + 1;
      return true;
    }
  }
}

}  // namespace vantrel
