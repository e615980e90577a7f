#include "base/wait_time.h"

#include "base/console.h"

namespace vantrel {

std::string waitTimeText(uint64_t micros) {
  if (micros < 1000) return formatText("%lluu", static_cast<unsigned long long>(micros));
  if (micros < 1000000) return formatText("%.3fm", static_cast<double>(micros) / 1000.0);
  return formatText("%.3f", static_cast<double>(micros) / 1000000.0);
}

}  // namespace vantrel
