// Handing one command/parameter pair to the handler of its keyword.
#pragma once

#include <string_view>

namespace vantrel {

// `rest` is what is left of the statement; STATE and RUNTEST take further
// words from it.
void dispatchPair(std::string_view command, std::string_view parameter, std::string_view& rest);

}  // namespace vantrel
