#include "scan/registers.h"

#include "driver/dispatch.h"

namespace vantrel {

namespace {
constexpr const char* kRegisterKeywords[] = {"HDR", "HIR", "TDR", "TIR", "SDR", "SIR"};
}

void releaseAllRegisters() {}

void setRegisterLength(ScanRegisterId id, std::string_view) {
  refuseUntranslatedCommand(kRegisterKeywords[id]);
}
void setTdi(std::string_view) { refuseUntranslatedCommand("TDI"); }
void setTdo(std::string_view) { refuseUntranslatedCommand("TDO"); }
void setMask(std::string_view) { refuseUntranslatedCommand("MASK"); }
void setSmask(std::string_view) { refuseUntranslatedCommand("SMASK"); }

}  // namespace vantrel
