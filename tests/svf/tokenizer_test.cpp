// Taking SVF statements apart into command/parameter pairs.
#include "svf/tokenizer.h"

#include <gtest/gtest.h>

#include "support/sandbox.h"

namespace vantrel::testing {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs allPairs(std::string_view text) {
  Pairs pairs;
  std::string_view command, parameter;
  while (nextPair(text, command, parameter)) pairs.emplace_back(command, parameter);
  return pairs;
}

TEST(Tokenizer, SplitsStatementsIntoPairs) {
  const std::pair<const char*, Pairs> cases[] = {
      // Tabs separate words; the inside of parentheses keeps its inner blanks.
      {"SIR\t8\tTDI\t( A5 5A )", {{"SIR", "8"}, {"TDI", "A5 5A"}}},
      // An empty value is an empty parameter; tokens keep their case.
      {"tdi () Mask (ff)", {{"tdi", ""}, {"Mask", "ff"}}},
      // A ")" does not end a bare word; a stray ")" where a token starts is skipped.
      {") SDR 8) TDI (1)", {{"SDR", "8)"}, {"TDI", "1"}}},
      // A value runs to the first ")": parentheses do not nest.
      {"TDI ((A5) 5A) SDR 8", {{"TDI", "(A5"}, {"5A)", "SDR"}}},
      // A command word with nothing after it is not a pair.
      {"SDR 8 TDI", {{"SDR", "8"}}},
      {"  \t ", {}},
  };
  for (const auto& [statement, pairs] : cases) {
    resetTokenizer();
    EXPECT_EQ(allPairs(statement), pairs) << statement;
  }
}

TEST(Tokenizer, LeavesUntakenTextForTheHandler) {
  // STATE reads its path from the text left after its first pair.
  resetTokenizer();
  std::string_view text = "STATE DRPAUSE IDLE", command, parameter;
  ASSERT_TRUE(nextPair(text, command, parameter));
  EXPECT_EQ(text, "IDLE");
  text = {};
  // An empty text gives no pair and leaves both slots as they were.
  command = parameter = "old";
  EXPECT_FALSE(nextPair(text, command, parameter));
  EXPECT_EQ(std::string(command) + std::string(parameter), "oldold");
  // Only blanks and parentheses: both token reads happen and find nothing.
  text = " ( ";
  EXPECT_FALSE(nextPair(text, command, parameter));
  EXPECT_TRUE(command.empty() && parameter.empty() && text.empty());
}

TEST(Tokenizer, UnclosedValueCarriesIntoNextTextUntilReset) {
  resetTokenizer();
  EXPECT_EQ(allPairs("SDR 8 TDI (A5"), (Pairs{{"SDR", "8"}, {"TDI", "A5"}}));
  EXPECT_EQ(allPairs("SIR 8) TDI (1)"), (Pairs{{"SIR 8", "TDI"}}));
  // The translator resets the tokenizer for every statement.
  Translation t = translate("FOO (1;\nBAR 2;\n", {"-V"});
  EXPECT_NE(t.console.find("\ncommand: BAR\tparameter: 2\n\n"), std::string::npos) << t.console;
}

}  // namespace
}  // namespace vantrel::testing
