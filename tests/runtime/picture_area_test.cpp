// The picture keeps its 16:9 shape in a framebuffer of any size: it fills
// the side that limits it, is centred on the other, and at 1280 x 720 it is
// the whole window.

#include <gtest/gtest.h>

#include "runtime/picture_area.h"

TEST(PictureArea, LargestCentredSixteenByNineThatFits) {
  const struct {
    int width, height;
    pictureArea expected;
  } cases[] = {
      {1280, 720, {0, 0, 1280, 720}},      {1920, 1080, {0, 0, 1920, 1080}},
      {1024, 768, {0, 96, 1024, 576}},     {2560, 1080, {320, 0, 1920, 1080}},
      {720, 1280, {0, 437, 720, 405}},     {1281, 720, {0, 0, 1280, 720}},
      {1280, 721, {0, 0, 1280, 720}},      {1, 1, {0, 0, 1, 0}},
  };
  for (const auto& c : cases) {
    pictureArea area = fitPicture(c.width, c.height);
    EXPECT_EQ(area.x, c.expected.x) << c.width << " x " << c.height;
    EXPECT_EQ(area.y, c.expected.y) << c.width << " x " << c.height;
    EXPECT_EQ(area.width, c.expected.width) << c.width << " x " << c.height;
    EXPECT_EQ(area.height, c.expected.height) << c.width << " x " << c.height;
  }
}
