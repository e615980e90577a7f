// The translator's entry and its statement loop.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace vantrel {

// The statement being translated, as the reader returned it; error reports
// show it.
extern std::string lastCommandLine;

// Runs a whole translation: `args` as on the command line (args[0] is the
// program name), messages to `console`. Returns the process status, which is
// 1 on every path, a successful translation included.
int runTranslator(const std::vector<std::string>& args, std::ostream& console);

}  // namespace vantrel
