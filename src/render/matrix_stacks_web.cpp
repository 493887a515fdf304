#include "render/matrix_stacks_web.h"

#include <GL/gl.h>

#include <cmath>

#include "render/immediate_mode_web.h"

namespace {

constexpr glMatrix kIdentity = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};

std::vector<glMatrix>& currentStack() {
  return webMatrices.mode == GL_PROJECTION ? webMatrices.projection : webMatrices.modelView;
}

// The batch gathered so far was given under the projection it is about to lose.
void projectionWillChange() {
  if (webMatrices.mode != GL_PROJECTION) return;
  drawBatchedVertices();
  ++webMatrices.projectionChanges;
}

// The current matrix times `n`, as GL's matrix calls multiply.
void multiplyCurrent(const glMatrix& n) {
  projectionWillChange();
  glMatrix& m = currentStack().back();
  glMatrix product;
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += m.m[k * 4 + row] * n.m[column * 4 + k];
      product.m[column * 4 + row] = sum;
    }
  m = product;
}

}  // namespace

matrixStacks webMatrices = {{kIdentity}, {kIdentity}, GL_MODELVIEW, 1};

const glMatrix& modelViewMatrix() { return webMatrices.modelView.back(); }

const glMatrix& projectionMatrix() { return webMatrices.projection.back(); }

extern "C" {

void glMatrixMode(GLenum mode) { webMatrices.mode = mode; }

void glLoadIdentity() {
  projectionWillChange();
  currentStack().back() = kIdentity;
}

void glPushMatrix() { currentStack().push_back(currentStack().back()); }

void glPopMatrix() {
  // GL refuses to pop the last matrix.
  if (currentStack().size() < 2) return;
  projectionWillChange();
  currentStack().pop_back();
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  glMatrix n = kIdentity;
  n.m[12] = x;
  n.m[13] = y;
  n.m[14] = z;
  multiplyCurrent(n);
}

void glScalef(GLfloat x, GLfloat y, GLfloat z) {
  glMatrix n = kIdentity;
  n.m[0] = x;
  n.m[5] = y;
  n.m[10] = z;
  multiplyCurrent(n);
}

void glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z) {
  double length = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
  if (length == 0) return;
  double ux = x / length, uy = y / length, uz = z / length;
  double radians = degrees * M_PI / 180;
  double c = std::cos(radians), s = std::sin(radians), t = 1 - c;
  glMatrix n = kIdentity;
  n.m[0] = float(ux * ux * t + c);
  n.m[1] = float(uy * ux * t + uz * s);
  n.m[2] = float(ux * uz * t - uy * s);
  n.m[4] = float(ux * uy * t - uz * s);
  n.m[5] = float(uy * uy * t + c);
  n.m[6] = float(uy * uz * t + ux * s);
  n.m[8] = float(ux * uz * t + uy * s);
  n.m[9] = float(uy * uz * t - ux * s);
  n.m[10] = float(uz * uz * t + c);
  multiplyCurrent(n);
}

void glFrustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
  glMatrix n = {};
  n.m[0] = float(2 * zNear / (right - left));
  n.m[5] = float(2 * zNear / (top - bottom));
  n.m[8] = float((right + left) / (right - left));
  n.m[9] = float((top + bottom) / (top - bottom));
  n.m[10] = float(-(zFar + zNear) / (zFar - zNear));
  n.m[11] = -1;
  n.m[14] = float(-2 * zFar * zNear / (zFar - zNear));
  multiplyCurrent(n);
}

}  // extern "C"
