#include "render/png_texture.h"

#include <gd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

unsigned char textureAlpha(int gdAlpha) { return (127 - gdAlpha) * 255 / 127; }

namespace {

[[noreturn]] void outOfMemory() {
  printf("Couldn't allocate memory\n");
  exit(-1);
}

// Textures already made, by file path.
std::map<std::string, GLuint> loadedTextures;

}  // namespace

GLuint loadPngTexture(const char* path) {
  // A picture shown by several scenes is decoded and uploaded once; they
  // share its texture, which nothing ever changes.
  auto loaded = loadedTextures.find(path);
  if (loaded != loadedTextures.end()) {
    glBindTexture(GL_TEXTURE_2D, loaded->second);
    return loaded->second;
  }
  FILE* file = fopen(path, "rb");
  if (!file) {
    printf("[! %s] file not found.\n", path);
    exit(-1);
  }
  fseek(file, 0, SEEK_END);
  long size = ftell(file);
  rewind(file);
  if (size < 0) size = 0;
  unsigned char* bytes = static_cast<unsigned char*>(malloc(size_t(size) + 1));
  if (!bytes) outOfMemory();
  size_t got = fread(bytes, 1, size_t(size), file);
  if (got < size_t(size)) printf("Bzzt bzzt\n");
  fclose(file);

  // Only the bytes actually read are handed to the decoder.
  gdImagePtr image = gdImageCreateFromPngPtr(int(got), bytes);
  if (!image) {
    printf("[! %s] could not be decoded.\n", path);
    exit(-1);
  }

  int width = gdImageSX(image);
  int height = gdImageSY(image);
  unsigned char* pixels = static_cast<unsigned char*>(malloc(size_t(width) * height * 4));
  if (!pixels) outOfMemory();
  // gdImageRed and friends read the bits of a true-colour pixel, or the
  // palette entry of a palette image's index.
  bool trueColour = gdImageTrueColor(image);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int value = trueColour ? gdImageTrueColorPixel(image, x, y) : gdImagePalettePixel(image, x, y);
      unsigned char* at = pixels + (size_t(y) * width + x) * 4;
      at[0] = gdImageRed(image, value);
      at[1] = gdImageGreen(image, value);
      at[2] = gdImageBlue(image, value);
      at[3] = textureAlpha(gdImageAlpha(image, value));
    }
  }

  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);

  free(bytes);
  free(pixels);
  gdImageDestroy(image);
  loadedTextures[path] = texture;
  return texture;
}
