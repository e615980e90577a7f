// RUNTEST without -STDSVF: the words it takes (count, clock word, run state)
// and which of its checks comes first. The golden cases pin its vectors, waits
// and reports.
#include "tap/state_commands.h"

#include <gtest/gtest.h>

#include "base/statement.h"
#include "support/translator_state.h"

namespace vantrel::testing {
namespace {

class StateCommands : public TranslatorState {
 protected:
  // Runs one RUNTEST statement the way the driver hands it over; returns the
  // first line of the report that stopped the run, empty when it ran through.
  std::string run(const std::string& statement) {
    lastCommandLine = statement;
    std::string_view command, parameter;
    rest = lastCommandLine;
    nextPair(rest, command, parameter);
    said();
    try {
      handleRunTest(parameter, rest);
    } catch (const RunStopped&) {
      const std::string text = said();
      const size_t start = text.find_first_not_of('\n');
      return text.substr(start, text.find('\n', start) - start);
    }
    return {};
  }
  std::string_view rest;
};

// The form is checked first (a whole count, then TCK or SCK, which ENDSTATE
// cannot stand in for), then the sign, then the clock limit (half the vector
// limit, only for clocks not converted to a wait), then the run state. A
// refused RUNTEST writes nothing and leaves the controller where it was.
TEST_F(StateCommands, RuntestChecksFormThenSignThenLimitThenRunState) {
  const std::string form = "Unsupported RUNTEST form!", sign = "Invalid clock count on RUNTEST!",
                    limit = "The number of clocks on RUNTEST command is too large!",
                    missing = "RUNTEST end state is missing!";
  const std::pair<std::string, std::vector<const char*>> cases[] = {
      {form,
       {"RUNTEST 12a TCK", "RUNTEST + TCK", "RUNTEST 0x10 TCK", "RUNTEST 100 Tck",
        "RUNTEST 100 ENDSTATE IDLE", "RUNTEST -5 SEC", "RUNTEST 51 SEC"}},
      {sign, {"RUNTEST -5 TCK"}},
      {limit, {"RUNTEST 51 TCK ENDSTATE"}},
      {missing, {"RUNTEST 50 TCK ENDSTATE"}},
      {"", {"RUNTEST 007 tck", "RUNTEST 4 sck", "RUNTEST -0 TCK"}}};
  settings.vectLimit = 100;
  settings.convertRuntest = false;
  for (const auto& [report, statements] : cases) {
    for (const char* statement : statements) {
      currentState = DRPAUSE;
      EXPECT_EQ(run(statement), report) << statement;
      EXPECT_EQ(currentState, report.empty() ? IDLE : DRPAUSE) << statement;
      EXPECT_EQ(take().empty(), !report.empty()) << statement;
    }
  }
  settings.convertRuntest = true;
  EXPECT_EQ(run("RUNTEST -1 TCK"), sign);
  EXPECT_EQ(run("RUNTEST 5000000 TCK ENDSTATE"), missing);
}

}  // namespace
}  // namespace vantrel::testing
