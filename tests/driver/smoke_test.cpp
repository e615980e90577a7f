#include <gtest/gtest.h>

#include "support/sandbox.h"

namespace vantrel::testing {
namespace {

TEST(Smoke, EmptyInputMakesOneFile) {
  Translation t = translate("");
  EXPECT_EQ(t.status, 1);
  EXPECT_NE(t.console.find("Translation Successful 1 file generated.\n"), std::string::npos);
  ASSERT_EQ(t.outputs.count("out.v01"), 1u);
}

}  // namespace
}  // namespace vantrel::testing
