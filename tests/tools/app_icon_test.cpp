// The Windows program's icon: an .ico directory that Windows can read, with
// the sun at every size it shows, each a PNG; and the shrinking that makes
// the small sizes, which must not darken a colour next to clear pixels.

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>

#include "app_icon.h"
#include "sun.h"

namespace {

unsigned littleEndian(const std::string& bytes, size_t at, int size) {
  unsigned value = 0;
  for (int i = size - 1; i >= 0; --i) value = value * 256 + uint8_t(bytes[at + size_t(i)]);
  return value;
}

}  // namespace

TEST(AppIcon, TheDirectoryListsEverySizeAsAPngWhereItSays) {
  std::string icon = encodeIcon(paintSun());
  ASSERT_GT(icon.size(), 6u);
  EXPECT_EQ(littleEndian(icon, 0, 2), 0u);
  EXPECT_EQ(littleEndian(icon, 2, 2), 1u);  // an icon
  ASSERT_EQ(littleEndian(icon, 4, 2), std::size(kIconSizes));
  size_t end = 6 + 16 * std::size(kIconSizes);
  for (size_t i = 0; i < std::size(kIconSizes); ++i) {
    size_t entry = 6 + 16 * i;
    SCOPED_TRACE(kIconSizes[i]);
    EXPECT_EQ(littleEndian(icon, entry, 1), unsigned(kIconSizes[i] % 256));  // 0 is 256
    EXPECT_EQ(littleEndian(icon, entry + 6, 2), 32u);
    size_t size = littleEndian(icon, entry + 8, 4), offset = littleEndian(icon, entry + 12, 4);
    EXPECT_EQ(offset, end);
    ASSERT_LE(offset + size, icon.size());
    EXPECT_EQ(icon.substr(offset, 8), "\x89PNG\r\n\x1a\n");
    // The PNG's own header gives its width, big-endian, at byte 16.
    EXPECT_EQ(uint8_t(icon[offset + 18]) * 256 + uint8_t(icon[offset + 19]), kIconSizes[i]);
    end = offset + size;
  }
  EXPECT_EQ(end, icon.size());
}

TEST(AppIcon, ShrinkingAveragesCoverAndKeepsTheColourBesideClearPixels) {
  canvas picture(4, 4, kClear);
  // The top-left quarter is solid orange, one more pixel half-covered white.
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) picture.at(x, y) = {1, 0.5f, 0, 1};
  picture.at(2, 0) = {1, 1, 1, 0.5f};
  canvas small = shrinkPicture(picture, 2);
  struct expected {
    int x, y;
    colour c;
  } cases[] = {
      {0, 0, {1, 0.5f, 0, 1}},
      {1, 0, {1, 1, 1, 0.125f}},
      {0, 1, kClear},
      {1, 1, kClear},
  };
  for (const expected& e : cases) {
    SCOPED_TRACE(std::to_string(e.x) + "," + std::to_string(e.y));
    const colour& c = small.at(e.x, e.y);
    EXPECT_FLOAT_EQ(c.r, e.c.r);
    EXPECT_FLOAT_EQ(c.g, e.c.g);
    EXPECT_FLOAT_EQ(c.b, e.c.b);
    EXPECT_FLOAT_EQ(c.a, e.c.a);
  }
}
