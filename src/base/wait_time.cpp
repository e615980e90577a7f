#include "base/wait_time.h"

#include "base/console.h"

namespace vantrel {

std::string waitTimeText(uint32_t micros) {
  if (micros < 1000) return formatText("%ldu", static_cast<long>(micros));
  if (micros < 1000000) return formatText("%.3fm", micros / 1000.0);
  return formatText("%.3f", micros / 1000000.0);
}

}  // namespace vantrel
