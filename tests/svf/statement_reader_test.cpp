// Reading whole SVF statements: comments, line joining, the ID-code flag,
// restarts and the very verbose console lines.
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

// A restart reads the input again from its first line; the rest of a line
// read before the restart is not taken.
TEST_F(Reader, RewindForgetsTheRestOfTheLine) {
  open("A 1; B 2;\nC 3;\n");
  std::string statement;
  ASSERT_TRUE(readStatement(statement));
  rewindInput();
  ASSERT_TRUE(readStatement(statement));
  EXPECT_EQ(statement, "A 1");
}

// Reports name the line of a statement's first character: not the comment
// and blank lines before it, the first of the lines it spreads over, the same
// line for a second statement on it. LF, CR LF and a lone CR each end a line;
// a restart counts from 1 again.
TEST_F(Reader, StatementLineIsTheLineOfItsFirstCharacter) {
  open("A;\r\n! c\r\rB\n1;\rC; D\n;\n");
  std::string statement;
  for (const char* expected : {"A 1", "B1 4", "C 6", "D 6"}) {
    ASSERT_TRUE(readStatement(statement));
    EXPECT_EQ(statement + " " + std::to_string(statementLine), expected);
  }
  rewindInput();
  ASSERT_TRUE(readStatement(statement));
  EXPECT_EQ(statementLine, 1);
}

// An ID-code read is never retried; the flag follows the last comment or
// blank line, whatever statements come between.
TEST_F(Reader, IdcodeCommentFollowsLastCommentOrBlankLine) {
  open("// read idcode\nA;\nB; C;\n! IDCODE\nD;\n! idcode\n\nE;\n");
  std::string statement;
  for (const char* expected : {"A1", "B1", "C1", "D0", "E0"}) {
    ASSERT_TRUE(readStatement(statement));
    EXPECT_EQ(statement + (idcodeComment ? "1" : "0"), expected);
  }
}

// -VV prints each statement line (pinned by a golden case); a last line
// without a line end still ends its console line.
TEST_F(Reader, VeryVerboseEndsALastLineWithoutLineEnd) {
  settings.verbosity = 3;
  readAll("BAR;");
  EXPECT_EQ(said(), "BAR;\n");
}

}  // namespace
}  // namespace vantrel::testing
