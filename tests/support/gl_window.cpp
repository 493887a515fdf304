#include "support/gl_window.h"

#include <GLFW/glfw3.h>

#include <cstdio>
#include <cstdlib>

glWindow::glWindow() {
  if (glfwInit() != GLFW_TRUE) {
    fprintf(stderr, "glWindow: no display\n");
    abort();
  }
  glfwWindowHint(GLFW_DEPTH_BITS, 24);
  window = glfwCreateWindow(kTestWindowWidth, kTestWindowHeight, "vorlane test", nullptr, nullptr);
  glfwMakeContextCurrent(window);
  if (!window || glewInit() != GLEW_OK) {
    fprintf(stderr, "glWindow: no GL context\n");
    abort();
  }
  glViewport(0, 0, kTestWindowWidth, kTestWindowHeight);
}

// GLFW stays initialised for the next test of the same program: opening
// and closing the X connection for every test exhausts the display.
glWindow::~glWindow() { glfwDestroyWindow(window); }

rgba readPixel(int x, int y) {
  unsigned char pixel[4];
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  return {pixel[0], pixel[1], pixel[2], pixel[3]};
}

std::vector<unsigned char> windowPixels() {
  std::vector<unsigned char> pixels(size_t(kTestWindowWidth) * kTestWindowHeight * 4);
  glReadPixels(0, 0, kTestWindowWidth, kTestWindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

std::vector<unsigned char> boundTextureBytes() {
  GLint width = 0, height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  std::vector<unsigned char> bytes(size_t(width) * height * 4);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
  return bytes;
}

void useCentredOrtho(double width, double height) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-width / 2, width / 2, -height / 2, height / 2, -1000, 1000);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
