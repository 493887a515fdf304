#include "render/shader_program.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "render/whole_file.h"

namespace {

// The driver's log for a shader or a program, on one line, so that the
// report stays one line.
std::string infoLog(GLuint object, PFNGLGETSHADERIVPROC getParameter, PFNGLGETSHADERINFOLOGPROC getLog) {
  GLint length = 0;
  getParameter(object, GL_INFO_LOG_LENGTH, &length);
  std::string log(size_t(length > 0 ? length : 1), '\0');
  getLog(object, GLsizei(log.size()), nullptr, &log[0]);
  log.resize(log.find('\0'));
  while (!log.empty() && (log.back() == '\n' || log.back() == ' ')) log.pop_back();
  for (char& c : log)
    if (c == '\n' || c == '\r') c = ' ';
  return log.empty() ? "no log" : log;
}

// Prints the line of a shader that failed to compile and returns it; empty
// if it compiled.
std::string reportCompile(GLuint shader, const std::string& path) {
  GLint compiled = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled) return "";
  std::string line = "Shader " + path + " failed to compile: " + infoLog(shader, glGetShaderiv, glGetShaderInfoLog);
  printf("%s\n", line.c_str());
  return line;
}

std::string reportLink(GLuint program, const std::string& vertexPath, const std::string& fragmentPath) {
  GLint linked = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (linked) return "";
  std::string line = "Shaders " + vertexPath + " and " + fragmentPath +
                     " failed to link: " + infoLog(program, glGetProgramiv, glGetProgramInfoLog);
  printf("%s\n", line.c_str());
  return line;
}

// Reads a shader's source: the line that says why it cannot be had, or
// empty. The text is the caller's to free.
std::string readSource(const char* path, char** text) {
  wholeFile file;
  // Binary: Windows' text mode would drop every CR of a CR LF file and
  // report the read as short.
  switch (readWholeFile(path, SIZE_MAX - 1, &file)) {
    case fileRead::notOpened:
      return std::string("Couldn't load shaderfile ") + path;
    case fileRead::tooLarge:
    case fileRead::noMemory:
      return kOutOfMemoryLine;
    case fileRead::shortRead:
      printf("Error reading %s\n", path);
      break;
    case fileRead::complete:
      break;
  }
  *text = file.bytes;
  file.bytes = nullptr;
  return "";
}

GLuint compileShader(GLenum type, const char* source) {
  GLuint shader = glCreateShader(type);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  return shader;
}

}  // namespace

char* loadTextFile(const char* path) {
  char* text = nullptr;
  std::string failure = readSource(path, &text);
  if (!failure.empty()) {
    printf("%s\n", failure.c_str());
    exit(-1);
  }
  return text;
}

shaderProgram::shaderProgram(const char* vertexPath, const char* fragmentPath)
    : vertexPath(vertexPath), fragmentPath(fragmentPath) {
  char* vertexSource = loadTextFile(vertexPath);
  char* fragmentSource = loadTextFile(fragmentPath);
  build(vertexSource, fragmentSource);
  free(vertexSource);
  free(fragmentSource);
}

std::string shaderProgram::build(const char* vertexSource, const char* fragmentSource) {
  program = glCreateProgram();
  vertexShader = compileShader(GL_VERTEX_SHADER, vertexSource);
  std::string vertexFailure = reportCompile(vertexShader, vertexPath);
  fragmentShader = compileShader(GL_FRAGMENT_SHADER, fragmentSource);
  std::string fragmentFailure = reportCompile(fragmentShader, fragmentPath);
  glAttachShader(program, vertexShader);
  glAttachShader(program, fragmentShader);
  glLinkProgram(program);
  if (!vertexFailure.empty()) return vertexFailure;
  if (!fragmentFailure.empty()) return fragmentFailure;
  // A shader that did not compile makes the link fail too: that says nothing new.
  return reportLink(program, vertexPath, fragmentPath);
}

std::string shaderProgram::reload() {
  char* vertexSource = nullptr;
  char* fragmentSource = nullptr;
  std::string failure = readSource(vertexPath.c_str(), &vertexSource);
  if (failure.empty()) failure = readSource(fragmentPath.c_str(), &fragmentSource);
  if (!failure.empty()) {
    printf("%s\n", failure.c_str());
    free(vertexSource);
    return failure;
  }
  shaderProgram old = *this;
  failure = build(vertexSource, fragmentSource);
  free(vertexSource);
  free(fragmentSource);
  // The program that did not build goes; the one that did stays.
  shaderProgram& unused = failure.empty() ? old : *this;
  glDeleteProgram(unused.program);
  glDeleteShader(unused.vertexShader);
  glDeleteShader(unused.fragmentShader);
  if (!failure.empty()) *this = old;
  return failure;
}

void shaderProgram::bind() { glUseProgram(program); }

void shaderProgram::unbind() { glUseProgram(0); }
