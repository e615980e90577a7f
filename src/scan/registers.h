// The six SVF scan registers: the header and trailer registers around every
// data scan (HDR, TDR) and instruction scan (HIR, TIR), and the data and
// instruction registers themselves (SDR, SIR).
#pragma once

#include <string_view>

namespace vantrel {

enum ScanRegisterId { HDR, HIR, TDR, TIR, SDR, SIR };

void releaseAllRegisters();

// The length keyword of a register; the TDI, TDO, MASK and SMASK fields that
// follow go to that register.
void setRegisterLength(ScanRegisterId id, std::string_view parameter);
void setTdi(std::string_view parameter);
void setTdo(std::string_view parameter);
void setMask(std::string_view parameter);
void setSmask(std::string_view parameter);

}  // namespace vantrel
