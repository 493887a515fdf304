// The capture and measuring tools' own parts: the capture tool takes exactly
// one kind of request and counts a range's frames with both ends, its PNG
// frames stand the right way up, and the bench's probe counts every GL object
// made between two moments.

#include <gtest/gtest.h>

#include <gd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "capture_request.h"
#include "frame_image.h"
#include "gl_object_probe.h"
#include "reference_pictures.h"
#include "support/gd_pixel.h"
#include "support/gl_window.h"
#include "support/temp_dir.h"

TEST(CaptureRequest, TakesExactlyOneKindOfCapture) {
  const struct {
    std::vector<const char*> arguments;
    bool valid;
  } cases[] = {
      {{"--at", "8.2", "--out", "f.png"}, true},
      {{"--from", "6.5", "--to", "11", "--out", "frames", "--fps", "30"}, true},
      {{"--video", "show.mp4"}, true},
      {{"--video", "show.mp4", "--size", "1920x1080"}, true},
      {{"--references", "pictures", "--size", "1920x1080"}, false},  // recorded at the show's size
      {{"--video", "show.mp4", "--size", "1920"}, false},
      {{"--video", "show.mp4", "--size", "0x1080"}, false},
      {{"--references", "pictures"}, true},
      {{"--references", "pictures", "--video", "show.mp4"}, false},
      {{"--at", "8.2"}, false},                                   // nowhere to write
      {{"--at", "8.2", "--video", "show.mp4", "--out", "f.png"}, false},  // two at once
      {{"--from", "6.5", "--out", "frames"}, false},              // half a range
      {{"--video", "show.mp4", "--fps", "0"}, false},
      {{"--video"}, false},
      {{"--loud", "1"}, false},
  };
  for (const auto& c : cases) {
    std::vector<char*> argv = {const_cast<char*>("vorlane-capture")};
    for (const char* argument : c.arguments) argv.push_back(const_cast<char*>(argument));
    captureRequest request;
    EXPECT_EQ(parseCaptureRequest(int(argv.size()), argv.data(), &request), c.valid) << c.arguments[0];
  }
}

TEST(CaptureRequest, RangeHoldsBothEnds) {
  EXPECT_EQ(rangeFrameCount(6.5, 11, 1 / 30.0), 136);
  EXPECT_EQ(rangeFrameCount(2, 2, 1 / 60.0), 1);
  // 0.1 steps do not add up to 1 exactly; the last frame is still there.
  EXPECT_EQ(rangeFrameCount(0, 1, 0.1), 11);
}

TEST(ReferencePictures, NamesAndMomentsGoBothWays) {
  const struct {
    const char* name;
    bool isReference;
    int milliseconds;
  } cases[] = {
      {"t00.000.png", true, 0},       {"t07.100.png", true, 7100},  {"t48.950.png", true, 48950},
      {"t07.100.png~", false, 0},     {"t7.100.png", false, 0},     {"frame_00001.png", false, 0},
      {"t07.100.pnx", false, 0},
  };
  for (const auto& c : cases) {
    int milliseconds = 0;
    EXPECT_EQ(referenceMoment(c.name, &milliseconds), c.isReference) << c.name;
    if (c.isReference) {
      EXPECT_EQ(milliseconds, c.milliseconds) << c.name;
      EXPECT_EQ(referenceName(milliseconds), c.name);
    }
  }
}

TEST(FrameImage, PngHasTheWindowsTopRowFirst) {
  glWindow window;
  glClearColor(0, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, kTestWindowHeight / 2, kTestWindowWidth, kTestWindowHeight / 2);
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);

  std::string dir = makeTempDir();
  ASSERT_TRUE(writeFramePng(dir + "/frame.png", readFrame(kTestWindowWidth, kTestWindowHeight), kTestWindowWidth,
                            kTestWindowHeight));
  std::string bytes = readFile(dir + "/frame.png");
  std::filesystem::remove_all(dir);
  gdImagePtr image = gdImageCreateFromPngPtr(int(bytes.size()), bytes.data());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(gdImageSX(image), kTestWindowWidth);
  EXPECT_EQ(gdImageSY(image), kTestWindowHeight);
  gdPixel top = gdPixelAt(image, 10, 0);
  gdPixel bottom = gdPixelAt(image, 10, kTestWindowHeight - 1);
  gdImageDestroy(image);
  EXPECT_EQ(top.red, 255);
  EXPECT_EQ(top.green, 0);
  EXPECT_EQ(bottom.red, 0);
  EXPECT_EQ(bottom.green, 255);
  EXPECT_FALSE(writeFramePng("/nonexistent/folder/frame.png", readFrame(kTestWindowWidth, kTestWindowHeight),
                             kTestWindowWidth, kTestWindowHeight));
}

TEST(GlObjectProbe, CountsEveryObjectMadeSinceTheMark) {
  glWindow window;
  glObjectProbe probe;
  probe.mark();
  EXPECT_EQ(probe.createdSinceMark(), 0);
  GLuint textures[2], buffer = 0;
  glGenTextures(2, textures);
  glGenBuffers(1, &buffer);
  GLuint list = glGenLists(1);
  EXPECT_EQ(probe.createdSinceMark(), 4);
  // Asking again does not count the probe's own names.
  EXPECT_EQ(probe.createdSinceMark(), 4);
  probe.mark();
  EXPECT_EQ(probe.createdSinceMark(), 0);
  glDeleteTextures(2, textures);
  glDeleteBuffers(1, &buffer);
  glDeleteLists(list, 1);
}
