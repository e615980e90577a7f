// The unit preamble: the declarations between a file's header and its first
// vector (pin directions, the pcf pin orders, the predefined vectors of the
// retry loop's compare line) and the opening of the unit and its pcf block.
#pragma once

namespace vantrel {

void writeUnitPreamble();

}  // namespace vantrel
