#include "driver/statement_loop.h"

#include <new>
#include <string_view>

#include "driver/console.h"
#include "driver/dispatch.h"
#include "driver/run_stop.h"
#include "driver/settings.h"
#include "scan/registers.h"
#include "svf/statement_reader.h"
#include "svf/tokenizer.h"
#include "svf/wait_comment.h"
#include "tap/navigation.h"
#include "tap/state_commands.h"
#include "vcl/command_list.h"
#include "vcl/emitter.h"
#include "vcl/output_files.h"
#include "vcl/pio.h"
#include "vcl/preamble.h"

namespace vantrel {

std::string lastCommandLine;

void sayCommandLine() {
  sayText("COMMAND LINE WAS: ");
  sayText(lastCommandLine);
  sayText("\n");
}

void sayLastLineRead() {
  say("The last line read from input file was : \n\n");
  sayText("   ");
  sayText(lastCommandLine);
  sayText(" \n\n");
}

void stopShowingCommandLine(const char* message) {
  sayText(message);
  sayCommandLine();
  fatalStop();
}

namespace {

// A file that has taken this many lines makes the translation start over
// with files split earlier, by kMarginStep lines more at every restart.
constexpr int64_t kRestartCeiling = 300000;
constexpr int64_t kMarginStep = 25000;

// Everything the translation of the input builds up, back to its start:
// a restart translates the input afresh.
void resetTranslation() {
  resetStatementReader();
  resetTokenizer();
  resetWaitComments();
  resetTapModel();
  resetStateCommands();
  releaseAllRegisters();
  resetEmitter();
  resetPio();
  resetCommandList();
}

void resetRun() {
  settings = Settings{};
  lastCommandLine.clear();
  svfInput.close();
  resetOutputFiles();
  resetTranslation();
}

void translate(const std::vector<std::string>& args, const RunIo& io) {
  say("\nvantrel - SVF to VCL Translator - Version: %s\n\n", VANTREL_VERSION);
  parseOptions(args);
  if (io.inputText) {
    svfInput.openText(*io.inputText);
  } else if (!svfInput.open(settings.inputFileName)) {
    say("Cannot open input file %s!\n", settings.inputFileName.c_str());
    endRun();
  }
  openOutputFile(settings.outputFileName);

  int64_t statementCount = 0;
  int64_t splitMargin = 0;
  // The tokenizer reads the statement through a view and changes nothing, so
  // the statement itself is what error reports show.
  while (readStatement(lastCommandLine)) {
    ++statementCount;
    if (statementCount % 100 == 0 && settings.verbosity != 0)
      say("%lld lines processed.\n", static_cast<long long>(statementCount));

    if (splitMargin >= kRestartCeiling) stopCommandTooLarge();
    if (vectorCount >= kRestartCeiling) {
      restartOutput(settings.outputFileName);
      resetTranslation();
      splitMargin += kMarginStep;
      continue;
    }
    // Tested once per statement: all vectors of a statement go to one file.
    if (vectorCount > settings.vectLimit - splitMargin) {
      openOutputFile(settings.outputFileName);
      writeUnitPreamble();
      moveToStableState(IDLE);
    }

    resetTokenizer();
    std::string_view rest(lastCommandLine);
    std::string_view command, parameter;
    while (nextPair(rest, command, parameter)) dispatchPair(command, parameter, rest);
    runQueuedCommands();
    emitPendingWait();
  }

  outputFile.write("end pcf\n");
  outputFile.write("end unit\n");
  svfInput.close();
  if (!closeOutputFile()) endRun();
  const int32_t filesMade = fileNumber - 1;
  if (filesMade > 1)
    say("Translation Successful %d files generated.\n", filesMade);
  else
    say("Translation Successful 1 file generated.\n");
}

}  // namespace

int runTranslator(const std::vector<std::string>& args, std::ostream& console, const RunIo& io) {
  consoleStream = &console;
  resetRun();
  discardOutput = io.discardOutput;
  discardLimit = io.discardLimit;
  try {
    translate(args, io);
  } catch (const RunStopped&) {
  } catch (const std::bad_alloc&) {
    say("Out of Memory!\n");
  }
  // Whatever ended the run: what was written stays, without closing lines.
  svfInput.close();
  closeOutputFile();
  discardOutput = false;
  discardLimit = 0;
  console.flush();
  consoleStream = nullptr;
  return 1;
}

}  // namespace vantrel
