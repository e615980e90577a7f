// Times the translator as a whole process on generated inputs and compares it
// with the plain cost of writing the same output (baseline_writer).
//
//   run_benchmarks VANTREL GENERATE_INPUTS BASELINE_WRITER [RUNS]
//
// Every case runs once as warm-up, then RUNS (default 5) timed runs; the table
// shows the median wall time and the highest peak resident memory. A second
// table times each case with -CHECK against the same run without it, the two
// in turns, and the memory the check adds per scan bit it compares. A third
// table times the translation of the cases so marked against cat copying the
// run's own output files into one new file in the same folder, the two in
// turns, kCopyRuns times: what putting those bytes into files costs. The
// start-up case translates an empty input kStartupRuns times: what a run
// costs before it reads a byte (loading the program and its libraries). Work files
// go to a temporary folder under $TMPDIR (or /tmp), removed at the end.
// Exits with status 1 when a translation did not report success.
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr double kMB = 1024.0 * 1024.0;
constexpr int kStartupRuns = 200;
constexpr int kCopyRuns = 15;

struct RunResult {
  bool started = false;
  int exitStatus = -1;  // -1 when the process did not exit normally
  double seconds = 0;
  long peakRssKiB = 0;
};

// Runs `argv` with stdin from /dev/null and stdout and stderr into
// `consolePath` (stdout into `outputPath` instead when one is given), and
// waits for it.
RunResult runProcess(const std::vector<std::string>& argv, const std::string& consolePath,
                     const std::string& outputPath = "") {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  RunResult result;
  timespec start{}, end{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  const pid_t pid = fork();
  if (pid < 0) return result;
  if (pid == 0) {
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(consolePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int data = outputPath.empty()
                         ? dup(out)
                         : open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || data < 0) _exit(127);
    dup2(in, 0);
    dup2(data, 1);
    dup2(out, 2);
    close(in);
    close(out);
    close(data);
    execv(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return result;
  clock_gettime(CLOCK_MONOTONIC, &end);
  result.started = true;
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.seconds = static_cast<double>(end.tv_sec - start.tv_sec) +
                   static_cast<double>(end.tv_nsec - start.tv_nsec) * 1e-9;
  result.peakRssKiB = usage.ru_maxrss;  // KiB on Linux
  return result;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool reportedSuccess(const std::string& consolePath) {
  const std::string console = readFile(consolePath);
  const std::string marker = "Translation Successful";
  for (size_t at = console.find(marker); at != std::string::npos; at = console.find(marker, at + 1))
    if (at == 0 || console[at - 1] == '\n') return true;
  return false;
}

std::vector<std::string> listFiles(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(folder + "/" + name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Removes the files of the last run and puts every written page on disk, so
// that no timed run pays for the write-back of another run's output.
void emptyFolder(const std::string& folder) {
  for (const std::string& path : listFiles(folder)) unlink(path.c_str());
  sync();
}

long long fileSize(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? static_cast<long long>(info.st_size) : 0;
}

long long countLines(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return 0;
  std::vector<char> buffer(1 << 20);
  long long lines = 0;
  size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
    lines += std::count(buffer.begin(), buffer.begin() + static_cast<long>(got), '\n');
  std::fclose(file);
  return lines;
}

struct OutputSize {
  int files = 0;
  long long bytes = 0;
  long long lines = 0;
};

OutputSize measureOutput(const std::string& folder) {
  OutputSize size;
  for (const std::string& path : listFiles(folder)) {
    ++size.files;
    size.bytes += fileSize(path);
    size.lines += countLines(path);
  }
  return size;
}

int removeEntry(const char* path, const struct stat*, int, FTW*) { return remove(path); }

void removeTree(const std::string& folder) {
  nftw(folder.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

std::string machineName() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line;
  while (std::getline(cpuinfo, line)) {
    if (line.rfind("model name", 0) != 0) continue;
    const size_t colon = line.find(':');
    if (colon != std::string::npos) return line.substr(line.find_first_not_of(" \t", colon + 1));
  }
  return "unknown CPU";
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Timing {
  bool ok = true;
  double medianSeconds = 0;
  long peakRssKiB = 0;
};

// One warm-up run, then `runs` timed ones, each into an emptied `outFolder`.
// `check` judges every run (exit status and console).
template <typename Check>
Timing timeRuns(const std::vector<std::string>& argv, const std::string& outFolder,
                const std::string& consolePath, int runs, Check check) {
  Timing timing;
  std::vector<double> seconds;
  for (int run = 0; run <= runs; ++run) {
    emptyFolder(outFolder);
    const RunResult result = runProcess(argv, consolePath);
    if (!check(result)) {
      timing.ok = false;
      return timing;
    }
    if (run == 0) continue;  // warm-up
    seconds.push_back(result.seconds);
    timing.peakRssKiB = std::max(timing.peakRssKiB, result.peakRssKiB);
  }
  timing.medianSeconds = median(seconds);
  return timing;
}

// The plain run of a case and the same run with -CHECK, timed in turns so
// that both meet the same load of a shared machine.
struct CheckTiming {
  bool ok = false;
  Timing plain;
  Timing checked;
  long long bits = 0;  // the scan bits the check compared
};

long long checkedBits(const std::string& consolePath) {
  const std::string console = readFile(consolePath);
  const size_t at = console.find(" scans of ");
  return at == std::string::npos ? 0 : std::atoll(console.c_str() + at + 10);
}

CheckTiming timeCheck(const std::vector<std::string>& plain,
                      const std::vector<std::string>& checked, const std::string& outFolder,
                      const std::string& consolePath, int runs) {
  CheckTiming timing;
  std::vector<double> plainSeconds, checkedSeconds;
  for (int run = 0; run <= runs; ++run) {
    emptyFolder(outFolder);
    const RunResult first = runProcess(plain, consolePath);
    if (!first.started || !reportedSuccess(consolePath)) return timing;
    emptyFolder(outFolder);
    const RunResult second = runProcess(checked, consolePath);
    if (!second.started || !reportedSuccess(consolePath)) return timing;
    timing.bits = checkedBits(consolePath);
    if (run == 0) continue;  // warm-up
    plainSeconds.push_back(first.seconds);
    checkedSeconds.push_back(second.seconds);
    timing.plain.peakRssKiB = std::max(timing.plain.peakRssKiB, first.peakRssKiB);
    timing.checked.peakRssKiB = std::max(timing.checked.peakRssKiB, second.peakRssKiB);
  }
  emptyFolder(outFolder);
  timing.plain.medianSeconds = median(plainSeconds);
  timing.checked.medianSeconds = median(checkedSeconds);
  timing.ok = true;
  return timing;
}

// A translation and a copy of its output files with cat into one new file
// in the same folder, timed in turns: the ratio of the two in each run, so
// that both meet the same load of a shared machine.
struct CopyTiming {
  bool ok = false;
  double translateSeconds = 0;  // medians
  double copySeconds = 0;
  double ratio = 0;  // median of the runs' ratios
};

CopyTiming timeCopy(const std::vector<std::string>& command, const std::string& outFolder,
                    const std::string& consolePath, int runs) {
  CopyTiming timing;
  std::vector<double> translateSeconds, copySeconds, ratios;
  for (int run = 0; run <= runs; ++run) {
    emptyFolder(outFolder);
    const RunResult translation = runProcess(command, consolePath);
    if (!translation.started || !reportedSuccess(consolePath)) return timing;
    std::vector<std::string> cat = {"/bin/cat"};
    for (const std::string& path : listFiles(outFolder)) cat.push_back(path);
    sync();
    const RunResult copy = runProcess(cat, consolePath, outFolder + "/copy");
    if (copy.exitStatus != 0) return timing;
    if (run == 0 || copy.seconds <= 0) continue;  // warm-up
    translateSeconds.push_back(translation.seconds);
    copySeconds.push_back(copy.seconds);
    ratios.push_back(translation.seconds / copy.seconds);
  }
  emptyFolder(outFolder);
  if (ratios.empty()) return timing;
  timing.translateSeconds = median(translateSeconds);
  timing.copySeconds = median(copySeconds);
  timing.ratio = median(ratios);
  timing.ok = true;
  return timing;
}

struct Case {
  std::string name;
  std::string input;  // file name in the input folder
  std::vector<std::string> options;
  bool copy = false;  // also timed against cat of its output
};

struct CaseResult {
  bool ok = false;
  double inputMB = 0;
  OutputSize output;
  Timing translator;
  Timing baseline;
  CheckTiming check;
  CopyTiming copy;
};

void printConsoleTail(const std::string& consolePath) {
  std::string console = readFile(consolePath);
  if (console.size() > 2000) console = "...\n" + console.substr(console.size() - 2000);
  std::fprintf(stderr, "---- console ----\n%s\n-----------------\n", console.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5) {
    std::fprintf(stderr, "usage: run_benchmarks VANTREL GENERATE_INPUTS BASELINE_WRITER [RUNS]\n");
    return 2;
  }
  const std::string vantrel = argv[1];
  const std::string generator = argv[2];
  const std::string baselineWriter = argv[3];
  const int runs = argc == 5 ? std::max(1, std::atoi(argv[4])) : 5;

  std::printf("machine: %s, %ld cores\n", machineName().c_str(), sysconf(_SC_NPROCESSORS_ONLN));
  std::printf("%d timed runs per case after one warm-up; 1 MB = 2^20 bytes\n\n", runs);
  std::fflush(stdout);

  const char* tmpdir = std::getenv("TMPDIR");
  std::string work = std::string(tmpdir && *tmpdir ? tmpdir : "/tmp") + "/vantrel-bench.XXXXXX";
  if (!mkdtemp(&work[0])) {
    std::perror("run_benchmarks: mkdtemp");
    return 2;
  }
  const std::string inputs = work + "/in";
  const std::string outputs = work + "/out";
  const std::string consolePath = work + "/console.txt";
  mkdir(inputs.c_str(), 0755);
  mkdir(outputs.c_str(), 0755);

  std::printf("generating inputs ...\n");
  std::fflush(stdout);
  const RunResult generated = runProcess({generator, inputs}, consolePath);
  if (generated.exitStatus != 0) {
    std::fprintf(stderr, "run_benchmarks: generate_inputs failed\n");
    printConsoleTail(consolePath);
    removeTree(work);
    return 2;
  }

  const std::vector<Case> cases = {
      {"board, default", "board.svf", {}},
      {"board, -NC -NORETRY", "board.svf", {"-NC", "-NORETRY"}},
      {"board2k, default", "board2k.svf", {}, true},
      {"board2k, -NC -NORETRY", "board2k.svf", {"-NC", "-NORETRY"}, true},
      {"long, N=100000", "long100k.svf", {}},
      {"long, N=200000", "long200k.svf", {}},
      {"many statements", "many.svf", {}},
      {"bitstream, -SS", "bitstream.svf", {"-SS"}},
  };
  std::vector<CaseResult> results(cases.size());
  bool allOk = true;

  std::printf("running start-up ...\n");
  std::fflush(stdout);
  { std::ofstream(inputs + "/empty.svf"); }
  const std::vector<std::string> startupCommand = {vantrel, "-Q", inputs + "/empty.svf",
                                                   outputs + "/empty.out"};
  const Timing startup =
      timeRuns(startupCommand, outputs, consolePath, kStartupRuns, [&](const RunResult& run) {
        if (run.started && reportedSuccess(consolePath)) return true;
        std::fprintf(stderr, "\n*** FAILED: start-up (exit %d)\n", run.exitStatus);
        printConsoleTail(consolePath);
        return false;
      });
  allOk = allOk && startup.ok;

  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    CaseResult& r = results[i];
    std::printf("running %s ...\n", c.name.c_str());
    std::fflush(stdout);
    r.inputMB = static_cast<double>(fileSize(inputs + "/" + c.input)) / kMB;

    std::vector<std::string> command = {vantrel, "-Q"};
    command.insert(command.end(), c.options.begin(), c.options.end());
    command.push_back(inputs + "/" + c.input);
    command.push_back(outputs + "/bench.out");
    r.translator = timeRuns(command, outputs, consolePath, runs, [&](const RunResult& run) {
      if (run.started && reportedSuccess(consolePath)) return true;
      std::fprintf(stderr, "\n*** FAILED: %s: the translator did not report success (exit %d)\n",
                   c.name.c_str(), run.exitStatus);
      printConsoleTail(consolePath);
      return false;
    });
    if (!r.translator.ok) {
      allOk = false;
      continue;
    }
    r.output = measureOutput(outputs);  // the files of the last run
    emptyFolder(outputs);

    const long long lineLength =
        r.output.lines > 0 ? (r.output.bytes + r.output.lines / 2) / r.output.lines : 1;
    const std::vector<std::string> baseline = {baselineWriter,
                                               outputs,
                                               "bench",
                                               std::to_string(r.output.bytes),
                                               std::to_string(std::max(1, r.output.files)),
                                               std::to_string(lineLength)};
    r.baseline = timeRuns(baseline, outputs, consolePath, runs, [&](const RunResult& run) {
      if (run.exitStatus == 0) return true;
      std::fprintf(stderr, "\n*** FAILED: %s: baseline_writer failed\n", c.name.c_str());
      printConsoleTail(consolePath);
      return false;
    });
    emptyFolder(outputs);

    std::printf("running %s with -CHECK ...\n", c.name.c_str());
    std::fflush(stdout);
    std::vector<std::string> checkCommand = command;
    checkCommand.insert(checkCommand.begin() + 1, "-CHECK");
    r.check = timeCheck(command, checkCommand, outputs, consolePath, runs);
    if (!r.check.ok) {
      std::fprintf(stderr, "\n*** FAILED: %s with -CHECK\n", c.name.c_str());
      printConsoleTail(consolePath);
    }
    if (c.copy) {
      std::printf("running %s against cat ...\n", c.name.c_str());
      std::fflush(stdout);
      r.copy = timeCopy(command, outputs, consolePath, kCopyRuns);
      if (!r.copy.ok) {
        std::fprintf(stderr, "\n*** FAILED: %s against cat\n", c.name.c_str());
        printConsoleTail(consolePath);
      }
    }
    r.ok = r.baseline.ok && r.check.ok && (!c.copy || r.copy.ok);
    allOk = allOk && r.ok;
  }
  removeTree(work);

  std::printf("\n%-22s %9s %10s %9s %12s %9s %11s %9s\n", "case", "input MB", "output MB",
              "median s", "output MB/s", "peak RSS", "baseline s", "ratio");
  for (size_t i = 0; i < cases.size(); ++i) {
    const CaseResult& r = results[i];
    if (!r.translator.ok) {
      std::printf("%-22s %9.1f   FAILED\n", cases[i].name.c_str(), r.inputMB);
      continue;
    }
    const double outputMB = static_cast<double>(r.output.bytes) / kMB;
    const double seconds = r.translator.medianSeconds;
    std::printf("%-22s %9.1f %10.1f %9.3f %12.1f %9.1f", cases[i].name.c_str(), r.inputMB, outputMB,
                seconds, seconds > 0 ? outputMB / seconds : 0.0,
                static_cast<double>(r.translator.peakRssKiB) / 1024.0);
    if (r.ok && r.baseline.medianSeconds > 0)
      std::printf(" %11.3f %9.2f\n", r.baseline.medianSeconds, seconds / r.baseline.medianSeconds);
    else
      std::printf(" %11s %9s\n", "FAILED", "-");
  }
  std::printf(
      "(peak RSS in MB; ratio = translator median / baseline median for the same\n"
      " bytes, files and average line length)\n\n");

  std::printf("%-22s %9s %9s %7s %9s %9s %11s %11s\n", "case", "plain s", "check s", "ratio",
              "plain RSS", "check RSS", "scan bits", "RSS/bit");
  for (size_t i = 0; i < cases.size(); ++i) {
    const CheckTiming& t = results[i].check;
    if (!t.ok) {
      std::printf("%-22s   FAILED\n", cases[i].name.c_str());
      continue;
    }
    const double extraBytes =
        static_cast<double>(t.checked.peakRssKiB - t.plain.peakRssKiB) * 1024.0;
    std::printf("%-22s %9.3f %9.3f %7.2f %9.1f %9.1f %11lld %9.2f B\n", cases[i].name.c_str(),
                t.plain.medianSeconds, t.checked.medianSeconds,
                t.plain.medianSeconds > 0 ? t.checked.medianSeconds / t.plain.medianSeconds : 0.0,
                static_cast<double>(t.plain.peakRssKiB) / 1024.0,
                static_cast<double>(t.checked.peakRssKiB) / 1024.0, t.bits,
                t.bits > 0 ? extraBytes / static_cast<double>(t.bits) : 0.0);
  }
  std::printf(
      "(plain and -CHECK run in turns; ratio = check median / plain median, at most 2;\n"
      " RSS/bit = the check's peak RSS above the plain run's, per scan bit checked, at most 1 B\n"
      " where scans make the test; the runs and waits between scans are kept too)\n\n");

  std::printf("%-22s %11s %9s %7s\n", "case", "translate s", "cat s", "ratio");
  for (size_t i = 0; i < cases.size(); ++i) {
    if (!cases[i].copy) continue;
    const CopyTiming& t = results[i].copy;
    if (!t.ok) {
      std::printf("%-22s   FAILED\n", cases[i].name.c_str());
      continue;
    }
    std::printf("%-22s %11.4f %9.4f %7.2f\n", cases[i].name.c_str(), t.translateSeconds,
                t.copySeconds, t.ratio);
  }
  std::printf(
      "(translation and cat of its output files into one new file in the same folder, in\n"
      " turns, %d runs; ratio = median of the runs' translate / cat, at most 1.5)\n\n",
      kCopyRuns);

  if (startup.ok)
    std::printf("start-up (empty input): median %.2f ms of %d runs, peak RSS %.1f MB\n",
                startup.medianSeconds * 1e3, kStartupRuns,
                static_cast<double>(startup.peakRssKiB) / 1024.0);
  else
    std::printf("start-up (empty input): FAILED\n");
  // The cases by their place in `cases`.
  constexpr size_t kLong100k = 4, kLong200k = 5, kMany = 6;
  const CaseResult& long100k = results[kLong100k];
  const CaseResult& long200k = results[kLong200k];
  if (long100k.translator.ok && long200k.translator.ok && long100k.translator.medianSeconds > 0)
    std::printf("long statement: time N=200000 / N=100000 = %.2f (2.00 is linear)\n",
                long200k.translator.medianSeconds / long100k.translator.medianSeconds);
  for (size_t i : {kLong100k, kLong200k}) {
    const CaseResult& r = results[i];
    if (!r.translator.ok) continue;
    const double peakMB = static_cast<double>(r.translator.peakRssKiB) / 1024.0;
    const double limitMB = 6 * r.inputMB + 16;
    std::printf("%s: peak RSS %.1f MB, limit 6 x %.1f + 16 = %.1f MB: %s\n", cases[i].name.c_str(),
                peakMB, r.inputMB, limitMB, peakMB <= limitMB ? "within" : "OVER");
  }
  const CaseResult& many = results[kMany];
  if (many.translator.ok && many.translator.medianSeconds > 0)
    std::printf("many statements: %.0f statements/s\n", 1e6 / many.translator.medianSeconds);

  if (!allOk) std::printf("\n*** SOME CASES FAILED (see above)\n");
  return allOk ? 0 : 1;
}
