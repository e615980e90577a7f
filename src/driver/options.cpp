#include "driver/options.h"

#include <cctype>
#include <string_view>

#include "base/console.h"
#include "base/run_stop.h"
#include "svf/decimal.h"

namespace vantrel {

namespace {

enum class Option {
  Help,
  NoComments,
  CommandComments,
  FullComments,
  Quiet,
  Verbose,
  VeryVerbose,
  NoWaitComments,
  WaitComments,
  NoConvertRuntest,
  ConvertRuntest,
  NoRetry,
  Retry,
  LoopCount,
  LoopAdjust,
  CompareVector,
  VectLimit,
  TckNode,
  TmsNode,
  TdiNode,
  TdoNode,
  TrstNode,
  TargetDevice,
  NumDevices,
  DefaultDevice,
  StandardSvf,
  SplitScans,
  Check,
  CheckOnly,
  KeepClocks,
  Unknown
};

struct OptionName {
  std::string_view name;
  Option option;
};

constexpr OptionName optionNames[] = {
    {"?", Option::Help},
    {"HELP", Option::Help},
    {"NC", Option::NoComments},
    {"NOCOMMENTS", Option::NoComments},
    {"CC", Option::CommandComments},
    {"COMMANDCOMMENTS", Option::CommandComments},
    {"FC", Option::FullComments},
    {"FULLCOMMENTS", Option::FullComments},
    {"Q", Option::Quiet},
    {"QUIET", Option::Quiet},
    {"V", Option::Verbose},
    {"VERBOSE", Option::Verbose},
    {"VV", Option::VeryVerbose},
    {"VERYVERBOSE", Option::VeryVerbose},
    {"NOWC", Option::NoWaitComments},
    {"NOWAITCOMMENT", Option::NoWaitComments},
    {"WC", Option::WaitComments},
    {"WAITCOMMENT", Option::WaitComments},
    {"NOCR", Option::NoConvertRuntest},
    {"NOCONVERTRUNTEST", Option::NoConvertRuntest},
    {"CR", Option::ConvertRuntest},
    {"CONVERTRUNTEST", Option::ConvertRuntest},
    {"NORETRY", Option::NoRetry},
    {"NOLOOP", Option::NoRetry},
    {"VERIFY", Option::NoRetry},
    {"RETRY", Option::Retry},
    {"LOOP", Option::Retry},
    {"NOVERIFY", Option::Retry},
    {"LC", Option::LoopCount},
    {"LOOPCOUNT", Option::LoopCount},
    {"LA", Option::LoopAdjust},
    {"LOOPADJUST", Option::LoopAdjust},
    {"CV", Option::CompareVector},
    {"CMPVECT", Option::CompareVector},
    {"VL", Option::VectLimit},
    {"VECTLIMIT", Option::VectLimit},
    {"TCKNODE", Option::TckNode},
    {"TMSNODE", Option::TmsNode},
    {"TDINODE", Option::TdiNode},
    {"TDONODE", Option::TdoNode},
    {"TRSTNODE", Option::TrstNode},
    {"TD", Option::TargetDevice},
    {"TARGETDEVICE", Option::TargetDevice},
    {"ND", Option::NumDevices},
    {"NUMDEVICES", Option::NumDevices},
    {"DD", Option::DefaultDevice},
    {"DEFAULTDEVICE", Option::DefaultDevice},
    {"STDSVF", Option::StandardSvf},
    {"STANDARDSVF", Option::StandardSvf},
    {"SS", Option::SplitScans},
    {"SPLITSCANS", Option::SplitScans},
    {"CHECK", Option::Check},
    {"CHECKONLY", Option::CheckOnly},
    {"KC", Option::KeepClocks},
    {"KEEPCLOCKS", Option::KeepClocks},
};

Option lookUpOption(const std::string& argument) {
  std::string name = argument.substr(1);
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const OptionName& entry : optionNames)
    if (entry.name == name) return entry.option;
  return Option::Unknown;
}

bool takesValue(Option option) {
  switch (option) {
    case Option::LoopCount:
    case Option::LoopAdjust:
    case Option::CompareVector:
    case Option::VectLimit:
    case Option::TckNode:
    case Option::TmsNode:
    case Option::TdiNode:
    case Option::TdoNode:
    case Option::TrstNode:
    case Option::TargetDevice:
    case Option::NumDevices:
    case Option::DefaultDevice:
    case Option::KeepClocks: return true;
    default: return false;
  }
}

// Digits only, at most 2147483647.
bool readWholeNumber(const std::string& text, int32_t& number) {
  if (text.empty() || text.size() > 10) return false;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value > INT32_MAX) return false;
  number = static_cast<int32_t>(value);
  return true;
}

// Applies one option and prints its confirmation line.
void applyOption(Option option, const std::string& value, const std::string& programName) {
  Settings& s = settings;
  switch (option) {
    case Option::Help:
    case Option::Unknown: printUsage(programName);
    case Option::NoComments:
      s.commentMode = 0;
      say("No Comments\n");
      break;
    case Option::CommandComments:
      s.commentMode = 1;
      say("Command Comments\n");
      break;
    case Option::FullComments:
      s.commentMode = 2;
      say("Full Comments\n");
      break;
    case Option::Quiet:
      s.verbosity = 0;
      say("Quiet Running.\n");
      break;
    case Option::Verbose:
      s.verbosity = 2;
      say("Verbose Output.\n");
      break;
    case Option::VeryVerbose:
      s.verbosity = 3;
      say("Very Verbose Output.\n");
      break;
    case Option::NoWaitComments:
      s.waitComments = false;
      say("Dont convert wait comments to waits.\n");
      break;
    case Option::WaitComments:
      s.waitComments = true;
      say("Convert wait comments to waits.\n");
      break;
    case Option::NoConvertRuntest:
      s.convertRuntest = false;
      say("Dont convert RUNTESTS to waits.\n");
      break;
    case Option::ConvertRuntest:
      s.convertRuntest = true;
      say("Convert RUNTESTS to waits.\n");
      break;
    case Option::NoRetry:
      s.retryMode = false;
      say("Disable Retry Mode.\n");
      break;
    case Option::Retry:
      s.retryMode = true;
      say("Enable Retry Mode.\n");
      break;
    case Option::LoopCount:
      s.loopCount = readDecimal(value);
      say("Loop Count is %d.\n", s.loopCount);
      break;
    case Option::LoopAdjust:
      s.loopAdjust = readDecimal(value);
      say("Loop Adjust is %d.\n", s.loopAdjust);
      break;
    case Option::CompareVector:
      s.compareVector = readDecimal(value);
      say("Compare Vector is %d.\n", s.compareVector);
      break;
    case Option::VectLimit:
      s.vectLimit = readDecimal(value);
      say("Maximum vector count per file is %d.\n", s.vectLimit);
      break;
    case Option::TckNode:
      s.tckNode = value;
      say("TCK node is %s.\n", value.c_str());
      break;
    case Option::TmsNode:
      s.tmsNode = value;
      say("TMS node is %s.\n", value.c_str());
      break;
    case Option::TdiNode:
      s.tdiNode = value;
      say("TDI node is %s.\n", value.c_str());
      break;
    case Option::TdoNode:
      s.tdoNode = value;
      say("TDO node is %s.\n", value.c_str());
      break;
    case Option::TrstNode:
      s.trstNode = value;
      say("TRST node is %s.\n", value.c_str());
      break;
    case Option::TargetDevice:
      s.targetDevice = readDecimal(value);
      if (s.targetDevice < 1) {
        say("ERROR: The target device number must be greater than zero.\n");
        printUsage(programName);
      }
      say("The target device to operate on in the boundary-scan chain is %d.\n", s.targetDevice);
      break;
    case Option::NumDevices:
      s.numDevices = readDecimal(value);
      if (s.numDevices < 1) {
        say("ERROR: The total number of devices in the chain must be greater than zero.\n");
        printUsage(programName);
      }
      if (s.targetDevice > s.numDevices) {
        say("ERROR: The target device must be greater than zero\n"
            "and not more than than the total number of devices in the chain.\n");
        printUsage(programName);
      }
      say("Number of devices in boundary-scan chain is %d.\n", s.numDevices);
      break;
    case Option::StandardSvf:
      s.standardSvf = true;
      say("Standard SVF RUNTEST and FREQUENCY.\n");
      break;
    case Option::SplitScans:
      s.splitScans = true;
      say("Split long scans across output files.\n");
      break;
    case Option::Check:
      s.check = true;
      say("Check the output files against the SVF after translation.\n");
      break;
    case Option::CheckOnly:
      s.check = true;
      s.checkOnly = true;
      say("Check the existing output files against the SVF; none is written.\n");
      break;
    case Option::KeepClocks:
      if (!readWholeNumber(value, s.keepClocks)) {
        say("ERROR: The clocks to keep must be a whole number of 0 or more.\n");
        printUsage(programName);
      }
      say("Keep up to %d clocks of each RUNTEST as TCK cycles.\n", s.keepClocks);
      break;
    case Option::DefaultDevice:
      s.defaultDevice = value;
      say("Default Device is %s.\n", value.c_str());
      break;
  }
}

}  // namespace

void printUsage(const std::string& programName) {
  say("ERROR: The source and destination file must be entered.\n");
  say("Example syntax is:\n");
  say("\t%s [options] inputFile outputFile \n\n", programName.c_str());
  sayText(
      " Valid options case does not matter.\n"
      "-NC   or -NOCOMMENTS              No Comments\n"
      "-CC   or -COMMANDCOMMENTS         Command Comments\n"
      "-FC   or -FULLCOMMENTS           *Full Comments\n"
      "-Q    or -QUIET                   Quiet Running.\n"
      "-ND # or -NUMDEVICES # {1}        Number of devices in the boundary-scan chain.\n"
      "-TD # or -TARGETDEVICE # {1}      Device in the boundary-scan chain being operated upon.\n"
      "-V    or -VERBOSE                 Verbose Output.\n"
      "-VV   or -VERYVERBOSE             Very Verbose Output.\n"
      "-VL   or -VECTLIMIT               Maximum vector count per file.\n"
      "-NOWC or -NOWAITCOMMENT          *Dont convert wait comments to waits.\n"
      "-WC   or -WAITCOMMENT             Convert wait comments to waits.\n"
      "-NOCR or -NOCONVERTRUNTEST        Dont convert RUNTESTS to waits.\n"
      "-CR   or -CONVERTRUNTEST         *Convert RUNTESTS to waits.\n"
      "-NORETRY or -NOLOOP or -VERIFY    Disable Retry Mode.\n"
      "-RETRY or -LOOP or -NOVERIFY     *Enable Retry Mode.\n"
      "-LC # or -LOOPCOUNT #   {16}      Loop Count is #.\n"
      "-LA # or -LOOPADJUST #  {1}       Loop Adjust is #.\n"
      "-TCKNODE \"node name\"    {TCK}     Set the TCK node name.\n"
      "-TMSNODE \"node name\"    {TMS}     Set the TMS node name.\n"
      "-TDINODE \"node name\"    {TDI}     Set the TDI node name.\n"
      "-TDONODE \"node name\"    {TDO}     Set the TDO node name.\n"
      "-TRSTNODE \"node name\"   {*}       Set the TRST node name.\n"
      "-DD \"device name\"       {}        Set the default device.\n"
      "-DEFAULTDEVICE \"device name\"  {}  Set the default device.\n"
      "-STDSVF or -STANDARDSVF           RUNTEST and FREQUENCY as the SVF standard defines them.\n"
      "-SS or -SPLITSCANS                Scans too long for one file continue in the next.\n"
      "-CHECK                            Replay the output files and compare them with the SVF.\n"
      "-CHECKONLY                        Check existing output files; write none.\n"
      "-KC # or -KEEPCLOCKS # {0}        Keep up to # RUNTEST clocks as TCK cycles.\n"
      "-HELP or -?                       Display this screen.\n"
      "*-Default setting.  {value}-Default Value.\n\n\n");
  endRun();
}

std::vector<std::string> withoutCheckOptions(const std::vector<std::string>& args) {
  std::vector<std::string> kept;
  size_t i = 0;
  if (i < args.size()) kept.push_back(args[i++]);  // the program name
  for (; i < args.size() && !args[i].empty() && args[i][0] == '-'; ++i) {
    const Option option = lookUpOption(args[i]);
    if (option == Option::Check || option == Option::CheckOnly) continue;
    kept.push_back(args[i]);
    if (takesValue(option) && i + 1 < args.size()) kept.push_back(args[++i]);
  }
  kept.insert(kept.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
  return kept;
}

void parseOptions(const std::vector<std::string>& args) {
  settings = Settings{};
  const std::string programName = args.empty() ? std::string("vantrel") : args[0];
  size_t i = 1;
  while (i < args.size() && !args[i].empty() && args[i][0] == '-') {
    Option option = lookUpOption(args[i]);
    std::string value;
    if (takesValue(option)) {
      if (i + 1 >= args.size()) printUsage(programName);
      value = args[++i];
    }
    applyOption(option, value, programName);
    ++i;
  }
  if (args.size() - i != 2) printUsage(programName);
  settings.inputFileName = args[i];
  settings.outputFileName = args[i + 1];
  settings.compareVector = settings.numDevices - settings.targetDevice + 1;
}

}  // namespace vantrel
