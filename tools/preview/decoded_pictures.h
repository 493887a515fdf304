#pragma once
// The pictures the show's toolkit decodes, kept across reloads of the
// show's code: each new version reads the same PNG files again, and
// decoding them took a tenth of a second of every reload. A picture is
// kept by its file's bytes, so one that was edited is decoded anew, and
// each call hands out a copy, which the toolkit destroys when done.

#include <gd.h>

#include <cstddef>
#include <string>
#include <vector>

using pngDecoder = gdImagePtr (*)(int size, void* bytes);

class decodedPicture {
 public:
  std::string bytes;  // the file it was decoded from
  gdImagePtr image = nullptr;
  unsigned long lastUse = 0;
};

class decodedPictures {
 public:
  std::vector<decodedPicture> kept;
  // The pixels' bytes kept at most; the least recently used go first.
  size_t mostBytes = size_t(64) << 20;
  unsigned long uses = 0;

  decodedPictures() = default;
  decodedPictures(const decodedPictures&) = delete;
  decodedPictures& operator=(const decodedPictures&) = delete;
  ~decodedPictures();

  // The picture in `bytes`, as `decoder` makes it: a copy of the one kept
  // from the same bytes, or decoded now and kept. Null where the decoder
  // gives none, which is not kept.
  gdImagePtr decode(int size, void* bytes, pngDecoder decoder);
};
