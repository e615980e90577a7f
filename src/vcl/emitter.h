// The vector emitter: the only writer of vector lines.
//
// One TCK cycle is two lines, TCK low then TCK high. Each line gives the
// levels driven on TMS and TDI, the level expected on TDO, the TRST level when
// a TRST node is assigned, and the PIO pins' levels while a PIO pattern is in
// force. The TCK-high line moves the TAP model on by the cycle's TMS.
//
// Pin characters: '0'/'1' drive low/high, 'L'/'H' expect low/high, 'X' neither
// drives nor compares, 'Z' leaves the pin undriven.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// Set: lines are pcf data lines ("0..." inside a pcf block). Clear: the low
// line is an execute line naming a predefined vector (the retry loop's compare
// vector, which stands outside the pcf block).
extern bool pcfMode;

// Written after the JTAG pin characters of every pcf line: the PIO pins'
// characters, then the closing double quote.
extern std::string PIOstring;

void resetEmitter();

// The line that selects the pin order in force when a pcf block is opened
// again (without its line end): the Parallel order while a PIO pattern rides
// on the vectors, the Scan order otherwise.
const char* pinOrderLine();

// A tester wait statement, "wait " and the time (with its unit letter). It
// stands inside the unit, so the unit's declarations come first when the
// file has none yet, and outside the pcf block, which it closes and opens
// again around itself.
void writeWaitStatement(std::string_view time);

// TCK-low line. `tdo` is the expected level ('H', 'L' or 'X'); `text` is a
// comment in pcf form, or the tail of the execute line in execute form.
void writeTckLow(char tms, char tdi, char tdo, std::string_view text = {});

// TCK-high line, moving the TAP model on. `text` follows the state name.
void writeTckHigh(char tms, char tdi, char tdo, std::string_view text = {});

}  // namespace vantrel
