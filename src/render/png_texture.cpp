#include "render/png_texture.h"

#include <gd.h>

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "render/whole_file.h"

unsigned char textureAlpha(int gdAlpha) { return (127 - gdAlpha) * 255 / 127; }

namespace {

[[noreturn]] void notDecoded(const char* path) {
  printf("[! %s] could not be decoded.\n", path);
  exit(-1);
}

// Textures already made, by file path.
std::map<std::string, GLuint> loadedTextures;

// The width and height a PNG's header declares, or false if the bytes do not
// start like a PNG.
bool declaredPngSize(const wholeFile& file, unsigned* width, unsigned* height) {
  static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(file.bytes);
  if (file.size < 24 || memcmp(bytes, signature, 8) != 0 || memcmp(bytes + 12, "IHDR", 4) != 0) return false;
  auto bigEndian = [](const unsigned char* at) {
    return unsigned(at[0]) << 24 | unsigned(at[1]) << 16 | unsigned(at[2]) << 8 | unsigned(at[3]);
  };
  *width = bigEndian(bytes + 16);
  *height = bigEndian(bytes + 20);
  return true;
}

// Whether the GL can hold an RGBA8 texture of this size, asked of a proxy
// texture so that nothing is allocated: this checks GL_MAX_TEXTURE_SIZE and,
// where the driver can tell, its memory.
bool glCanHold(unsigned width, unsigned height) {
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  if (width > unsigned(largest) || height > unsigned(largest)) return false;
  glTexImage2D(GL_PROXY_TEXTURE_2D, 0, GL_RGBA8, GLsizei(width), GLsizei(height), 0, GL_RGBA, GL_UNSIGNED_BYTE,
               nullptr);
  GLint proxyWidth = 0;
  glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &proxyWidth);
  return proxyWidth != 0;
}

// libgd writes its own reasons for a damaged picture on standard error; the
// demo says it in its one line instead.
void quietGdError(int, const char*, va_list) {}

// Reads the picture's file whole, or ends the process with its line.
void readPictureFile(const char* path, wholeFile* file) {
  // libgd takes the file's size as an int.
  switch (readWholeFile(path, size_t(INT_MAX), file)) {
    case fileRead::notOpened:
      printf("[! %s] file not found.\n", path);
      exit(-1);
    case fileRead::noMemory:
      exitOutOfMemory();
    case fileRead::tooLarge:
      notDecoded(path);
    case fileRead::shortRead:
      printf("Bzzt bzzt\n");
      break;
    case fileRead::complete:
      break;
  }
}

}  // namespace

GLuint loadPngTexture(const char* path) {
  // A picture shown by several scenes is decoded and uploaded once; they
  // share its texture, which nothing ever changes.
  auto loaded = loadedTextures.find(path);
  if (loaded != loadedTextures.end()) {
    glBindTexture(GL_TEXTURE_2D, loaded->second);
    return loaded->second;
  }
  wholeFile file;
  readPictureFile(path, &file);
  // A small file can declare a picture of gigabytes: refuse one the GL could
  // not hold before libgd decodes it.
  unsigned declaredWidth = 0;
  unsigned declaredHeight = 0;
  if (declaredPngSize(file, &declaredWidth, &declaredHeight) && !glCanHold(declaredWidth, declaredHeight))
    notDecoded(path);
  // Only the bytes actually read are handed to the decoder.
  gdSetErrorMethod(quietGdError);
  gdImagePtr image = gdImageCreateFromPngPtr(int(file.size), file.bytes);
  if (!image) notDecoded(path);

  int width = gdImageSX(image);
  int height = gdImageSY(image);
  unsigned char* pixels = static_cast<unsigned char*>(malloc(size_t(width) * height * 4));
  if (!pixels) exitOutOfMemory();
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

  free(pixels);
  gdImageDestroy(image);
  loadedTextures[path] = texture;
  return texture;
}
