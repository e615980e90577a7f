// SDR, SIR and PIO run after their statement's last pair, so that every field
// of the statement (TDI, TDO, MASK, SMASK, a PIO pattern) is in place.
#pragma once

#include <string_view>

namespace vantrel {

void resetCommandList();

// Queues the operation of an "SDR", "SIR" or "PIO" keyword (either case).
void queueCommand(std::string_view keyword);

// Runs the queued operations in order and empties the queue.
void runQueuedCommands();

}  // namespace vantrel
