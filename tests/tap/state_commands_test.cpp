// RUNTEST, the SVF statement that clocks the TAP controller in a stable state:
// how it reads its words (count, clock word, run state), which of its checks
// comes first, and the count it leaves for the retry loop's idle runs.
#include "tap/state_commands.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "driver/console.h"
#include "driver/run_stop.h"
#include "driver/settings.h"
#include "driver/statement_loop.h"
#include "support/sandbox.h"
#include "svf/tokenizer.h"
#include "tap/tap_state.h"
#include "vcl/emitter.h"
#include "vcl/output_files.h"

namespace vantrel::testing {
namespace {

class StateCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    settings = Settings{};
    resetTapModel();
    resetStateCommands();
    resetEmitter();
    resetOutputFiles();
    resetTokenizer();
    consoleStream = &console;
    ASSERT_TRUE(outputFile.open("t.vcl"));
  }
  void TearDown() override {
    consoleStream = nullptr;
    outputFile.close();
  }

  // Runs one RUNTEST statement the way the driver hands it over; returns what it
  // printed when it stopped the run, empty when it ran through.
  std::string run(const std::string& statement) {
    lastCommandLine = statement;
    std::string_view rest = lastCommandLine, command, parameter;
    nextPair(rest, command, parameter);
    console.str("");
    try {
      handleRunTest(parameter, rest);
    } catch (const RunStopped&) {
      return console.str();
    }
    leftover = std::string(rest);
    return {};
  }

  static std::string stop(const std::string& message, const std::string& statement) {
    return "\n" + message + "\nCOMMAND LINE WAS: " + statement + "\n";
  }

  static bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
  }

  // What the statements wrote since the last call.
  std::string written() {
    outputFile.close();
    std::string text = sandbox.read("t.vcl");
    EXPECT_TRUE(outputFile.open("t.vcl"));
    return text;
  }

  Sandbox sandbox;
  std::ostringstream console;
  std::string leftover;
};

TEST_F(StateCommands, RuntestTakesAWholeCountAndAClockWordOnly) {
  const std::vector<std::string> refused = {
      "RUNTEST 1.0E3 TCK",         "RUNTEST 12a TCK", "RUNTEST + TCK",   "RUNTEST 0x10 TCK",
      "RUNTEST IDLE 100 TCK",      "RUNTEST 100 Tck", "RUNTEST 100 SEC", "RUNTEST 100 1.0E-3 SEC",
      "RUNTEST 100 ENDSTATE IDLE",  // the clock word left out
  };
  for (const std::string& statement : refused) {
    currentState = DRPAUSE;
    EXPECT_EQ(run(statement), stop("Unsupported RUNTEST form!", statement));
    EXPECT_EQ(written(), "") << statement;
    EXPECT_EQ(currentState, DRPAUSE) << statement;
  }
  for (const char* statement : {"RUNTEST +3 TCK", "RUNTEST 007 tck", "RUNTEST 0 SCK",
                                "RUNTEST 4 sck", "RUNTEST -0 TCK", "RUNTEST 9"}) {
    EXPECT_EQ(run(statement), "") << statement;
    EXPECT_EQ(currentState, IDLE) << statement;
  }
}

TEST_F(StateCommands, RuntestChecksFormThenSignThenLimitThenRunState) {
  const char* const form = "Unsupported RUNTEST form!";
  const char* const negative = "Invalid clock count on RUNTEST!";
  const char* const missing = "RUNTEST end state is missing!";
  const struct {
    bool convert;
    const char *statement, *message;  // null: the clock limit
  } cases[] = {
      {false, "RUNTEST -5 SEC", form},
      {false, "RUNTEST 51 SEC", form},
      {false, "RUNTEST -5 TCK", negative},
      {true, "RUNTEST -1 TCK", negative},
      {false, "RUNTEST 51 TCK ENDSTATE", nullptr},
      {false, "RUNTEST 50 TCK ENDSTATE", missing},
      {true, "RUNTEST 5000000 TCK ENDSTATE", missing},
  };
  settings.vectLimit = 100;
  for (const auto& c : cases) {
    settings.convertRuntest = c.convert;
    currentState = DRPAUSE;
    EXPECT_EQ(run(c.statement), c.message
                                    ? stop(c.message, c.statement)
                                    : "The number of clocks on RUNTEST command is too large!\n"
                                      "Max number allowed is 50 !\n");
    EXPECT_EQ(written(), "") << c.statement;
    EXPECT_EQ(vectorCount, 0) << c.statement;
  }
}

TEST_F(StateCommands, RunStateIsTheSecondWordAfterTheClockWordForThisStatementOnly) {
  settings.convertRuntest = false;
  currentState = IDLE;
  ASSERT_EQ(run("RUNTEST 2 TCK ANYWORD DRPAUSE SIR 8"), "");
  EXPECT_EQ(currentState, DRPAUSE);
  EXPECT_EQ(leftover, "SIR 8") << "words after the run state are the next pairs";
  EXPECT_TRUE(endsWith(written(), "\"00ZX\" \n\"10ZX\" !Pause-DR  \n"));
  ASSERT_EQ(run("runtest 1 tck endstate irpause"), "");
  EXPECT_EQ(currentState, IRPAUSE);
  ASSERT_EQ(run("RUNTEST 1 TCK"), "");
  EXPECT_EQ(currentState, IDLE);
  EXPECT_TRUE(endsWith(written(), "\"00ZX\" \n\"10ZX\" !Run-Test-Idle  \n"));
}

TEST_F(StateCommands, IdleRunsOfTheRetryLoopKeepTheLastRuntestCount) {
  ASSERT_EQ(run("RUNTEST 2500 TCK"), "");
  EXPECT_EQ(lastRunTestCount, 2500u) << "kept also when the clocks become a wait";
  currentState = DRPAUSE;
  runIdleClocks(7);
  EXPECT_EQ(lastRunTestCount, 2500u);
  EXPECT_TRUE(endsWith(written(), "!Run-Test-Idle  \nend pcf\nwait 7u\npcf\nuse pcf order Scan\n"));
}

}  // namespace
}  // namespace vantrel::testing
