// The render target is where every scene draws: it must be complete at the
// window's size, set the mirrored scene projection with a whole-number
// aspect factor, hand its clear colour to GL as it is, and present its
// picture the right way round, blended by the fade colour.

#include <gtest/gtest.h>

#include "render/render_target.h"
#include "support/gl_window.h"
#include "support/stdout_capture.h"

namespace {

class RenderTarget : public testing::Test {
 protected:
  static void SetUpTestSuite() { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
  glWindow window;

  void SetUp() override {
    // The fixed state the frame loop sets for every scene.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }

  // Clears the window to a known colour, then presents `target`, cleared to
  // its own colour, with the fade alpha given.
  static void presentOverWindow(renderTarget& target, float alpha) {
    glClearColor(0.2f, 0.4f, 0.6f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    target.begin();
    target.end();
    glColor4f(1, 1, 1, alpha);
    target.present();
  }
};

}  // namespace

TEST_F(RenderTarget, IsCompleteAtTheWindowSizeAndLeavesTheWindowBound) {
  renderTarget target(kTestWindowWidth, kTestWindowHeight, 1, 1, 1);
  GLint bound = -1;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &bound);
  EXPECT_EQ(bound, 0);
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, target.framebuffer);
  EXPECT_EQ(glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT), GLenum(GL_FRAMEBUFFER_COMPLETE_EXT));
  glBindTexture(GL_TEXTURE_2D, target.colourTexture);
  GLint format = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
  EXPECT_EQ(format, GL_RGBA16F_ARB);
}

TEST_F(RenderTarget, AspectFactorIsTheWholeNumberQuotient) {
  struct {
    unsigned width, height;
    float k;
  } cases[] = {{1280, 720, 1}, {720, 720, 1}, {1439, 720, 1}, {1440, 720, 2}};
  for (const auto& c : cases) {
    renderTarget target(c.width, c.height, 0, 0, 0);
    target.begin();
    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    target.end();
    // A frustum at near 1 scales x by 2 / (right - left) and y by 2 / (top - bottom).
    EXPECT_FLOAT_EQ(projection[0], -2.0f) << c.width;
    EXPECT_FLOAT_EQ(projection[5], 2.0f / c.k) << c.width;
  }
}

TEST_F(RenderTarget, ClearColourOutsideUnitRangeReachesTheClearUnchanged) {
  renderTarget target(kTestWindowWidth, kTestWindowHeight, 1, 1, 1);
  for (float red : {-1.0f, 1.5f}) {
    target.clearR = red;
    target.begin();
    float clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    target.end();
    EXPECT_FLOAT_EQ(clear[0], red);
    EXPECT_FLOAT_EQ(clear[1], 1.0f);
    EXPECT_FLOAT_EQ(clear[3], 1.0f);
  }
}

TEST_F(RenderTarget, PresentWithAlphaZeroLeavesTheWindowAndWithAlphaOneReplacesIt) {
  renderTarget target(kTestWindowWidth, kTestWindowHeight, 1, 0, 0);
  presentOverWindow(target, 0);
  EXPECT_EQ(readPixel(640, 360), (rgba{51, 102, 153, 255}));
  presentOverWindow(target, 1);
  EXPECT_EQ(readPixel(640, 360), (rgba{255, 0, 0, 255}));
  EXPECT_EQ(readPixel(0, 0), (rgba{255, 0, 0, 255}));
  EXPECT_EQ(readPixel(1279, 719), (rgba{255, 0, 0, 255}));
}

TEST_F(RenderTarget, PresentedPictureIsNotMirrored) {
  renderTarget target(kTestWindowWidth, kTestWindowHeight, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  target.begin();
  // A red square in the upper right of the scene plane at depth 100.
  glTranslatef(0, 0, -100);
  glColor4f(1, 0, 0, 1);
  glBegin(GL_QUADS);
  glVertex3f(10, 10, 0);
  glVertex3f(40, 10, 0);
  glVertex3f(40, 40, 0);
  glVertex3f(10, 40, 0);
  glEnd();
  target.end();
  glColor4f(1, 1, 1, 1);
  target.present();
  // x = 25 and y = 25 of the plane lie three quarters across and up the window.
  EXPECT_EQ(readPixel(960, 540), (rgba{255, 0, 0, 255}));
  EXPECT_EQ(readPixel(320, 540), (rgba{0, 0, 0, 255}));
  EXPECT_EQ(readPixel(960, 180), (rgba{0, 0, 0, 255}));
}

TEST_F(RenderTarget, IncompleteFramebufferPrintsItsStatusAndExitsZero) {
  EXPECT_EXIT((withStdoutOnStderr(), renderTarget(0, 0, 0, 0, 0)), testing::ExitedWithCode(0),
              "^Framebuffer error 36054\n$");
}
