// Shader programs: read from their files, built, switched on and off around
// geometry; a missing file ends the process, a broken shader is reported in
// one line and the demo carries on.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include <sys/stat.h>

#include "render/shader_program.h"
#include "support/gl_window.h"
#include "support/stdout_capture.h"
#include "support/temp_dir.h"

namespace {

const char* const kVertex = "void main() { gl_Position = ftransform(); }\n";
const char* const kGreen = "void main() { gl_FragColor = vec4(0.0, 1.0, 0.0, 1.0); }\n";

class ShaderProgram : public testing::Test {
 protected:
  static void SetUpTestSuite() { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
  glWindow window;
  std::string dir = makeTempDir();

  std::string file(const char* name, const char* text) {
    writeFile(dir + "/" + name, text);
    return dir + "/" + name;
  }
};

void drawFullWindowQuad() {
  useCentredOrtho(2, 2);
  glBegin(GL_QUADS);
  glVertex2f(-1, -1);
  glVertex2f(1, -1);
  glVertex2f(1, 1);
  glVertex2f(-1, 1);
  glEnd();
}

}  // namespace

TEST_F(ShaderProgram, LoadTextFileReturnsTheWholeText) {
  std::string text = "first line\nsecond line\n\tlast";
  char* loaded = loadTextFile(file("text.glsl", text.c_str()).c_str());
  EXPECT_EQ(std::string(loaded), text);
  free(loaded);
  loaded = loadTextFile(file("empty.glsl", "").c_str());
  EXPECT_STREQ(loaded, "");
  free(loaded);
}

TEST_F(ShaderProgram, BoundProgramDrawsAndUnbindReturnsToFixedFunction) {
  testing::internal::CaptureStdout();
  shaderProgram program(file("a.vert", kVertex).c_str(), file("a.frag", kGreen).c_str());
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  program.bind();
  glColor4f(1, 0, 0, 1);
  drawFullWindowQuad();
  EXPECT_EQ(readPixel(640, 360), (rgba{0, 255, 0, 255}));
  program.unbind();
  GLint current = -1;
  glGetIntegerv(GL_CURRENT_PROGRAM, &current);
  EXPECT_EQ(current, 0);
  drawFullWindowQuad();
  EXPECT_EQ(readPixel(640, 360), (rgba{255, 0, 0, 255}));
}

TEST_F(ShaderProgram, BrokenShadersAreReportedInALineEachAndTheProgramIsStillBuilt) {
  std::string empty = file("empty.vert", "");
  std::string broken = file("broken.frag", "void main() { this is not glsl }\n");
  testing::internal::CaptureStdout();
  shaderProgram program(empty.c_str(), broken.c_str());
  std::string output = testing::internal::GetCapturedStdout();
  EXPECT_NE(output.find("Shader " + broken + " failed to compile: "), std::string::npos) << output;
  EXPECT_NE(output.find(empty), std::string::npos) << output;
  // One line for each shader; the link that fails because of them says nothing new.
  std::istringstream lines(output);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) EXPECT_EQ(line.rfind("Shader ", 0), 0u) << line;
  EXPECT_EQ(count, 2) << output;
  EXPECT_EQ(output.find("failed to link"), std::string::npos) << output;
  EXPECT_TRUE(glIsProgram(program.program));
  // Binding what failed to link changes nothing; fixed-function drawing goes on.
  program.bind();
  glGetError();
  program.unbind();
  glColor4f(0, 0, 1, 1);
  drawFullWindowQuad();
  EXPECT_EQ(readPixel(640, 360), (rgba{0, 0, 255, 255}));
}

TEST_F(ShaderProgram, ShadersThatCompileButDoNotLinkAreReportedInOneLine) {
  std::string vertex = file("a.vert", kVertex);
  // Declared, never defined: each shader compiles, the link cannot resolve it.
  std::string fragment = file("unresolved.frag", "vec4 shade(); void main() { gl_FragColor = shade(); }\n");
  testing::internal::CaptureStdout();
  shaderProgram program(vertex.c_str(), fragment.c_str());
  std::string output = testing::internal::GetCapturedStdout();
  EXPECT_EQ(output.rfind("Shaders " + vertex + " and " + fragment + " failed to link: ", 0), 0u) << output;
  EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
}

TEST_F(ShaderProgram, MissingShaderFilePrintsItsLineAndExitsMinusOne) {
  std::string vertex = file("a.vert", kVertex);
  EXPECT_EXIT((withStdoutOnStderr(), shaderProgram("/nonexistent/s.vert", vertex.c_str())),
              testing::ExitedWithCode(255), "^Couldn't load shaderfile /nonexistent/s\\.vert\n$");
  EXPECT_EXIT((withStdoutOnStderr(), shaderProgram(vertex.c_str(), "/nonexistent/s.frag")),
              testing::ExitedWithCode(255), "^Couldn't load shaderfile /nonexistent/s\\.frag\n$");
}

TEST_F(ShaderProgram, FolderOrPipeInPlaceOfAShaderIsAFileThatCannotBeOpened) {
  std::string vertex = file("a.vert", kVertex);
  ASSERT_EQ(mkdir((dir + "/folder.frag").c_str(), 0755), 0);
  ASSERT_EQ(mkfifo((dir + "/pipe.frag").c_str(), 0644), 0);
  // A pipe with no writer must not hold the demo up for ever. (A death
  // test's child makes a folder of its own.)
  for (const char* name : {"folder.frag", "pipe.frag"}) {
    std::string path = dir + "/" + name;
    EXPECT_EXIT((withStdoutOnStderr(), shaderProgram(vertex.c_str(), path.c_str())), testing::ExitedWithCode(255),
                "^Couldn't load shaderfile /tmp/vorlane-test-[^/]+/" + std::string(name) + "\n$")
        << name;
  }
}

TEST_F(ShaderProgram, ReloadPutsTheNewProgramInPlace) {
  std::string fragment = file("a.frag", kGreen);
  shaderProgram program(file("a.vert", kVertex).c_str(), fragment.c_str());
  file("a.frag", "void main() { gl_FragColor = vec4(1.0, 0.0, 1.0, 1.0); }\n");
  testing::internal::CaptureStdout();
  EXPECT_EQ(program.reload(), "");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  program.bind();
  drawFullWindowQuad();
  program.unbind();
  EXPECT_EQ(readPixel(640, 360), (rgba{255, 0, 255, 255}));
}

TEST_F(ShaderProgram, ReloadOfABadFileKeepsTheProgramAndSaysItsLine) {
  std::string vertex = file("a.vert", kVertex);
  std::string fragment = file("a.frag", kGreen);
  shaderProgram program(vertex.c_str(), fragment.c_str());
  struct {
    const char* name;
    const char* fragmentText;  // null: the file is gone
    std::string lineStart;
  } cases[] = {
      {"gone", nullptr, "Couldn't load shaderfile " + fragment},
      {"does not compile", "void main() { this is not glsl }\n", "Shader " + fragment + " failed to compile: "},
      {"does not link", "vec4 shade(); void main() { gl_FragColor = shade(); }\n",
       "Shaders " + vertex + " and " + fragment + " failed to link: "},
  };
  for (const auto& c : cases) {
    if (c.fragmentText)
      file("a.frag", c.fragmentText);
    else
      unlink(fragment.c_str());
    testing::internal::CaptureStdout();
    std::string line = program.reload();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), line + "\n") << c.name;
    EXPECT_EQ(line.rfind(c.lineStart, 0), 0u) << c.name << ": " << line;
    glClear(GL_COLOR_BUFFER_BIT);
    program.bind();
    glColor4f(1, 0, 0, 1);
    drawFullWindowQuad();
    program.unbind();
    EXPECT_EQ(readPixel(640, 360), (rgba{0, 255, 0, 255})) << c.name;
  }
}
