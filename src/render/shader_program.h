#pragma once
// A GLSL vertex and fragment shader pair built into one program, switched on
// around the geometry that uses it.

#include <GL/glew.h>

class shaderProgram {
 public:
  GLuint vertexShader;
  GLuint fragmentShader;
  GLuint program;

  // A shader that fails to compile, or a program that fails to link, is
  // reported in one line with the driver's log; the program is still built
  // and can be bound. A missing file ends the process with status -1.
  shaderProgram(const char* vertexPath, const char* fragmentPath);

  void bind();
  // Back to the fixed-function pipeline.
  void unbind();
};

// A shader's source: a newly allocated, NUL-terminated copy of the file's
// text. A file that cannot be opened or is not a regular file ends the
// process with "Couldn't load shaderfile <path>" and status -1, as does
// memory that runs out; a short read is reported and the text ends where
// reading stopped.
char* loadTextFile(const char* path);
