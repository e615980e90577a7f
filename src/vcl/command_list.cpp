#include "vcl/command_list.h"

#include <vector>

#include "scan/shift.h"
#include "vcl/pio.h"

namespace vantrel {

namespace {

enum class Deferred { Sdr, Sir, Pio };
std::vector<Deferred> queue;

}  // namespace

void resetCommandList() { queue.clear(); }

void queueCommand(std::string_view keyword) {
  if (keyword == "SDR" || keyword == "sdr")
    queue.push_back(Deferred::Sdr);
  else if (keyword == "SIR" || keyword == "sir")
    queue.push_back(Deferred::Sir);
  else
    queue.push_back(Deferred::Pio);
}

void runQueuedCommands() {
  if (queue.empty()) return;
  for (Deferred command : queue) {
    switch (command) {
      case Deferred::Sdr: runSdr(); break;
      case Deferred::Sir: runSir(); break;
      case Deferred::Pio: clockPio(); break;
    }
  }
  queue.clear();
}

}  // namespace vantrel
