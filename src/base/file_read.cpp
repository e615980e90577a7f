#include "base/file_read.h"

#include <cerrno>

namespace vantrel {

size_t readBlock(std::FILE* file, char* into, size_t size) {
  for (;;) {
    const size_t count = std::fread(into, 1, size, file);
    if (!std::ferror(file) || errno != EINTR) return count;
    std::clearerr(file);  // a signal cut the read short: not a read error
    if (count > 0) return count;
  }
}

}  // namespace vantrel
