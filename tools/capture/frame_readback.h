#pragma once
// Reads the window's frames back through two pixel-pack buffers: frame n is
// copied into one while frame n + 1 is drawn, and its bytes are taken out
// of it only then, so that the GL need not stop for each read-back.

#include <GL/glew.h>

#include <vector>

class frameReadback {
 public:
  int width, height;
  GLuint buffers[2] = {0, 0};
  int queued = 0;  // frames read into the buffers and not yet taken

  // For frames of `width` x `height`.
  frameReadback(int width, int height);
  ~frameReadback();

  // Starts reading the frame just drawn; returns the bytes of the frame
  // read before it (bottom row first) in `previous`, or false if there was
  // none.
  bool readAndTakePrevious(std::vector<unsigned char>* previous);
  // The last frame read, once nothing more will be drawn.
  bool takeLast(std::vector<unsigned char>* last);

 private:
  int next = 0;  // the buffer the next frame is read into
  void take(GLuint buffer, std::vector<unsigned char>* bytes);
};
