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
