#include "driver/statement_loop.h"

#include <filesystem>
#include <iterator>
#include <new>
#include <sstream>
#include <string_view>

#include "base/console.h"
#include "base/file_names.h"
#include "base/run_stop.h"
#include "base/settings.h"
#include "base/statement.h"
#include "check/expected_scans.h"
#include "check/series_check.h"
#include "driver/command_list.h"
#include "driver/dispatch.h"
#include "driver/options.h"
#include "scan/registers.h"
#include "svf/decimal.h"
#include "svf/statement_reader.h"
#include "svf/tokenizer.h"
#include "svf/wait_comment.h"
#include "tap/navigation.h"
#include "tap/state_commands.h"
#include "vcl/emitter.h"
#include "vcl/output_files.h"
#include "vcl/pio.h"
#include "vcl/preamble.h"

namespace vantrel {

namespace {

bool fileExists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(pathOfName(path), ignored);
}

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
  expectedScans.reset(settings.check);
}

void resetRun() {
  settings = Settings{};
  resetDecimalCommaNote();
  lastCommandLine.clear();
  svfInput.close();
  resetOutputFiles();
  resetTranslation();
}

// The files of the series as the check reads them: on disk, or in memory.
std::vector<SeriesFile> seriesFiles(int32_t count, const RunIo& io) {
  const std::vector<std::string>* texts = settings.checkOnly ? io.existingFiles : keptOutput;
  std::vector<SeriesFile> files;
  for (int32_t number = 1; number <= count; ++number) {
    SeriesFile file;
    file.name = outputFilePath(settings.outputFileName, number);
    file.inMemory = texts != nullptr;
    if (texts && static_cast<size_t>(number) <= texts->size())
      file.text = &(*texts)[static_cast<size_t>(number - 1)];
    files.push_back(file);
  }
  return files;
}

// `translated` is set once the whole input is translated (the check of the
// files may still stop the run).
void translate(const std::vector<std::string>& args, const RunIo& io, bool& translated) {
  say("\nvantrel - SVF to VCL Translator - Version: %s\n\n", VANTREL_VERSION);
  parseOptions(args);
  if (settings.checkOnly) {  // the translation runs in memory only
    discardOutput = true;
    keptOutput = nullptr;
  }
  expectedScans.reset(settings.check);
  if (io.inputText) {
    svfInput.openText(*io.inputText);
  } else if (!svfInput.open(settings.inputFileName)) {
    say("Cannot open input file %s!\n", settings.inputFileName.c_str());
    endRun();
  }
  openOutputFile(settings.outputFileName);

  int64_t statementCount = 0;
  // The input line of the statement translated last, and of the one that
  // took a file to the ceiling and so caused the latest restart.
  int64_t translatedLine = 0;
  int64_t restartCauseLine = 0;
  for (;;) {
    // The tokenizer reads the statement through a view and changes nothing,
    // so the statement itself is what error reports show.
    const bool haveStatement = readStatement(lastCommandLine);
    if (haveStatement) {
      ++statementCount;
      if (statementCount % 100 == 0 && settings.verbosity != 0)
        say("%lld lines processed.\n", static_cast<long long>(statementCount));
    }

    // Made before every statement and once more at the end of the input, so
    // that no file the tester cannot take is left for the last statement.
    if (splitMargin >= kRestartCeiling) stopCommandTooLarge(restartCauseLine);
    if (vectorCount >= kRestartCeiling || ceilingPassed) {
      restartCauseLine = translatedLine;
      restartOutput(settings.outputFileName);
      rewindInput();
      resetTranslation();
      splitMargin += kMarginStep;
      continue;
    }
    if (!haveStatement) break;

    // Tested once per statement: all vectors of a statement go to one file.
    if (vectorCount > splitThreshold()) startNextFileInIdle();

    resetTokenizer();
    std::string_view rest(lastCommandLine);
    std::string_view command, parameter;
    while (nextPair(rest, command, parameter)) dispatchPair(command, parameter, rest);
    runQueuedCommands();
    emitPendingWait();
    translatedLine = statementLine;
  }

  outputFile.write("end pcf\n");
  outputFile.write("end unit\n");
  // The file that would come next in the series; the input may bear such a name.
  const std::string nextFile = outputFilePath(settings.outputFileName, fileNumber);
  const bool nextIsInput = svfInput.isSameFile(nextFile);
  svfInput.close();
  if (!closeOutputFile()) endRun();
  const int32_t filesMade = fileNumber - 1;
  translated = true;
  if (settings.check) checkSeries(seriesFiles(filesMade, io));
  if (filesMade > 1)
    say("Translation Successful %d files generated.\n", filesMade);
  else
    say("Translation Successful 1 file generated.\n");
  // During a tester wait TCK stands still: a device that counts TCK cycles
  // (an FPGA's start-up) sees none of a RUNTEST's clocks that became one.
  if (runTestsWaited > 0) {
    say("Note: %ld RUNTESTs became tester waits in part or whole; TCK stands still during a "
        "wait.\n",
        static_cast<long>(runTestsWaited));
    say("The first is at line %ld of %s; a device that counts TCK cycles there needs "
        "-KEEPCLOCKS # or -NOCR.\n",
        static_cast<long>(firstRunTestWaitedLine), settings.inputFileName.c_str());
  }
  // A tester loading the series by a wildcard would take that file and the
  // ones after it too: they are left alone, but named.
  const bool seriesOnDisk =
      settings.checkOnly ? io.existingFiles == nullptr : !discardOutput && keptOutput == nullptr;
  if (seriesOnDisk && !nextIsInput && fileExists(nextFile))
    say("Note: %s and later files of this series are from an earlier run.\n", nextFile.c_str());
}

// How a run ended: in success, or stopped by a report about an input line.
struct RunEnd {
  bool succeeded = false;
  bool translated = false;  // the whole input was translated
  int64_t inputLine = 0;    // 0: not stopped by a report about the input
};

RunEnd runOnce(const std::vector<std::string>& args, std::ostream& console, const RunIo& io) {
  consoleStream = &console;
  consoleAtLineStart = true;
  resetRun();
  discardOutput = io.discardOutput;
  discardLimit = io.discardLimit;
  discardFiles = io.discardFiles;
  keptOutput = io.keptOutput;
  discardBudget = io.discardBudget;
  RunEnd end;
  try {
    translate(args, io, end.translated);
    end.succeeded = true;
  } catch (const RunStopped& stop) {
    end.inputLine = stop.inputLine;
    if (stop.inputLine > 0) sayInputLine(stop.inputLine);
  } catch (const std::bad_alloc&) {
    say("Out of Memory!\n");
  }
  // Whatever ended the run: what was written stays, without closing lines.
  svfInput.close();
  closeOutputFile();
  discardOutput = false;
  discardLimit = 0;
  discardFiles = 0;
  keptOutput = nullptr;
  discardBudget = 0;
  expectedScans.reset(false);  // the record of a long program is large
  console.flush();
  consoleStream = nullptr;
  return end;
}

// A trial gives up past this much output (thrown away): a refusal is not held
// up for minutes by an input that translates into thousands of files. The
// largest file of real SVF seen here translates into 286 MB.
constexpr size_t kTrialBudget = size_t{512} << 20;

// After a run refused its input: the options that translate the whole input,
// proven by translating it again with -STDSVF, -SPLITSCANS, then both added
// in front of the run's own options (each only where the run lacks it);
// empty when no such translation succeeds. The trials read the input from its
// start (a pipe cannot be read twice), write nothing and say nothing, and keep
// the limits of a run that throws its output away.
std::string optionsThatTranslate(const std::vector<std::string>& args, const RunIo& io) {
  const bool standardGiven = settings.standardSvf;
  const bool splitGiven = settings.splitScans;
  std::error_code error;
  if (!io.inputText && !std::filesystem::is_regular_file(pathOfName(settings.inputFileName), error))
    return std::string();
  // The fewest options first: the hint should not make the user change how
  // values and RUNTESTs are read where cutting scans across files is enough.
  std::vector<std::string> trials;
  if (!standardGiven) trials.push_back("-STDSVF");
  if (!splitGiven) trials.push_back("-SPLITSCANS");
  if (!standardGiven && !splitGiven) trials.push_back("-STDSVF -SPLITSCANS");
  RunIo quiet = io;
  quiet.discardOutput = true;
  quiet.keptOutput = nullptr;
  quiet.existingFiles = nullptr;
  if (quiet.discardBudget == 0 || quiet.discardBudget > kTrialBudget)
    quiet.discardBudget = kTrialBudget;
  std::ostream nowhere(nullptr);
  // A trial only translates; it checks no file.
  const std::vector<std::string> translateOnly = withoutCheckOptions(args);
  for (const std::string& added : trials) {
    std::vector<std::string> trialArgs = translateOnly;
    std::istringstream words(added);
    trialArgs.insert(trialArgs.begin() + 1, std::istream_iterator<std::string>(words), {});
    if (runOnce(trialArgs, nowhere, quiet).succeeded) return added;
  }
  return std::string();
}

}  // namespace

int runTranslator(const std::vector<std::string>& args, std::ostream& console, const RunIo& io) {
  // Only a refused input gets the hint, not files that fail the check.
  const RunEnd end = runOnce(args, console, io);
  if (end.inputLine == 0 || end.translated) return 1;
  const std::string cure = optionsThatTranslate(args, io);
  if (!cure.empty()) {
    consoleStream = &console;
    say("This file translates in full with %s.\n", cure.c_str());
    console.flush();
    consoleStream = nullptr;
  }
  return 1;
}

}  // namespace vantrel
