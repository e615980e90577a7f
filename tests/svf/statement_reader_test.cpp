// Reading whole SVF statements: comments and line joining. The golden cases
// pin the echo, the line numbers, the ID-code flag and the verbose console.
#include "svf/statement_reader.h"

#include <gtest/gtest.h>

#include "base/statement.h"
#include "support/translator_state.h"

namespace vantrel::testing {
namespace {

using Statements = std::vector<std::string>;

class Reader : public TranslatorState {
 protected:
  void open(const std::string& svf) {
    sandbox.write("input.svf", svf);
    ASSERT_TRUE(svfInput.open("input.svf"));
  }
  Statements readAll(const std::string& svf) {
    open(svf);
    Statements statements;
    std::string statement;
    while (readStatement(statement)) statements.push_back(statement);
    return statements;
  }
};

// Lines are joined with a space only where a keyword meets its neighbour, so
// hexadecimal data broken over lines joins back without gaps.
TEST_F(Reader, JoinsLinesAndStripsComments) {
  const std::pair<const char*, Statements> cases[] = {
      {"SDR 8 TDI (FE\nED);\n", {"SDR 8 TDI (FEED)"}},
      {"SDR 8 TDI (0\nD);\n", {"SDR 8 TDI (0D)"}},
      // An "E" after a "T" ends a keyword (STATE): a space follows, and
      // follows every later line of the statement.
      {"state\nidle;\n", {"state idle "}},
      // A line beginning with a keyword keeps a space before it.
      {"SIR 8 TDI (01)\nTDO (02)\nmask (03);\n", {"SIR 8 TDI (01) TDO (02) mask (03)"}},
      {"STATE IDLE\nDRPAUSE;\n", {"STATE IDLE DRPAUSE"}},
      {"RUNTEST 10\nENDSTATE IDLE;\n", {"RUNTEST 10 ENDSTATE IDLE"}},
      {"  SDR 8\t\n\tTDI (01)  ;  \n", {"SDR 8 TDI (01)"}},
      // The comment starts at whichever mark comes first.
      {"SDR 8 // see ! there\nTDI (1);\n", {"SDR 8 TDI (1)"}},
      {"SIR 8 ! a // b\nTDI (1);\n", {"SIR 8 TDI (1)"}},
      // The rest of a line after a ";" keeps its comment and may go on.
      {"FOO 1;\tSDR 8 ! c; x\nTDI (1);\n", {"FOO 1", "SDR 8 TDI (1)"}},
  };
  for (const auto& [svf, statements] : cases) EXPECT_EQ(readAll(svf), statements) << svf;
}

}  // namespace
}  // namespace vantrel::testing
