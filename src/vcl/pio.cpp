#include "vcl/pio.h"

namespace vantrel {

std::vector<std::string> pioNames;
bool pioPending = false;

void resetPio() {
  pioNames.clear();
  pioPending = false;
}

}  // namespace vantrel
