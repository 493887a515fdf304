// PNG files become the scenes' pictures: the alpha conversion, palette and
// true-colour images, odd sizes, the repeat wrap the scroller relies on,
// drawQuad's extent and orientation, and the exits for bad files.

#include <gtest/gtest.h>

#include <gd.h>

#include <string>

#include <unistd.h>

#include "render/image_texture.h"
#include "render/png_texture.h"
#include "support/gd_pixel.h"
#include "support/gl_window.h"
#include "support/stdout_capture.h"
#include "support/temp_dir.h"

namespace {

// Writes a PNG made by libgd, as palette or true colour, from rows of pixels.
std::string writePng(const std::string& path, int width, int height, const std::vector<gdPixel>& pixels,
                     bool palette) {
  gdImagePtr image = palette ? gdImageCreate(width, height) : gdImageCreateTrueColor(width, height);
  gdImageAlphaBlending(image, 0);
  gdImageSaveAlpha(image, 1);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const gdPixel& p = pixels[size_t(y) * width + x];
      int colour = palette ? gdImageColorResolveAlpha(image, p.red, p.green, p.blue, p.gdAlpha)
                           : gdTrueColorAlpha(p.red, p.green, p.blue, p.gdAlpha);
      gdImageSetPixel(image, x, y, colour);
    }
  }
  int size = 0;
  void* bytes = gdImagePngPtr(image, &size);
  writeFile(path, std::string(static_cast<char*>(bytes), size_t(size)));
  gdFree(bytes);
  gdImageDestroy(image);
  return path;
}

const gdPixel kRed = {255, 0, 0, 0}, kGreen = {0, 255, 0, 0}, kBlue = {0, 0, 255, 0}, kWhite = {255, 255, 255, 0};

class ImageTexture : public testing::Test {
 protected:
  static void SetUpTestSuite() { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
  glWindow window;
  std::string dir = makeTempDir();

  void SetUp() override {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(1, 1, 1, 1);
  }
};

}  // namespace

TEST(TextureAlpha, ConvertsGdAlphaToAByte) {
  struct {
    int gdAlpha, expected;
  } cases[] = {{0, 255}, {127, 0}, {64, 126}, {1, 252}, {126, 2}};
  for (const auto& c : cases) EXPECT_EQ(textureAlpha(c.gdAlpha), c.expected) << c.gdAlpha;
}

TEST_F(ImageTexture, PaletteAndTrueColourUploadIdenticalBytes) {
  std::vector<gdPixel> pixels = {{10, 20, 30, 0}, {200, 100, 50, 127}, {1, 2, 3, 64},
                               {255, 255, 255, 0}, {0, 0, 0, 127}, {90, 80, 70, 32}};
  imageTexture palette(writePng(dir + "/palette.png", 3, 2, pixels, true).c_str());
  std::vector<unsigned char> fromPalette = boundTextureBytes();
  imageTexture trueColour(writePng(dir + "/true.png", 3, 2, pixels, false).c_str());
  std::vector<unsigned char> fromTrueColour = boundTextureBytes();
  EXPECT_EQ(fromPalette, fromTrueColour);
  std::vector<unsigned char> expected;
  for (const gdPixel& p : pixels)
    expected.insert(expected.end(), {(unsigned char)p.red, (unsigned char)p.green, (unsigned char)p.blue,
                                     textureAlpha(p.gdAlpha)});
  EXPECT_EQ(fromTrueColour, expected);
}

TEST_F(ImageTexture, NonPowerOfTwoImageUploadsAtItsSize) {
  std::vector<gdPixel> pixels(15, kBlue);
  pixels[14] = kRed;
  imageTexture texture(writePng(dir + "/odd.png", 3, 5, pixels, false).c_str());
  GLint width = 0, height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  EXPECT_EQ(width, 3);
  EXPECT_EQ(height, 5);
  std::vector<unsigned char> bytes = boundTextureBytes();
  EXPECT_EQ(std::vector<unsigned char>(bytes.end() - 4, bytes.end()), (std::vector<unsigned char>{255, 0, 0, 255}));
}

TEST_F(ImageTexture, CoordinatesOutsideTheUnitRangeRepeat) {
  imageTexture texture(writePng(dir + "/stripe.png", 2, 1, {kRed, kBlue}, false).c_str());
  useCentredOrtho(128, 72);
  texture.bind();
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-40, 10);
  glTexCoord2f(2, 0);
  glVertex2f(40, 10);
  glTexCoord2f(2, 1);
  glVertex2f(40, -10);
  glTexCoord2f(0, 1);
  glVertex2f(-40, -10);
  glEnd();
  texture.unbind();
  // Four stripes, 20 units (200 pixels) each: red, blue, red, blue.
  EXPECT_EQ(readPixel(340, 360), (rgba{255, 0, 0, 255}));
  EXPECT_EQ(readPixel(540, 360), (rgba{0, 0, 255, 255}));
  EXPECT_EQ(readPixel(740, 360), (rgba{255, 0, 0, 255}));
  EXPECT_EQ(readPixel(940, 360), (rgba{0, 0, 255, 255}));
}

TEST_F(ImageTexture, DrawQuadCoversFourTimesItsArgumentsWithRowZeroAtTheTop) {
  imageTexture texture(writePng(dir + "/corners.png", 2, 2, {kRed, kGreen, kBlue, kWhite}, false).c_str());
  // 100 x 100 units over a 720-pixel square: 7.2 pixels a unit.
  glViewport(0, 0, 720, 720);
  useCentredOrtho(100, 100);
  texture.drawQuad(20, 20, 0);
  auto at = [](float x, float y) { return readPixel(int((x + 50) * 7.2f), int((y + 50) * 7.2f)); };
  EXPECT_EQ(at(-30, 30), (rgba{255, 0, 0, 255}));
  EXPECT_EQ(at(30, 30), (rgba{0, 255, 0, 255}));
  EXPECT_EQ(at(-30, -30), (rgba{0, 0, 255, 255}));
  EXPECT_EQ(at(30, -30), (rgba{255, 255, 255, 255}));
  EXPECT_EQ(at(-39.5f, 39.5f), (rgba{255, 0, 0, 255}));
  EXPECT_EQ(at(-40.5f, 0), (rgba{0, 0, 0, 255}));
  EXPECT_EQ(at(0, 40.5f), (rgba{0, 0, 0, 255}));
  GLboolean texturing = GL_TRUE;
  glGetBooleanv(GL_TEXTURE_2D, &texturing);
  EXPECT_FALSE(texturing);
}

TEST_F(ImageTexture, SamePictureFileIsReadOnceAndShared) {
  std::string path = writePng(dir + "/shared.png", 2, 1, {kRed, kBlue}, false);
  imageTexture first(path.c_str());
  unlink(path.c_str());
  imageTexture second(path.c_str());
  EXPECT_EQ(second.texture, first.texture);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(GLuint(bound), first.texture);
}

TEST_F(ImageTexture, MissingFilePrintsFileNotFoundAndExitsMinusOne) {
  const char* path = "/nonexistent/vorlane/missing.png";
  EXPECT_EXIT((withStdoutOnStderr(), imageTexture(path)), testing::ExitedWithCode(255),
              "^\\[! /nonexistent/vorlane/missing\\.png\\] file not found\\.\n$");
}

TEST_F(ImageTexture, UndecodableFilePrintsItsLineAndExitsMinusOne) {
  std::string good = readFile(writePng(dir + "/good.png", 2, 2, {kRed, kGreen, kBlue, kWhite}, false));
  struct {
    const char* name;
    std::string bytes;
  } cases[] = {{"text.png", "not a picture\n"}, {"empty.png", ""}, {"cut.png", good.substr(0, good.size() / 2)}};
  for (const auto& c : cases) {
    std::string path = dir + "/" + c.name;
    writeFile(path, c.bytes);
    // libpng may add its own complaint on standard error; the demo's line
    // must be there. (A death test's child makes a folder of its own.)
    EXPECT_EXIT((withStdoutOnStderr(), imageTexture(path.c_str())), testing::ExitedWithCode(255),
                "\\[! /tmp/vorlane-test-[^/]+/" + std::string(c.name) + "\\] could not be decoded\\.\n")
        << c.name;
  }
}

TEST_F(ImageTexture, ReloadPutsTheNewPictureIntoTheSharedTexture) {
  std::string path = writePng(dir + "/reloaded.png", 2, 1, {kRed, kBlue}, false);
  imageTexture first(path.c_str());
  imageTexture second(path.c_str());
  writePng(path, 1, 2, {kGreen, kWhite}, false);
  testing::internal::CaptureStdout();
  EXPECT_EQ(reloadPngTexture(path.c_str()), "");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(first.texture, second.texture);
  second.bind();
  EXPECT_EQ(boundTextureBytes(), (std::vector<unsigned char>{0, 255, 0, 255, 255, 255, 255, 255}));
  // A picture no texture was made from is nobody's: nothing to do.
  EXPECT_EQ(reloadPngTexture((dir + "/never-loaded.png").c_str()), "");
}

TEST_F(ImageTexture, ReloadOfABadFileKeepsThePictureAndSaysItsLine) {
  std::string path = writePng(dir + "/kept.png", 2, 1, {kRed, kBlue}, false);
  imageTexture texture(path.c_str());
  texture.bind();
  std::vector<unsigned char> before = boundTextureBytes();
  struct {
    const char* name;
    const char* bytes;  // null: the file is gone
    std::string line;
  } cases[] = {
      {"gone", nullptr, "[! " + path + "] file not found."},
      {"not a picture", "not a picture\n", "[! " + path + "] could not be decoded."},
      {"empty", "", "[! " + path + "] could not be decoded."},
  };
  for (const auto& c : cases) {
    if (c.bytes)
      writeFile(path, c.bytes);
    else
      unlink(path.c_str());
    testing::internal::CaptureStdout();
    EXPECT_EQ(reloadPngTexture(path.c_str()), c.line) << c.name;
    // libpng may add its own complaint on standard error; the line is ours.
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.line + "\n") << c.name;
    texture.bind();
    EXPECT_EQ(boundTextureBytes(), before) << c.name;
  }
}
