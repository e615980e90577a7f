// A bit's comment carries its number, counted up in place from the last
// one: the number gains a digit at 10, 100 and 1000.
#include <gtest/gtest.h>

#include <regex>

#include "support/sandbox.h"

namespace vantrel::testing {
namespace {

TEST(BitComments, NumberEveryBitOfALongScanInTurn) {
  const Translation run = translate("SDR 1200 TDI (0);\n");
  std::string numbers, expected;
  const std::regex comment("!(Shift|Exit1)-DR SDR bit (\\S*) ");
  for (const auto& [name, text] : run.outputs)
    for (auto match = std::sregex_iterator(text.begin(), text.end(), comment);
         match != std::sregex_iterator(); ++match)
      numbers += (*match)[2].str() + " ";
  for (int bit = 0; bit < 1200; ++bit) expected += std::to_string(bit) + " ";
  EXPECT_EQ(numbers, expected);
}

}  // namespace
}  // namespace vantrel::testing
