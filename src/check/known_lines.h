// Passing over lines whose text is known before they are read. A cursor into
// the bytes a LineSource has read so far: its user keeps it in a local while
// it takes many lines in a row, so the cursor stays in a register, and gives
// it back to the source (LineSource::passOver) when it stops.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace vantrel {

class KnownLines {
 public:
  // `restLength`: where the last line skipStartingWith() took ended, past
  // its start.
  KnownLines(const char* begin, const char* end, size_t restLength)
      : at_(begin), end_(end), restLength_(restLength) {}

  // When the next bytes are `lines` (whole lines, each with its line feed),
  // passes over them and returns true.
  bool skip(std::string_view lines) {
    if (!startsWith(lines)) return false;
    at_ += lines.size();
    return true;
  }
  // When the next bytes begin with `start`, which ends within a line, passes
  // over them and the rest of that line and returns true. Only within the
  // bytes read so far: false, passing over nothing, for a line that goes on
  // past them.
  bool skipStartingWith(std::string_view start) {
    if (!startsWith(start)) return false;
    const char* rest = at_ + start.size();
    // Such lines mostly end where the last one did (a comment of the same
    // length). Testing that first, the next lines can be read before a
    // search has found where this one ends.
    const size_t unread = static_cast<size_t>(end_ - rest);
    if (restLength_ < unread && rest[restLength_] == '\n' && noLineFeed(rest, restLength_)) {
      at_ = rest + restLength_ + 1;
      return true;
    }
    const char* lineEnd = static_cast<const char*>(std::memchr(rest, '\n', unread));
    if (!lineEnd) return false;
    restLength_ = static_cast<size_t>(lineEnd - rest);
    at_ = lineEnd + 1;
    return true;
  }

  // The unread byte `offset` bytes on; '\0' past the bytes read so far.
  char peekByte(size_t offset) const {
    return offset < static_cast<size_t>(end_ - at_) ? at_[offset] : '\0';
  }
  const char* at() const { return at_; }
  size_t restLength() const { return restLength_; }

 private:
  // Whether the bytes read so far begin with `text`. A text of 8 to 24
  // bytes, as a vector line or the two lines of a cycle are, is compared 8
  // bytes at a time: its first 8, its last 8 (which overlap them where it is
  // shorter than 16) and, past 16, the 8 between. A few instructions, where
  // a comparison of any length is a call.
  bool startsWith(std::string_view text) const {
    const size_t size = text.size();
    if (static_cast<size_t>(end_ - at_) < size) return false;
    if (size < 8 || size > 24) return std::memcmp(at_, text.data(), size) == 0;
    const char* theirs = text.data();
    uint64_t differ = (word(at_) ^ word(theirs)) | (word(at_ + size - 8) ^ word(theirs + size - 8));
    if (size > 16) differ |= word(at_ + 8) ^ word(theirs + 8);
    return differ == 0;
  }
  // Whether the `size` bytes at `from` hold no line feed. A comment of 16 to
  // 32 bytes, as a bit's comment is, is tested 16 bytes at a time, its first
  // 16 and its last 16 (overlapping), where a search would be a call.
  static bool noLineFeed(const char* from, size_t size) {
    if (size < 16 || size > 32) return !std::memchr(from, '\n', size);
    return !(lineFeeds16(from) | lineFeeds16(from + size - 16));
  }
  // Not zero when one of the 16 bytes at `from` is a line feed: the bytes
  // are compared all at once (a vector of the compiler's own, which becomes
  // the processor's 16-byte compare), and each equal byte is all ones.
  static uint64_t lineFeeds16(const char* from) {
    typedef char Bytes __attribute__((vector_size(16)));
    Bytes bytes;
    std::memcpy(&bytes, from, sizeof bytes);
    const Bytes equal = bytes == '\n';
    uint64_t halves[2];
    std::memcpy(halves, &equal, sizeof halves);
    return halves[0] | halves[1];
  }
  static uint64_t word(const char* bytes) {
    uint64_t value;
    std::memcpy(&value, bytes, 8);
    return value;
  }

  const char* at_;
  const char* end_;
  size_t restLength_;
};

}  // namespace vantrel
