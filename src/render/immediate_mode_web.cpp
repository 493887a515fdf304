#include "render/immediate_mode_web.h"

#include <GL/gl.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <cstdint>
#include <vector>

#include "render/batch_programs_web.h"
#include "render/matrix_stacks_web.h"

namespace {

struct batchVertex {
  float position[4];
  float colour[4];
  float texCoord[2];
};

struct immediateBatch {
  std::vector<batchVertex> vertices;
  // Triangles, three vertices each.
  std::vector<uint32_t> triangles;
  bool textured;
  // The glBegin block being given: its primitive and its first vertex.
  GLenum blockMode;
  size_t blockStart;
  bool inBlock;
  // The vertex array and the buffers every batch is drawn from.
  GLuint vertexArray, vertexBuffer, indexBuffer;
};

immediateBatch batch = {};
float currentColour[4] = {1, 1, 1, 1};
float currentTexCoord[2] = {0, 0};

void addTriangle(size_t a, size_t b, size_t c) {
  batch.triangles.push_back(uint32_t(a));
  batch.triangles.push_back(uint32_t(b));
  batch.triangles.push_back(uint32_t(c));
}

// The block just ended, as triangles; GL leaves out the vertices of an
// unfinished primitive, and the show draws no points or lines.
void triangulateBlock() {
  size_t first = batch.blockStart;
  size_t count = batch.vertices.size() - first;
  switch (batch.blockMode) {
    case GL_TRIANGLES:
      for (size_t i = 0; i + 3 <= count; i += 3) addTriangle(first + i, first + i + 1, first + i + 2);
      break;
    case GL_TRIANGLE_STRIP:
      // Every other triangle turns the other way round, as in GL.
      for (size_t i = 2; i < count; ++i)
        if (i % 2)
          addTriangle(first + i - 1, first + i - 2, first + i);
        else
          addTriangle(first + i - 2, first + i - 1, first + i);
      break;
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
      for (size_t i = 2; i < count; ++i) addTriangle(first, first + i - 1, first + i);
      break;
    case GL_QUADS:
      for (size_t i = 0; i + 4 <= count; i += 4) {
        addTriangle(first + i, first + i + 1, first + i + 2);
        addTriangle(first + i, first + i + 2, first + i + 3);
      }
      break;
    case GL_QUAD_STRIP:
      for (size_t i = 0; i + 4 <= count; i += 2) {
        addTriangle(first + i, first + i + 1, first + i + 3);
        addTriangle(first + i, first + i + 3, first + i + 2);
      }
      break;
    default:
      batch.vertices.resize(first);
  }
}

// One vertex array, made at the first batch, holds where the vertices'
// parts are; the buffers behind it are filled again for every batch.
void makeVertexArray() {
  emscripten_glGenVertexArrays(1, &batch.vertexArray);
  emscripten_glBindVertexArray(batch.vertexArray);
  emscripten_glGenBuffers(1, &batch.vertexBuffer);
  emscripten_glGenBuffers(1, &batch.indexBuffer);
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, batch.vertexBuffer);
  emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, batch.indexBuffer);
  GLsizei stride = sizeof(batchVertex);
  emscripten_glEnableVertexAttribArray(kPositionAttribute);
  emscripten_glVertexAttribPointer(kPositionAttribute, 4, GL_FLOAT, GL_FALSE, stride,
                                   reinterpret_cast<void*>(offsetof(batchVertex, position)));
  emscripten_glEnableVertexAttribArray(kColourAttribute);
  emscripten_glVertexAttribPointer(kColourAttribute, 4, GL_FLOAT, GL_FALSE, stride,
                                   reinterpret_cast<void*>(offsetof(batchVertex, colour)));
  emscripten_glEnableVertexAttribArray(kTexCoordAttribute);
  emscripten_glVertexAttribPointer(kTexCoordAttribute, 2, GL_FLOAT, GL_FALSE, stride,
                                   reinterpret_cast<void*>(offsetof(batchVertex, texCoord)));
}

}  // namespace

void drawBatchedVertices() {
  if (batch.inBlock) return;
  if (batch.triangles.empty()) {
    batch.vertices.clear();
    return;
  }
  if (!batch.vertexArray) makeVertexArray();
  useBatchProgram(batch.textured);
  emscripten_glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(batch.vertices.size() * sizeof(batchVertex)),
                          batch.vertices.data(), GL_STREAM_DRAW);
  emscripten_glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(batch.triangles.size() * sizeof(uint32_t)),
                          batch.triangles.data(), GL_STREAM_DRAW);
  emscripten_glDrawElements(GL_TRIANGLES, GLsizei(batch.triangles.size()), GL_UNSIGNED_INT, nullptr);
  batch.vertices.clear();
  batch.triangles.clear();
}

void setTexturing(bool on) {
  if (on == batch.textured) return;
  drawBatchedVertices();
  batch.textured = on;
}

extern "C" {

void glBegin(GLenum mode) {
  batch.blockMode = mode;
  batch.blockStart = batch.vertices.size();
  batch.inBlock = true;
}

void glEnd() {
  triangulateBlock();
  batch.inBlock = false;
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (!batch.inBlock) return;
  const float* m = modelViewMatrix().m;
  batchVertex vertex;
  for (int row = 0; row < 4; ++row) vertex.position[row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
  for (int i = 0; i < 4; ++i) vertex.colour[i] = currentColour[i];
  vertex.texCoord[0] = currentTexCoord[0];
  vertex.texCoord[1] = currentTexCoord[1];
  batch.vertices.push_back(vertex);
}

void glVertex2f(GLfloat x, GLfloat y) { glVertex3f(x, y, 0); }

void glTexCoord2f(GLfloat s, GLfloat t) {
  currentTexCoord[0] = s;
  currentTexCoord[1] = t;
}

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  currentColour[0] = red;
  currentColour[1] = green;
  currentColour[2] = blue;
  currentColour[3] = alpha;
}

}  // extern "C"
