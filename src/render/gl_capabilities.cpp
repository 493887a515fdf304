#include "render/gl_capabilities.h"

#include <GL/glew.h>

const std::vector<glCapability> kNeededGlCapabilities = {
    // The render targets; their mipmaps are made with the extension's own call.
    {"framebuffer objects (GL_EXT_framebuffer_object)",
     {"GL_EXT_framebuffer_object"},
     {"glGenFramebuffersEXT", "glBindFramebufferEXT", "glGenRenderbuffersEXT", "glBindRenderbufferEXT",
      "glRenderbufferStorageEXT", "glFramebufferRenderbufferEXT", "glFramebufferTexture2DEXT",
      "glCheckFramebufferStatusEXT", "glGenerateMipmapEXT", "GL_FRAMEBUFFER_EXT", "GL_RENDERBUFFER_EXT",
      "GL_DEPTH_ATTACHMENT_EXT", "GL_COLOR_ATTACHMENT0_EXT", "GL_FRAMEBUFFER_COMPLETE_EXT"}},
    // The render targets' colour. Whether the GL can draw into it, the
    // framebuffer's own completeness tells.
    {"half-float textures (GL_ARB_texture_float)", {"GL_ARB_texture_float", "GL_VERSION_3_0"}, {"GL_RGBA16F_ARB"}},
    // The toolkit calls OpenGL 2.0's names, not the older ARB shader objects':
    // a GL with only those would leave them null. 2.0 also brings GLSL 1.10,
    // the shaders' version.
    {"GLSL programs (OpenGL 2.0)",
     {"GL_VERSION_2_0"},
     {"glCreateProgram", "glCreateShader", "glShaderSource", "glCompileShader", "glAttachShader", "glLinkProgram",
      "glUseProgram", "glGetShaderiv", "glGetShaderInfoLog", "glGetProgramiv", "glGetProgramInfoLog",
      "glDeleteProgram", "glDeleteShader", "GL_VERTEX_SHADER", "GL_FRAGMENT_SHADER", "GL_COMPILE_STATUS",
      "GL_LINK_STATUS", "GL_INFO_LOG_LENGTH"}},
    // The render targets' colour texture keeps its mipmaps, and their depth
    // buffer has 24 bits.
    {"automatic mipmaps (OpenGL 1.4)", {"GL_VERSION_1_4"}, {"GL_GENERATE_MIPMAP", "GL_DEPTH_COMPONENT24"}},
    {"texture units (OpenGL 1.3)", {"GL_VERSION_1_3"}, {"glActiveTexture", "GL_TEXTURE0", "GL_MULTISAMPLE"}},
    {"edge-clamped textures (OpenGL 1.2)", {"GL_VERSION_1_2"}, {"GL_CLAMP_TO_EDGE"}},
};

std::string glCannotShowLine() {
  std::vector<const glCapability*> missing = missingGlCapabilities();
  if (missing.empty()) return "";
  std::string line = std::string("This computer's OpenGL (") + reinterpret_cast<const char*>(glGetString(GL_RENDERER)) +
                     " " + reinterpret_cast<const char*>(glGetString(GL_VERSION)) + ") cannot show vorlane: it has no ";
  for (size_t i = 0; i < missing.size(); ++i) {
    if (i > 0) line += i + 1 == missing.size() ? " and no " : ", no ";
    line += missing[i]->what;
  }
  return line + ".";
}
