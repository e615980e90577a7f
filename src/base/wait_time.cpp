#include "base/wait_time.h"

#include <string>

#include "base/console.h"

namespace vantrel {

std::string waitTimeText(uint64_t micros) {
  // Below a second the three decimals are exact, and written without printf:
  // a program of many short RUNTESTs writes thousands of these.
  if (micros < 1000) return std::to_string(micros) + 'u';
  if (micros < 1000000) {
    const auto fraction = static_cast<unsigned>(micros % 1000);
    std::string text = std::to_string(micros / 1000);
    text += '.';
    text += static_cast<char>('0' + fraction / 100);
    text += static_cast<char>('0' + fraction / 10 % 10);
    text += static_cast<char>('0' + fraction % 10);
    text += 'm';
    return text;
  }
  return formatText("%.3f", static_cast<double>(micros) / 1000000.0);
}

}  // namespace vantrel
