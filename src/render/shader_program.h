#pragma once
// A GLSL vertex and fragment shader pair built into one program, switched on
// around the geometry that uses it.

#include <GL/glew.h>

#include <string>

class shaderProgram {
 public:
  GLuint vertexShader;
  GLuint fragmentShader;
  GLuint program;
  std::string vertexPath;
  std::string fragmentPath;

  // A shader that fails to compile, or a program that fails to link, is
  // reported in one line with the driver's log; the program is still built
  // and can be bound. A missing file ends the process with status -1.
  shaderProgram(const char* vertexPath, const char* fragmentPath);

  // Builds the program again from its files, in place: bound from now on,
  // the new one draws. A file that cannot be read, a shader that does not
  // compile or a program that does not link leaves the program as it was;
  // the lines are printed as at load, and the first is returned. Empty when
  // the new program is in place.
  std::string reload();

  void bind();
  // Back to the fixed-function pipeline.
  void unbind();

  // Makes the program and its shaders from the sources: the first line
  // reported about them, or empty if they compiled and linked.
  std::string build(const char* vertexSource, const char* fragmentSource);
};

// A shader's source: a newly allocated, NUL-terminated copy of the file's
// text. A file that cannot be opened or is not a regular file ends the
// process with "Couldn't load shaderfile <path>" and status -1, as does
// memory that runs out; a short read is reported and the text ends where
// reading stopped.
char* loadTextFile(const char* path);
