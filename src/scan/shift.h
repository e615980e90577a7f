// Generating the TCK cycles of SDR and SIR scans.
#pragma once

namespace vantrel {

void runSdr();
void runSir();

}  // namespace vantrel
