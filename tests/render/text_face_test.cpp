// Text faces draw all of the demo's lettering. A font that fails to load must
// be reported and then draw nothing, without crashing; strings are UTF-8; and
// the face's per-size fonts must draw exactly what FTGL draws while never
// tessellating a glyph twice.

#include <gtest/gtest.h>

#include <FTGL/ftgl.h>

#include <vector>

#include "render/text_face.h"
#include "support/gl_window.h"
#include "support/temp_dir.h"

namespace {

// The demo's outline font.
const char* const kFont = VORLANE_SOURCE_DIR "/fonts/font.ttf";

class TextFace : public testing::Test {
 protected:
  glWindow window;

  void SetUp() override {
    glClearColor(0, 0, 0, 1);
    useCentredOrtho(128, 72);
    glColor4f(1, 1, 1, 1);
  }
};

bool allBlack(const std::vector<unsigned char>& pixels) {
  for (size_t i = 0; i < pixels.size(); i += 4)
    if (pixels[i] || pixels[i + 1] || pixels[i + 2]) return false;
  return true;
}

// Two sizes a frame, as the word-slam scene sets them.
template <typename Font>
std::vector<unsigned char> drawWords(Font& font) {
  glClear(GL_COLOR_BUFFER_BIT);
  font.FaceSize(6, 72);
  glPushMatrix();
  glTranslatef(-60, 10, 0);
  font.Render("Quick Dirty Kebab!");
  glPopMatrix();
  font.FaceSize(15, 72);
  glPushMatrix();
  glTranslatef(-60, -25, 0);
  font.Render("BA! SLAM!");
  glPopMatrix();
  return windowPixels();
}

}  // namespace

TEST_F(TextFace, FontThatFailsToLoadIsReportedAndDrawsNothing) {
  std::string notAFont = makeTempDir() + "/text.ttf";
  writeFile(notAFont, "this is not a font\n");
  for (const std::string& path : {std::string("/nonexistent/font.ttf"), notAFont}) {
    testing::internal::CaptureStdout();
    textFace face(path.c_str());
    checkFontLoaded(face, path.c_str());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error loading font from " + path + "\n");
    EXPECT_NE(face.Error(), 0);
    EXPECT_FALSE(face.FaceSize(1, 72));
    EXPECT_TRUE(allBlack(drawWords(face))) << path;
  }
}

TEST_F(TextFace, LoadedFontIsNotReported) {
  testing::internal::CaptureStdout();
  textFace face(kFont);
  checkFontLoaded(face, kFont);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_TRUE(face.FaceSize(1, 72));
}

TEST_F(TextFace, EmptyStringDrawsNothingAndKeepsTheMatrixStack) {
  textFace face(kFont);
  face.FaceSize(10, 72);
  glClear(GL_COLOR_BUFFER_BIT);
  GLint before = 0, after = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &before);
  glPushMatrix();
  face.Render("");
  glPopMatrix();
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after);
  EXPECT_EQ(after, before);
  EXPECT_TRUE(allBlack(windowPixels()));
}

TEST_F(TextFace, TwoByteUtf8LetterIsOneGlyph) {
  textFace face(kFont);
  face.FaceSize(10, 72);
  unsigned long before = tessellatedGlyphCount();
  face.Render("\xc3\xa9");  // é
  EXPECT_EQ(tessellatedGlyphCount() - before, 1u);
  face.Render("\xc3\xa9x");
  EXPECT_EQ(tessellatedGlyphCount() - before, 2u);
}

TEST_F(TextFace, DrawsWhatFtglDrawsAndTessellatesEachGlyphOnce) {
  FTPolygonFont plain(kFont);
  std::vector<unsigned char> fromFtgl = drawWords(plain);
  ASSERT_FALSE(allBlack(fromFtgl));

  textFace face(kFont);
  std::vector<unsigned char> firstFrame = drawWords(face);
  EXPECT_TRUE(firstFrame == fromFtgl);
  unsigned long afterFirstFrame = tessellatedGlyphCount();
  std::vector<unsigned char> secondFrame = drawWords(face);
  EXPECT_TRUE(secondFrame == fromFtgl);
  EXPECT_EQ(tessellatedGlyphCount(), afterFirstFrame);
}

TEST_F(TextFace, PreparedGlyphsAreBuiltOnceAndTheSelectedSizeStays) {
  textFace face(kFont);
  face.FaceSize(10, 72);
  unsigned long before = tessellatedGlyphCount();
  face.Prepare(20, 72, "Tscha!");
  EXPECT_EQ(tessellatedGlyphCount() - before, 6u);
  // Still size 10: the same pixels as a face that never prepared anything.
  std::vector<unsigned char> prepared = drawWords(face);
  textFace fresh(kFont);
  EXPECT_TRUE(drawWords(fresh) == prepared);
  unsigned long afterDrawing = tessellatedGlyphCount();
  face.FaceSize(20, 72);
  face.Render("Tscha!");
  EXPECT_EQ(tessellatedGlyphCount(), afterDrawing);
}

TEST_F(TextFace, ReloadDrawsWithTheNewFontAndABadOneKeepsTheOld) {
  std::string path = makeTempDir() + "/face.ttf";
  writeFile(path, readFile(kFont));
  textFace face(path.c_str());
  std::vector<unsigned char> outline = drawWords(face);
  ASSERT_FALSE(allBlack(outline));

  // The size selected before the reload is still selected after it.
  writeFile(path, readFile(VORLANE_SOURCE_DIR "/fonts/BorisBlackBloxx.ttf"));
  EXPECT_EQ(face.reload(), "");
  glClear(GL_COLOR_BUFFER_BIT);
  face.Render("BA! SLAM!");
  EXPECT_FALSE(allBlack(windowPixels()));
  std::vector<unsigned char> blocks = drawWords(face);
  EXPECT_NE(blocks, outline);

  writeFile(path, "this is not a font\n");
  testing::internal::CaptureStdout();
  EXPECT_EQ(face.reload(), "Error loading font from " + path);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error loading font from " + path + "\n");
  EXPECT_EQ(face.Error(), 0);
  EXPECT_EQ(drawWords(face), blocks);
}
