#pragma once
// A 1280 x 720 window with a current GL context and GLEW loaded, for tests
// that draw for real (Mesa under Xvfb) and read the pixels back.

#include <GL/glew.h>

#include <array>
#include <vector>

struct GLFWwindow;

// The test window's size, the demo's own.
constexpr int kTestWindowWidth = 1280;
constexpr int kTestWindowHeight = 720;

class glWindow {
 public:
  GLFWwindow* window = nullptr;

  // Fails the calling test's process if there is no display or no GL 2.
  glWindow();
  ~glWindow();
};

using rgba = std::array<int, 4>;

// The pixel at (x, y) of the current read buffer, y counted from the bottom.
rgba readPixel(int x, int y);

// The whole window's pixels as RGBA bytes, bottom row first.
std::vector<unsigned char> windowPixels();

// The 2D texture bound now, level 0, as RGBA bytes.
std::vector<unsigned char> boundTextureBytes();

// Sets an orthographic projection of `width` x `height` units centred on the
// origin over the viewport, and identity model-view.
void useCentredOrtho(double width, double height);
