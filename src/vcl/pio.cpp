#include "vcl/pio.h"

#include "driver/dispatch.h"

namespace vantrel {

std::vector<std::string> pioNames;
bool pioPending = false;

void resetPio() {
  pioNames.clear();
  pioPending = false;
}

void definePioMap(std::string_view) { refuseUntranslatedCommand("PIOMAP"); }
void setPioPattern(std::string_view) { refuseUntranslatedCommand("PIO"); }
void clockPio() { refuseUntranslatedCommand("PIO"); }

}  // namespace vantrel
