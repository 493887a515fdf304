#pragma once
// Loads a PNG file into a plain RGBA texture.

#include <GL/glew.h>

#include <string>

// The texture's alpha byte for libgd's alpha, which runs from 0 (opaque) to
// 127 (transparent): 0 gives 255, 127 gives 0, 64 gives 126.
unsigned char textureAlpha(int gdAlpha);

// Reads and decodes the file and uploads it as RGBA8 with nearest filtering
// and the default repeat wrap; the texture is left bound. The same path
// again gives the same texture, without reading the file. A file that cannot
// be opened or decoded ends the process with status -1.
GLuint loadPngTexture(const char* path);

// Reads and decodes the file again into the texture made from it, in place:
// every scene showing the picture shows the new one. A file that cannot be
// opened or decoded leaves the texture as it was; its line is printed, as
// at load, and returned. Empty when the texture holds the new picture, or
// when no texture was made from `path`.
std::string reloadPngTexture(const char* path);
