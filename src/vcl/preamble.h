// The unit preamble: the declarations between a file's header and its first
// vector (pin directions, the pcf pin orders, the predefined vectors of the
// retry loop's compare line) and the opening of the unit and its pcf block.
#pragma once

namespace vantrel {

void writeUnitPreamble();

// Ends the current file and goes on in the next one, which gets its header and
// unit preamble and the pin order in force. The TAP controller keeps its
// state from one file to the next.
void continueInNextFile();

}  // namespace vantrel
