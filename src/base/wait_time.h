// The length of a tester wait as a wait line gives it.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// `micros` microseconds as the time of a wait line: microseconds below a
// millisecond ("100u"), milliseconds below a second ("2.500m"), seconds
// above ("1.250", no unit letter), three decimals rounded.
std::string waitTimeText(uint64_t micros);

}  // namespace vantrel
