#include "driver/command_list.h"

#include <vector>

#include "driver/pio_statements.h"
#include "scan/registers.h"
#include "scan/shift.h"
#include "vcl/emitter.h"
#include "vcl/output_files.h"
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
  // A PIO pattern rides on every vector of the statement: its pins are
  // columns of the Parallel pin order only.
  if (pioPending) {
    outputFile.write("use pcf order Parallel\n");
    ++vectorCount;
  }
  for (Deferred command : queue) {
    switch (command) {
      case Deferred::Sdr: runSdr(); break;
      case Deferred::Sir: runSir(); break;
      case Deferred::Pio: clockPio(); break;
    }
  }
  queue.clear();
  if (pioPending) {
    PIOstring = "\"";
    outputFile.write("use pcf order Scan\n");
    ++vectorCount;
    pioPending = false;
  }
  sdrInStatement = false;
  sirInStatement = false;
}

}  // namespace vantrel
