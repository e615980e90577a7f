// The lines of a VCL file other than vector lines, as the check reads them
// back: the header and declarations, the pcf blocks, tester waits and retry
// loops. Each parser takes the text after the keyword and says whether it is
// well formed.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vantrel {

enum class VclStatement {
  Comment,        // ! ...
  Pcf,            // pcf
  EndPcf,         // end pcf
  UsePcfOrder,    // use pcf order NAME
  PcfOrder,       // pcf order [default] NAME is PIN, PIN, ...
  Wait,           // wait TIME
  HomingLoop,     // homingloop N times
  EndHomingLoop,  // end homingloop
  Execute,        // execute VECTOR exit if pass
  Vector,         // vector NAME
  Set,            // set PIN to "LEVEL"
  EndVector,      // end vector
  Assign,         // assign PIN to nodes "NODE"
  Unit,           // unit "NAME"
  EndUnit,        // end unit
  Directions,     // inputs PIN, ... / outputs PIN, ... / bidirectional PIN, ...
  Setting,        // the header's tester settings
  Unknown
};

// `line` is a line without white space at either end, not empty. `rest` is
// set to the text after the keyword.
VclStatement classifyStatement(std::string_view line, std::string_view& rest);

// "PIN, PIN, ...": pin names, none empty, without blanks or quotes
bool parsePinList(std::string_view rest, std::vector<std::string_view>& pins);
// "[default] NAME is PIN, PIN, ..."
bool parsePinOrder(std::string_view rest, bool& isDefault, std::string_view& name,
                   std::vector<std::string_view>& pins);
// "N times"
bool parseLoopCount(std::string_view rest, int64_t& count);
// "VECTOR exit if pass"
bool parseExecute(std::string_view rest, std::string_view& vector);
// "PIN to "LEVEL"" with a one-character level
bool parseSet(std::string_view rest, std::string_view& pin, char& level);
// "PIN to nodes NODES": NODES as written ("\"TDI\"" or "*")
bool parseAssign(std::string_view rest, std::string_view& pin, std::string_view& nodes);
// A tester wait: digits with an optional decimal point, then the unit letter
// n, u or m, or none for seconds ("10m", "2.500m", "1.250"). `resolution`
// is the weight of its last digit, in seconds: the text stands for any time
// that rounds to it.
bool parseWaitTime(std::string_view rest, double& seconds, double& resolution);

}  // namespace vantrel
