#include "render/png_texture.h"

#include <gd.h>

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "render/texture_limit.h"
#include "render/whole_file.h"

unsigned char textureAlpha(int gdAlpha) { return (127 - gdAlpha) * 255 / 127; }

namespace {

// Textures already made, by file path.
std::map<std::string, GLuint> loadedTextures;

// A picture decoded into the bytes the texture takes.
class decodedPicture {
 public:
  unsigned char* pixels = nullptr;  // malloc'd RGBA, top row first
  int width = 0, height = 0;

  decodedPicture() = default;
  decodedPicture(const decodedPicture&) = delete;
  decodedPicture& operator=(const decodedPicture&) = delete;
  ~decodedPicture() { free(pixels); }
};

std::string notDecodedLine(const char* path) { return std::string("[! ") + path + "] could not be decoded."; }

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

// libgd writes its own reasons for a damaged picture on standard error; the
// demo says it in its one line instead.
void quietGdError(int, const char*, va_list) {}

// Reads the picture's file whole: the line that says why it cannot be had,
// or empty.
std::string readPictureFile(const char* path, wholeFile* file) {
  // libgd takes the file's size as an int.
  switch (readWholeFile(path, size_t(INT_MAX), file)) {
    case fileRead::notOpened:
      return std::string("[! ") + path + "] file not found.";
    case fileRead::noMemory:
      return kOutOfMemoryLine;
    case fileRead::tooLarge:
      return notDecodedLine(path);
    case fileRead::shortRead:
      printf("Bzzt bzzt\n");
      break;
    case fileRead::complete:
      break;
  }
  return "";
}

// Reads and decodes the picture: the line that says why it cannot be had,
// or empty.
std::string decodePicture(const char* path, decodedPicture* picture) {
  wholeFile file;
  std::string failure = readPictureFile(path, &file);
  if (!failure.empty()) return failure;
  // A small file can declare a picture of gigabytes: refuse one the GL could
  // not hold before libgd decodes it.
  unsigned declaredWidth = 0;
  unsigned declaredHeight = 0;
  if (declaredPngSize(file, &declaredWidth, &declaredHeight) && !glCanHold(declaredWidth, declaredHeight))
    return notDecodedLine(path);
  // Only the bytes actually read are handed to the decoder.
  gdSetErrorMethod(quietGdError);
  gdImagePtr image = gdImageCreateFromPngPtr(int(file.size), file.bytes);
  if (!image) return notDecodedLine(path);

  int width = gdImageSX(image);
  int height = gdImageSY(image);
  picture->pixels = static_cast<unsigned char*>(malloc(size_t(width) * height * 4));
  if (!picture->pixels) {
    gdImageDestroy(image);
    return kOutOfMemoryLine;
  }
  picture->width = width;
  picture->height = height;
  // gdImageRed and friends read the bits of a true-colour pixel, or the
  // palette entry of a palette image's index.
  bool trueColour = gdImageTrueColor(image);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int value = trueColour ? gdImageTrueColorPixel(image, x, y) : gdImagePalettePixel(image, x, y);
      unsigned char* at = picture->pixels + (size_t(y) * width + x) * 4;
      at[0] = gdImageRed(image, value);
      at[1] = gdImageGreen(image, value);
      at[2] = gdImageBlue(image, value);
      at[3] = textureAlpha(gdImageAlpha(image, value));
    }
  }
  gdImageDestroy(image);
  return "";
}

// Makes `texture` hold the picture, with nearest filtering; it is left bound.
void uploadPicture(GLuint texture, const decodedPicture& picture) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, picture.width, picture.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               picture.pixels);
}

}  // namespace

GLuint loadPngTexture(const char* path) {
  // A picture shown by several scenes is decoded and uploaded once; they
  // share its texture.
  auto loaded = loadedTextures.find(path);
  if (loaded != loadedTextures.end()) {
    glBindTexture(GL_TEXTURE_2D, loaded->second);
    return loaded->second;
  }
  decodedPicture picture;
  std::string failure = decodePicture(path, &picture);
  if (!failure.empty()) {
    printf("%s\n", failure.c_str());
    exit(-1);
  }
  GLuint texture = 0;
  glGenTextures(1, &texture);
  uploadPicture(texture, picture);
  loadedTextures[path] = texture;
  return texture;
}

std::string reloadPngTexture(const char* path) {
  auto loaded = loadedTextures.find(path);
  if (loaded == loadedTextures.end()) return "";
  decodedPicture picture;
  std::string failure = decodePicture(path, &picture);
  if (!failure.empty()) {
    printf("%s\n", failure.c_str());
    return failure;
  }
  uploadPicture(loaded->second, picture);
  // The frames leave texture 0 bound; so does a reload between them.
  glBindTexture(GL_TEXTURE_2D, 0);
  return "";
}
