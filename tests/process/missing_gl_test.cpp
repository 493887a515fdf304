// A computer whose OpenGL cannot draw the show gets one line that names the
// GL and what it lacks, exit status 0 and nothing on standard error, not a
// crash. Mesa is told to be such a GL: to hide one extension (each of those
// it can hide) or to be an older version, down to OpenGL 1.1 with no
// extensions at all, as Microsoft's own GL is.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "process/demo_process.h"
#include "support/literal_pattern.h"
#include "support/test_track.h"

namespace {

constexpr double kExitSeconds = 15;

const char* const kFramebuffers = "framebuffer objects (GL_EXT_framebuffer_object)";
const char* const kHalfFloat = "half-float textures (GL_ARB_texture_float)";
const char* const kGlsl = "GLSL programs (OpenGL 2.0)";
const char* const kMipmaps = "automatic mipmaps (OpenGL 1.4)";
const char* const kTextureUnits = "texture units (OpenGL 1.3)";
const char* const kEdgeClamp = "edge-clamped textures (OpenGL 1.2)";

class missingGl {
 public:
  const char* name;
  std::vector<std::string> environment;
  const char* version;  // how the GL's version string starts
  std::vector<const char*> lacks;
  // What Mesa itself prints on standard output before the demo's line.
  const char* mesaSays = "";
};

// The demo's line for a GL of `version` that lacks `lacks`, its renderer left open.
std::regex expectedLine(const missingGl& gl) {
  std::string what;
  for (size_t i = 0; i < gl.lacks.size(); ++i) {
    if (i > 0) what += i + 1 == gl.lacks.size() ? " and no " : ", no ";
    what += gl.lacks[i];
  }
  return std::regex(literalPattern(gl.mesaSays) + R"(This computer's OpenGL \(.+ )" + literalPattern(gl.version) +
                    R"([^\n]*\) cannot show vorlane: it has no )" + literalPattern(what) + R"(\.\n)");
}

}  // namespace

TEST(MissingGl, EachLackNamedInOneLineWithStatusZero) {
  const missingGl cases[] = {
      // Mesa cannot hide an extension it always has without saying so on
      // standard output, and then leaves every such extension out of the
      // list; the versions GLEW reads still give the rest.
      {"no framebuffer objects",
       {"MESA_EXTENSION_OVERRIDE=-GL_EXT_framebuffer_object"},
       "4.5",
       {kFramebuffers},
       "Warning: extension 'GL_EXT_framebuffer_object' cannot be disabled\n"},
      // Hiding an extension Mesa can hide lowers its version to the highest
      // that does not need it.
      {"no float textures", {"MESA_EXTENSION_OVERRIDE=-GL_ARB_texture_float"}, "2.1", {kHalfFloat}},
      {"no vertex shaders", {"MESA_EXTENSION_OVERRIDE=-GL_ARB_vertex_shader"}, "1.5", {kGlsl}},
      {"OpenGL 1.4", {"MESA_GL_VERSION_OVERRIDE=1.4"}, "1.4", {kGlsl}},
      {"OpenGL 1.3", {"MESA_GL_VERSION_OVERRIDE=1.3"}, "1.3", {kGlsl, kMipmaps}},
      {"OpenGL 1.2", {"MESA_GL_VERSION_OVERRIDE=1.2"}, "1.2", {kGlsl, kMipmaps, kTextureUnits}},
      // Every extension Mesa has is younger than 1990.
      {"OpenGL 1.1 with no extensions",
       {"MESA_GL_VERSION_OVERRIDE=1.1", "MESA_EXTENSION_MAX_YEAR=1990"},
       "1.1",
       {kFramebuffers, kHalfFloat, kGlsl, kMipmaps, kTextureUnits, kEdgeClamp}},
  };
  for (const missingGl& gl : cases) {
    demoProcess demo(kTestTrack);
    demo.start({}, gl.environment);
    EXPECT_EQ(demo.waitForExit(kExitSeconds), 0) << gl.name;
    EXPECT_TRUE(std::regex_match(demo.output(), expectedLine(gl))) << gl.name << " printed: " << demo.output();
    EXPECT_EQ(demo.errors(), "") << gl.name;
  }
}
