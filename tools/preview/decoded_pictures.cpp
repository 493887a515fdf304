#include "decoded_pictures.h"

#include <algorithm>
#include <cstring>

namespace {

size_t pixelBytes(gdImagePtr image) { return size_t(gdImageSX(image)) * size_t(gdImageSY(image)) * 4; }

}  // namespace

decodedPictures::~decodedPictures() {
  for (decodedPicture& picture : kept) gdImageDestroy(picture.image);
}

gdImagePtr decodedPictures::decode(int size, void* bytes, pngDecoder decoder) {
  ++uses;
  for (decodedPicture& picture : kept) {
    if (picture.bytes.size() != size_t(size) || memcmp(picture.bytes.data(), bytes, size_t(size)) != 0) continue;
    picture.lastUse = uses;
    return gdImageClone(picture.image);
  }
  gdImagePtr image = decoder(size, bytes);
  if (!image) return nullptr;
  gdImagePtr copy = gdImageClone(image);
  if (!copy) return image;
  kept.push_back({std::string(static_cast<const char*>(bytes), size_t(size)), copy, uses});
  size_t total = 0;
  for (const decodedPicture& picture : kept) total += pixelBytes(picture.image);
  while (total > mostBytes && kept.size() > 1) {
    auto oldest = std::min_element(kept.begin(), kept.end(), [](const decodedPicture& a, const decodedPicture& b) {
      return a.lastUse < b.lastUse;
    });
    total -= pixelBytes(oldest->image);
    gdImageDestroy(oldest->image);
    kept.erase(oldest);
  }
  return image;
}
