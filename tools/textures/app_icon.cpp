#include "app_icon.h"

#include <cstdint>
#include <iterator>

namespace {

constexpr int kIconBitsPerPixel = 32;

// Appends the value's lowest `size` bytes, lowest first, as .ico files store numbers.
void putLittleEndian(std::string* bytes, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes->push_back(char((value >> (8 * i)) & 0xff));
}

}  // namespace

canvas shrinkPicture(const canvas& picture, int size) {
  canvas small(size, size, kClear);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      int left = x * picture.width / size, right = (x + 1) * picture.width / size;
      int top = y * picture.height / size, bottom = (y + 1) * picture.height / size;
      colour sum = kClear;
      for (int v = top; v < bottom; ++v) {
        for (int u = left; u < right; ++u) sum = addWeighted(sum, picture.at(u, v));
      }
      small.at(x, y) = weightedMean(sum, float((right - left) * (bottom - top)));
    }
  }
  return small;
}

std::string encodeIcon(const canvas& sun) {
  constexpr int count = int(std::size(kIconSizes));
  std::string images[count];
  for (int i = 0; i < count; ++i) {
    images[i] = encodePng(shrinkPicture(sun, kIconSizes[i]));
    if (images[i].empty()) return "";
  }
  // The directory: a 6-byte header, then a 16-byte entry for each image,
  // then the images. A width or height of 0 means 256.
  std::string icon;
  putLittleEndian(&icon, 0, 2);
  putLittleEndian(&icon, 1, 2);  // an icon, not a cursor
  putLittleEndian(&icon, count, 2);
  uint32_t offset = 6 + 16 * count;
  for (int i = 0; i < count; ++i) {
    putLittleEndian(&icon, kIconSizes[i] % 256, 1);
    putLittleEndian(&icon, kIconSizes[i] % 256, 1);
    putLittleEndian(&icon, 0, 2);  // no palette
    putLittleEndian(&icon, 1, 2);  // colour planes
    putLittleEndian(&icon, kIconBitsPerPixel, 2);
    putLittleEndian(&icon, uint32_t(images[i].size()), 4);
    putLittleEndian(&icon, offset, 4);
    offset += uint32_t(images[i].size());
  }
  for (const std::string& image : images) icon += image;
  return icon;
}
