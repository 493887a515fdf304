#include "render/shader_program.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

// Reports a shader that failed to compile; true if it compiled.
bool reportCompile(GLuint shader, const char* path) {
  GLint compiled = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (!compiled)
    printf("Shader %s failed to compile: %s\n", path, infoLog(shader, glGetShaderiv, glGetShaderInfoLog).c_str());
  return compiled;
}

void reportLink(GLuint program, const char* vertexPath, const char* fragmentPath) {
  GLint linked = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (!linked)
    printf("Shaders %s and %s failed to link: %s\n", vertexPath, fragmentPath,
           infoLog(program, glGetProgramiv, glGetProgramInfoLog).c_str());
}

// The browser's GL emulation puts declarations of its own before a shader's
// source, and a #version line may only come first: there it is left out.
void dropVersionLine(char* source) {
#ifdef __EMSCRIPTEN__
  if (char* line = strstr(source, "#version")) memcpy(line, "//", 2);
#else
  (void)source;
#endif
}

}  // namespace

char* loadTextFile(const char* path) {
  wholeFile file;
  // Binary: Windows' text mode would drop every CR of a CR LF file and
  // report the read as short.
  switch (readWholeFile(path, SIZE_MAX - 1, &file)) {
    case fileRead::notOpened:
      printf("Couldn't load shaderfile %s\n", path);
      exit(-1);
    case fileRead::tooLarge:
    case fileRead::noMemory:
      exitOutOfMemory();
    case fileRead::shortRead:
      printf("Error reading %s\n", path);
      break;
    case fileRead::complete:
      break;
  }
  char* text = file.bytes;
  file.bytes = nullptr;
  return text;
}

shaderProgram::shaderProgram(const char* vertexPath, const char* fragmentPath) {
  char* vertexSource = loadTextFile(vertexPath);
  char* fragmentSource = loadTextFile(fragmentPath);
  dropVersionLine(vertexSource);
  dropVersionLine(fragmentSource);
  program = glCreateProgram();

  vertexShader = glCreateShader(GL_VERTEX_SHADER);
  glShaderSource(vertexShader, 1, &vertexSource, nullptr);
  glCompileShader(vertexShader);
  bool vertexCompiled = reportCompile(vertexShader, vertexPath);

  fragmentShader = glCreateShader(GL_FRAGMENT_SHADER);
  glShaderSource(fragmentShader, 1, &fragmentSource, nullptr);
  glCompileShader(fragmentShader);
  bool fragmentCompiled = reportCompile(fragmentShader, fragmentPath);

  glAttachShader(program, vertexShader);
  glAttachShader(program, fragmentShader);
  glLinkProgram(program);
  // A shader that did not compile makes the link fail too: that says nothing new.
  if (vertexCompiled && fragmentCompiled) reportLink(program, vertexPath, fragmentPath);

  free(vertexSource);
  free(fragmentSource);
}

void shaderProgram::bind() { glUseProgram(program); }

void shaderProgram::unbind() { glUseProgram(0); }
