#pragma once
// The fixed-function matrices, which WebGL 2 does not have: the model-view
// and the projection, each with its stack, kept here for the desktop GL calls
// that move them. Vertices are put through the model-view as they are given
// (immediate_mode_web.h), so that a batch of them survives a glTranslatef;
// the projection goes to the shader with each batch.

#include <vector>

struct glMatrix {
  // Column by column, as GL keeps them.
  float m[16];
};

struct matrixStacks {
  std::vector<glMatrix> modelView;
  std::vector<glMatrix> projection;
  // GL_MODELVIEW or GL_PROJECTION: the stack the matrix calls change.
  unsigned mode;
  // Counts the projection's changes from 1, so that a program is given it
  // again only when it has changed.
  unsigned projectionChanges;
};

extern matrixStacks webMatrices;

const glMatrix& modelViewMatrix();
const glMatrix& projectionMatrix();
