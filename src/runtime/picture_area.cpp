#include "runtime/picture_area.h"

#include <GL/glew.h>

#include "runtime/window.h"

pictureArea fitPicture(int width, int height) {
  // The wider of the two aspects decides which side the picture fills.
  long long across = (long long)width * kWindowHeight;
  long long down = (long long)height * kWindowWidth;
  int pictureWidth = across <= down ? width : int(down / kWindowHeight);
  int pictureHeight = across <= down ? int(across / kWindowWidth) : height;
  return {(width - pictureWidth) / 2, (height - pictureHeight) / 2, pictureWidth, pictureHeight};
}

void clearWindow(const pictureArea& area, int width, int height) {
  bool bars = area.width != width || area.height != height;
  if (bars) {
    // The colour carried over from the last frame belongs to the picture,
    // not to the bars.
    GLfloat carried[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, carried);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(carried[0], carried[1], carried[2], carried[3]);
    glEnable(GL_SCISSOR_TEST);
    glScissor(area.x, area.y, area.width, area.height);
  }
  glViewport(area.x, area.y, area.width, area.height);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (bars) glDisable(GL_SCISSOR_TEST);
}
