// Reading whole SVF statements: comments, line joining, echo into the VCL file.
#include "svf/statement_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "driver/console.h"
#include "driver/run_stop.h"
#include "driver/settings.h"
#include "support/sandbox.h"
#include "svf/tokenizer.h"
#include "vcl/output_files.h"

namespace vantrel::testing {
namespace {

using Statements = std::vector<std::string>;
using Cases = std::vector<std::pair<std::string, Statements>>;

class Reader : public ::testing::Test {
 protected:
  void SetUp() override {
    resetStatementReader();
    resetTokenizer();
    settings = Settings{};
    consoleStream = &console;
    ASSERT_TRUE(outputFile.open("echo.vcl"));
  }
  void TearDown() override {
    outputFile.close();
    resetStatementReader();
    consoleStream = nullptr;
  }
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
  void expectAll(const Cases& cases) {
    for (const auto& [svf, statements] : cases) EXPECT_EQ(readAll(svf), statements) << svf;
  }
  std::string echo() {
    outputFile.close();
    return sandbox.read("echo.vcl");
  }

  Sandbox sandbox;
  std::ostringstream console;
};

// Lines are joined with a space only where a keyword meets its neighbour, so
// hexadecimal data broken over lines joins back without gaps.
TEST_F(Reader, JoinsLinesAtKeywordBoundaries) {
  expectAll({
      {"SDR 16 TDI (A5\n5A);\n", {"SDR 16 TDI (A55A)"}},
      {"SDR 8 TDI (FE\nED);\n", {"SDR 8 TDI (FEED)"}},
      {"SDR 8 TDI (0\nD);\n", {"SDR 8 TDI (0D)"}},
      // A line ending in a keyword letter keeps a space after every later line.
      {"SDR 16 TDI\n(A55A);\n", {"SDR 16 TDI (A55A) "}},
      // An "E" after a "T" ends a keyword too (STATE), when it is not the first character.
      {"ENDSTATE\nIDLE;\n", {"ENDSTATE IDLE "}},
      {"state\nidle;\n", {"state idle "}},
      {"PIOMAP (IN A\nOUT B);\n", {"PIOMAP (IN A OUT B) "}},
      // A line beginning with a keyword keeps a space before it.
      {"SIR 8 TDI (01)\nTDO (02)\nmask (03);\n", {"SIR 8 TDI (01) TDO (02) mask (03)"}},
      {"STATE IDLE\nDRPAUSE;\n", {"STATE IDLE DRPAUSE"}},
      {"RUNTEST 10\nENDSTATE IDLE;\n", {"RUNTEST 10 ENDSTATE IDLE"}},
      // Blanks around each line and DOS line ends are dropped.
      {"  SDR 8\t\n\tTDI (01)  ;  \n", {"SDR 8 TDI (01)"}},
      {"SDR 8\r\nTDI (01);\r\n", {"SDR 8 TDI (01)"}},
      {";\n", {""}},
  });
}

TEST_F(Reader, StripsComments) {
  expectAll({
      {"! only\n\n   // indented\n\t! tab\nFOO 1;\n", {"FOO 1"}},
      // A ";" inside a comment ends nothing.
      {"SDR 8 TDI (00) ! last; next\nTDO (FF);\n", {"SDR 8 TDI (00) TDO (FF)"}},
      // The comment starts at whichever mark comes first.
      {"SDR 8 // see ! there\nTDI (1);\n", {"SDR 8 TDI (1)"}},
      {"SIR 8 ! a // b\nTDI (1);\n", {"SIR 8 TDI (1)"}},
      // After a ";" a single "/" is enough to start a comment.
      {"SIR 8 TDI (01); ! done\nFOO 1;// x\nBAR 2; /x\n", {"SIR 8 TDI (01)", "FOO 1", "BAR 2"}},
  });
}

TEST_F(Reader, SeveralStatementsOnOneLine) {
  expectAll({
      {"SIR 8 TDI (01); SDR 8 TDI (00);\n", {"SIR 8 TDI (01)", "SDR 8 TDI (00)"}},
      // The rest of the line keeps its comment and may continue on the next line.
      {"FOO 1;\tSDR 8 ! c; x\nTDI (1);\n", {"FOO 1", "SDR 8 TDI (1)"}},
      {"A; B; C;", {"A", "B", "C"}},
      {";;\n", {"", ""}},
  });
  // The shared line is echoed once.
  EXPECT_EQ(echo(),
            "! SIR 8 TDI (01); SDR 8 TDI (00);\n! FOO 1;\tSDR 8 ! c; x\n! TDI (1);\n"
            "! A; B; C;\n! ;;\n");
}

// A restart reads the input again from its first line; the rest of a line
// read before the restart is not taken.
TEST_F(Reader, RewindForgetsTheRestOfTheLine) {
  open("A 1; B 2;\nC 3;\n");
  std::string statement;
  ASSERT_TRUE(readStatement(statement));
  EXPECT_EQ(statement, "A 1");
  rewindInput();
  ASSERT_TRUE(readStatement(statement));
  EXPECT_EQ(statement, "A 1");
}

TEST_F(Reader, EchoesEveryInputLineWhenCommentsAreOn) {
  const std::string svf = "! head\n\n  SIR 8; SDR 8;\nFOO;";
  for (int mode : {0, 1, 2}) {
    settings.commentMode = mode;
    ASSERT_TRUE(outputFile.open("echo.vcl"));
    readAll(svf);
    // Blank lines echo as "! " alone; the last line gets a line end.
    EXPECT_EQ(echo(), mode == 0 ? "" : "! ! head\n! \n!   SIR 8; SDR 8;\n! FOO;\n") << mode;
  }
}

TEST_F(Reader, LongLinesAreReadWhole) {
  const std::string comment = "! " + std::string(300, 'x') + "; TDI";
  const std::string hex(400, 'A');
  EXPECT_EQ(readAll(comment + "\nSDR 1600 TDI (" + hex + ");\n"),
            Statements{"SDR 1600 TDI (" + hex + ")"});
  EXPECT_EQ(echo(), "! " + comment + "\n! SDR 1600 TDI (" + hex + ");\n");
}

// An ID-code read is never retried; the flag follows the last comment or
// blank line, whatever statements come between.
TEST_F(Reader, IdcodeCommentFollowsLastCommentOrBlankLine) {
  open("// read idcode\nA;\nB; C;\n! IDCODE\nD;\n! idcode\n\nE;\n");
  const std::pair<const char*, bool> expected[] = {
      {"A", true}, {"B", true}, {"C", true}, {"D", false}, {"E", false}};
  std::string statement;
  for (const auto& [text, idcode] : expected) {
    ASSERT_TRUE(readStatement(statement));
    EXPECT_EQ(statement, text);
    EXPECT_EQ(idcodeComment, idcode) << text;
  }
  EXPECT_FALSE(readStatement(statement));
}

TEST_F(Reader, VeryVerbosePrintsEachStatementLine) {
  const std::string svf = "! c\n\n  SIR 8 ! x\nTDI (1); FOO;\n";
  settings.verbosity = 2;
  readAll(svf);
  EXPECT_EQ(console.str(), "");

  settings.verbosity = 3;
  readAll(svf);
  EXPECT_EQ(console.str(), "SIR 8 ! x\nTDI (1); FOO;\nFOO;\n");

  // A last line without a line end still ends its console line, so that the
  // next message does not run on from it.
  console.str("");
  readAll("BAR;");
  EXPECT_EQ(console.str(), "BAR;\n");
}

TEST_F(Reader, EndOfInputInsideStatementStopsTheRun) {
  EXPECT_EQ(readAll("A;\n! end\n\n  \n"), Statements{"A"});
  EXPECT_EQ(console.str(), "");

  EXPECT_THROW(readAll("SDR 8\nTDI (01) ! no end\n! trailing\n"), RunStopped);
  EXPECT_EQ(console.str(),
            "\nEnd of input file reached inside a statement!\n"
            "The last line read from input file was : \n\n"
            "   SDR 8 TDI (01) \n\n");
}

}  // namespace
}  // namespace vantrel::testing
