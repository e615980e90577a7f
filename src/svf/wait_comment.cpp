#include "svf/wait_comment.h"

namespace vantrel {

// Wait requests are recognised in a later step of the translator; until then
// comments are only read past.
void resetWaitComments() {}

void parseWaitComment(std::string& line, size_t start) {
  (void)line;
  (void)start;
}

void emitPendingWait() {}

}  // namespace vantrel
