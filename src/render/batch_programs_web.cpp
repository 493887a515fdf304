#include "render/batch_programs_web.h"

#include <GL/gl.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <cstring>
#include <string>
#include <unordered_map>

#include "render/immediate_mode_web.h"
#include "render/matrix_stacks_web.h"

namespace {

// The fixed-function pipeline as the scenes use it: no lighting, the
// texture modulated by the colour. The model-view is already in the vertices.
const char* const kFixedVertexShader = R"(
uniform mat4 projection;
layout(location = 0) in vec4 position;
layout(location = 1) in vec4 colour;
layout(location = 2) in vec2 texCoord;
out vec4 shade;
out vec2 place;
void main() {
  // GL clamps a vertex's colour: a fade alpha above 1 acts as 1.
  shade = clamp(colour, 0.0, 1.0);
  place = texCoord;
  gl_Position = projection * position;
}
)";

const char* const kFixedFragmentShader = R"(
precision highp float;
uniform sampler2D picture;
in vec4 shade;
in vec2 place;
out vec4 colour;
void main() {
#ifdef TEXTURED
  colour = shade * texture(picture, place);
#else
  colour = shade;
#endif
}
)";

// What desktop GLSL 1.10 reads of the fixed-function state, given under our
// names in GLSL ES 3.00. The model-view is already in the vertices, so the
// projection is all of gl_ModelViewProjectionMatrix.
const char* const kDesktopVertexPrelude = R"(#version 300 es
#define attribute in
#define varying out
#define texture2D texture
layout(location = 0) in vec4 vorlaneVertex;
layout(location = 1) in vec4 vorlaneColor;
layout(location = 2) in vec4 vorlaneMultiTexCoord0;
uniform mat4 vorlaneModelViewProjectionMatrix;
out vec4 vorlaneFrontColor;
#define gl_Vertex vorlaneVertex
#define gl_Color vorlaneColor
#define gl_MultiTexCoord0 vorlaneMultiTexCoord0
#define gl_ModelViewProjectionMatrix vorlaneModelViewProjectionMatrix
#define gl_FrontColor vorlaneFrontColor
#line 1
)";

// GL clamps the colour a vertex shader writes.
const char* const kDesktopFragmentPrelude = R"(#version 300 es
precision highp float;
#define varying in
#define texture2D texture
in vec4 vorlaneFrontColor;
out vec4 vorlaneFragColor;
#define gl_Color clamp(vorlaneFrontColor, 0.0, 1.0)
#define gl_FragColor vorlaneFragColor
#line 1
)";

struct programInputs {
  GLint projection;
  // The projection's change count when the program was last given it; 0: never.
  unsigned projectionGiven;
};

std::unordered_map<GLuint, programInputs> programs;
std::unordered_map<GLuint, GLenum> shaderTypes;
// The program the toolkit has in use (0: the fixed-function pipeline), and
// the one WebGL has.
GLuint toolkitProgram = 0;
GLuint programInUse = 0;
GLuint fixedPrograms[2];

GLuint compiledShader(GLenum type, const std::string& source) {
  GLuint shader = emscripten_glCreateShader(type);
  const char* text = source.c_str();
  emscripten_glShaderSource(shader, 1, &text, nullptr);
  emscripten_glCompileShader(shader);
  return shader;
}

GLuint fixedProgram(bool textured) {
  GLuint& program = fixedPrograms[textured];
  if (program) return program;
  program = emscripten_glCreateProgram();
  emscripten_glAttachShader(program, compiledShader(GL_VERTEX_SHADER, std::string("#version 300 es\n") +
                                                                          kFixedVertexShader));
  emscripten_glAttachShader(program,
                            compiledShader(GL_FRAGMENT_SHADER, std::string("#version 300 es\n") +
                                                                   (textured ? "#define TEXTURED\n" : "") +
                                                                   kFixedFragmentShader));
  emscripten_glLinkProgram(program);
  programs[program] = {emscripten_glGetUniformLocation(program, "projection"), 0};
  return program;
}

}  // namespace

void useBatchProgram(bool textured) {
  GLuint program = toolkitProgram ? toolkitProgram : fixedProgram(textured);
  if (program != programInUse) {
    emscripten_glUseProgram(program);
    programInUse = program;
  }
  programInputs& inputs = programs[program];
  if (inputs.projectionGiven == webMatrices.projectionChanges) return;
  emscripten_glUniformMatrix4fv(inputs.projection, 1, GL_FALSE, projectionMatrix().m);
  inputs.projectionGiven = webMatrices.projectionChanges;
}

extern "C" {

GLuint glCreateShader(GLenum type) {
  GLuint shader = emscripten_glCreateShader(type);
  shaderTypes[shader] = type;
  return shader;
}

// The toolkit's shaders are desktop GLSL 1.10: their #version line gives way
// to the prelude's.
void glShaderSource(GLuint shader, GLsizei count, const GLchar* const* strings, const GLint* lengths) {
  std::string source;
  for (GLsizei i = 0; i < count; ++i)
    source.append(strings[i], lengths && lengths[i] >= 0 ? size_t(lengths[i]) : strlen(strings[i]));
  size_t version = source.find("#version");
  if (version != std::string::npos) source.replace(version, 2, "//");
  bool vertex = shaderTypes[shader] == GL_VERTEX_SHADER;
  source.insert(0, vertex ? kDesktopVertexPrelude : kDesktopFragmentPrelude);
  const char* text = source.c_str();
  emscripten_glShaderSource(shader, 1, &text, nullptr);
}

void glLinkProgram(GLuint program) {
  emscripten_glLinkProgram(program);
  programs[program] = {emscripten_glGetUniformLocation(program, "vorlaneModelViewProjectionMatrix"), 0};
}

void glUseProgram(GLuint program) {
  if (program == toolkitProgram) return;
  drawBatchedVertices();
  toolkitProgram = program;
}

}  // extern "C"
