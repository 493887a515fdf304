// The demo's two fonts, as the repository holds them. Both must load in FTGL.
// The block face must draw every character the scenes draw, and draw it
// whole: FTGL tessellates its outlines with an odd winding rule, so an outline
// that overlaps itself would show holes where FreeType's own fill shows none.
// A character the face lacks must draw nothing, or a missing letter would go
// unnoticed.

#include <gtest/gtest.h>

#include <FTGL/ftgl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "render/text_face.h"
#include "scenes/scroller_lines.h"
#include "support/gl_window.h"

namespace {

const std::string kFontFolder = std::string(VORLANE_SOURCE_DIR) + "/fonts/";
const std::string kBlockFont = kFontFolder + "BorisBlackBloxx.ttf";

// One unit per pixel; at 200 pixels to the em the block face's grid cells
// (a tenth of the em) are 20 pixels and fall on whole pixels.
constexpr unsigned kEmPixels = 200;
constexpr int kCellArea = (kEmPixels / 10) * (kEmPixels / 10);
// Where each glyph starts, so that the widest and tallest fit the window.
constexpr float kPenX = -100;
constexpr float kPenY = -100;
constexpr unsigned char kLit = 128;

const char* const kOutsideTheFont = "\xe4\xb8\x80";  // U+4E00

// The characters of a UTF-8 string, each as its own bytes, once each.
std::vector<std::string> distinctCharacters(const std::string& text) {
  std::vector<std::string> characters;
  for (size_t at = 0; at < text.size();) {
    unsigned char lead = text[at];
    size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::string character = text.substr(at, length);
    if (std::find(characters.begin(), characters.end(), character) == characters.end())
      characters.push_back(character);
    at += length;
  }
  return characters;
}

std::string printableAscii() {
  std::string text;
  for (char c = 0x21; c < 0x7f; ++c) text += c;
  return text;
}

int litPixels() {
  std::vector<unsigned char> pixels = windowPixels();
  int lit = 0;
  for (size_t i = 0; i < pixels.size(); i += 4)
    if (pixels[i] >= kLit) ++lit;
  return lit;
}

class FontFiles : public testing::Test {
 protected:
  glWindow window;

  void SetUp() override {
    glClearColor(0, 0, 0, 1);
    useCentredOrtho(kTestWindowWidth, kTestWindowHeight);
    glColor4f(1, 1, 1, 1);
  }

  // Pixels one character lights as the scenes draw it: tessellated polygons.
  static int polygonPixels(textFace& face, const std::string& character) {
    glClear(GL_COLOR_BUFFER_BIT);
    glPushMatrix();
    glTranslatef(kPenX, kPenY, 0);
    face.Render(character.c_str());
    glPopMatrix();
    return litPixels();
  }

  // Pixels FreeType's own rasteriser fills for the same character and size.
  static int freetypePixels(FTBitmapFont& font, const std::string& character) {
    glClear(GL_COLOR_BUFFER_BIT);
    glRasterPos2f(kPenX, kPenY);
    font.Render(character.c_str());
    return litPixels();
  }
};

struct characterSource {
  const char* name;
  std::string text;
};

}  // namespace

TEST_F(FontFiles, BothFontsLoadInFtglAndDraw) {
  for (const char* file : {"font.ttf", "BorisBlackBloxx.ttf"}) {
    std::string path = kFontFolder + file;
    textFace face(path.c_str());
    EXPECT_EQ(face.Error(), 0) << path;
    EXPECT_TRUE(face.FaceSize(kEmPixels, 72)) << path;
    EXPECT_GT(polygonPixels(face, "A"), kCellArea) << path;
  }
}

TEST_F(FontFiles, BlockFaceDrawsEveryCharacterTheScenesDrawAndFillsItWhole) {
  const characterSource sources[] = {
      {"credits line", kCreditsLine},
      {"greetings line", kGreetingsLine},
      {"word-slam words", "Quick Dirty Kebab! Tscha! BA! SLAM!"},
      {"printable ASCII", printableAscii()},
  };
  textFace face(kBlockFont.c_str());
  ASSERT_EQ(face.Error(), 0);
  face.FaceSize(kEmPixels, 72);
  FTBitmapFont reference(kBlockFont.c_str());
  reference.FaceSize(kEmPixels, 72);
  for (const characterSource& source : sources) {
    for (const std::string& character : distinctCharacters(source.text)) {
      if (character == " ") continue;
      int drawn = polygonPixels(face, character);
      EXPECT_GT(drawn, kCellArea) << source.name << ": '" << character << "' draws too little";
      EXPECT_NEAR(drawn, freetypePixels(reference, character), kCellArea / 4)
          << source.name << ": '" << character << "' is not filled as its outline encloses";
    }
  }
}

TEST_F(FontFiles, BlockFaceDrawsNothingForACharacterItLacks) {
  textFace face(kBlockFont.c_str());
  face.FaceSize(kEmPixels, 72);
  EXPECT_GT(polygonPixels(face, "A"), kCellArea);
  EXPECT_EQ(polygonPixels(face, kOutsideTheFont), 0);
}
