// Reading a binary file a block at a time.
#pragma once

#include <cstddef>
#include <cstdio>

namespace vantrel {

// Reads up to `size` bytes of `file` into `into` and returns how many it got;
// a read that a signal cut short is taken again. 0 at the end of the file or
// after a read error (std::ferror tells which).
size_t readBlock(std::FILE* file, char* into, size_t size);

}  // namespace vantrel
