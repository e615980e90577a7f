// The command line: the options that fill the settings of a run, their
// confirmation lines, and the usage screen.
#pragma once

#include <string>
#include <vector>

#include "base/settings.h"

namespace vantrel {

// Fills `settings` from the arguments (args[0] is the program name), printing a
// confirmation line per option. Any error shows the usage screen and ends the run.
void parseOptions(const std::vector<std::string>& args);

// The arguments without -CHECK and -CHECKONLY (in any case): those of a run
// that only translates.
std::vector<std::string> withoutCheckOptions(const std::vector<std::string>& args);

// Prints the usage screen and ends the run with status 1.
[[noreturn]] void printUsage(const std::string& programName);

}  // namespace vantrel
