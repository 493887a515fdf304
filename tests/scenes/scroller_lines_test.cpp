// The scroller's lines keep their shapes: three role groups with their
// handle counts and spacing, and a greetings line of 159 characters in 163
// bytes of UTF-8 that ends with a smiley.

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "scenes/scroller_lines.h"

namespace {

// Characters of a UTF-8 string: every byte that does not continue a sequence.
size_t utf8Length(const std::string& text) {
  size_t count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80;
  return count;
}

}  // namespace

TEST(ScrollerLines, CreditsLineHasItsThreeGroups) {
  std::string credits = kCreditsLine;
  EXPECT_EQ(credits.size(), 56u);
  // A handle is one or more printable characters other than space and slash.
  const std::string h = "[!-.0-~]+";
  EXPECT_TRUE(std::regex_match(credits, std::regex("Code " + h + "/" + h + "/" + h + "   GFX " + h + "/" + h +
                                                   "  Music " + h)))
      << credits;
  for (unsigned char c : credits) EXPECT_LT(c, 0x80);
}

TEST(ScrollerLines, GreetingsLineIsUtf8WithFourTwoByteLetters) {
  std::string greetings = kGreetingsLine;
  EXPECT_EQ(greetings.size(), 163u);
  EXPECT_EQ(utf8Length(greetings), 159u);
  int twoByteLeads = 0;
  for (unsigned char c : greetings) twoByteLeads += (c & 0xE0) == 0xC0;
  EXPECT_EQ(twoByteLeads, 4);
  EXPECT_EQ(greetings.substr(greetings.size() - 3), ":D ");
}
