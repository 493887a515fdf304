#include "flash_picture.h"

#include <cstdio>

#include "screen_cells.h"
#include "shell_word.h"

namespace {

constexpr float kDimmed = 0.35f;
constexpr float kMarkStrength = 0.75f;
constexpr unsigned char kFailing[3] = {255, 40, 40};
constexpr unsigned char kTwoOrThree[3] = {255, 190, 0};

void blend(unsigned char* pixel, const unsigned char* mark, float amount) {
  for (int i = 0; i < 3; ++i) pixel[i] = (unsigned char)(pixel[i] + (mark[i] - pixel[i]) * amount + 0.5f);
}

void outline(std::vector<unsigned char>& picture, const screenField& field) {
  auto white = [&picture](int x, int y) {
    if (x < 0 || y < 0 || x >= kScreenWidth || y >= kScreenHeight) return;
    unsigned char* p = &picture[(size_t(y) * kScreenWidth + x) * 3];
    p[0] = p[1] = p[2] = 255;
  };
  for (int i = 0; i < 2; ++i) {
    for (int x = field.x; x < field.x + field.width; ++x) {
      white(x, field.y + i);
      white(x, field.y + field.height - 1 - i);
    }
    for (int y = field.y; y < field.y + field.height; ++y) {
      white(field.x + i, y);
      white(field.x + field.width - 1 - i, y);
    }
  }
}

}  // namespace

bool writeFlashPicture(const std::string& path, const std::vector<unsigned char>& rgb,
                       const std::vector<int>& flashesByCell, const screenField& field) {
  std::vector<unsigned char> picture(rgb);
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x) {
      unsigned char* p = &picture[(size_t(y) * kScreenWidth + x) * 3];
      for (int i = 0; i < 3; ++i) p[i] = (unsigned char)(p[i] * kDimmed);
      int flashes = flashesByCell[size_t(y / kCellSide) * kCellColumns + x / kCellSide];
      if (flashes > kMostFlashesASecond) blend(p, kFailing, kMarkStrength);
      else if (flashes >= kFewestHeldFlashesASecond) blend(p, kTwoOrThree, kMarkStrength);
    }
  if (field.width > 0) outline(picture, field);
  std::string command = "ffmpeg -v error -y -f rawvideo -pix_fmt rgb24 -s " + std::to_string(kScreenWidth) + "x" +
                        std::to_string(kScreenHeight) + " -i - -frames:v 1 " + shellWord(path);
  FILE* ffmpeg = popen(command.c_str(), "w");
  if (!ffmpeg) return false;
  bool written = fwrite(picture.data(), 1, picture.size(), ffmpeg) == picture.size();
  return pclose(ffmpeg) == 0 && written;
}
