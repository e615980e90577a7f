// The check passes over a bit's commented line by looking for its end where
// the last such line ended. A line feed before that place, or a line that
// goes on past the bytes read so far, must still end the line where it does.
#include "check/known_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

TEST(KnownLines, ALineEndsAtItsFirstLineFeedWhateverTheLastOneWasLong) {
  const std::string start = "\"1\" !";
  for (size_t length = 1; length <= 40; ++length) {
    const std::string comment(length, 'c');
    for (size_t feed = 0; feed < length; ++feed) {
      std::string cut = comment;
      cut[feed] = '\n';
      const std::string bytes = start + comment + "\n" + start + cut + "\n";
      KnownLines lines(bytes.data(), bytes.data() + bytes.size(), 0);
      ASSERT_TRUE(lines.skipStartingWith(start));  // learns where such a line ends
      ASSERT_TRUE(lines.skipStartingWith(start));
      EXPECT_EQ(static_cast<size_t>(lines.at() - bytes.data()),
                2 * start.size() + length + 1 + feed + 1)
          << "a comment of " << length << " with a line feed at " << feed;
    }
    // The same length again ends where the bytes do; a line cut off before
    // its line feed is not taken.
    const std::string bytes = start + comment + "\n" + start + comment + "\n";
    KnownLines whole(bytes.data(), bytes.data() + bytes.size(), 0);
    ASSERT_TRUE(whole.skipStartingWith(start) && whole.skipStartingWith(start));
    EXPECT_EQ(whole.at(), bytes.data() + bytes.size());
    KnownLines cutOff(bytes.data(), bytes.data() + bytes.size() - 1, 0);
    ASSERT_TRUE(cutOff.skipStartingWith(start));
    const char* before = cutOff.at();
    EXPECT_FALSE(cutOff.skipStartingWith(start)) << "a comment of " << length;
    EXPECT_EQ(cutOff.at(), before);
  }
}

}  // namespace
}  // namespace vantrel
