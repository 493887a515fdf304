// The flash check counts what the photosensitivity guidelines count. Screens
// made here, frame by frame, go through its cells, transitions and seconds:
// a strobe fails, three flashes a second pass and four fail, a fade passes,
// a flash smaller than a quarter of a 10-degree field passes and one just
// larger fails, light that stays bright passes, and red against a green as
// bright fails the red test alone. The broadcast rule counts over a quarter
// of the whole screen, and fails flashes held at two or three a second for
// 5 s. Then the program itself reads videos that ffmpeg makes: its exit
// status, its lines, which pass three flashes a second over a quarter of a
// field and fail four, and its picture of where a video flashed.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "cell_transitions.h"
#include "flash_seconds.h"
#include "screen_cells.h"
#include "support/child_process.h"
#include "support/rgb_image.h"
#include "support/temp_dir.h"

namespace {

constexpr int kFps = 60;

struct rgbColour {
  unsigned char r, g, b;
};

constexpr rgbColour kBlack = {0, 0, 0};
constexpr rgbColour kWhite = {255, 255, 255};

// Whether frame `frame` shows the first colour of a square wave of `hertz`.
bool firstHalf(int frame, double hertz) { return std::fmod(frame * hertz / kFps, 1.0) < 0.5; }

// The seconds of a screen whose pixel (x, y) of frame n has colour
// paint(n, x, y), over `frames` frames, as each kind of flash counts them.
struct checkedSeconds {
  flashSeconds general, red;
};
checkedSeconds checkScreens(int frames, const std::function<rgbColour(int, int, int)>& paint) {
  cellTransitions general(flashKind::general), red(flashKind::red);
  flashSeconds generalSeconds(kFps), redSeconds(kFps);
  std::vector<unsigned char> rgb(size_t(kScreenWidth) * kScreenHeight * 3);
  for (int n = 0; n < frames; ++n) {
    for (int y = 0; y < kScreenHeight; ++y)
      for (int x = 0; x < kScreenWidth; ++x) {
        rgbColour c = paint(n, x, y);
        unsigned char* p = &rgb[(size_t(y) * kScreenWidth + x) * 3];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
      }
    screenCells cells = cellsOfScreen(rgb.data());
    generalSeconds.add(general.step(cells));
    redSeconds.add(red.step(cells));
  }
  return {generalSeconds, redSeconds};
}

// A square of `side` pixels at the top left that alternates between two
// colours at `hertz`, on black.
std::function<rgbColour(int, int, int)> flashingSquare(int side, double hertz, rgbColour on, rgbColour off) {
  return [=](int n, int x, int y) { return x < side && y < side ? (firstHalf(n, hertz) ? on : off) : kBlack; };
}

}  // namespace

TEST(FlashCheck, CountsFlashesAsTheGuidelinesDo) {
  // A 10-degree field is 341 x 256 pixels; a quarter of it is 21,824.
  const struct {
    const char* what;
    int frames;
    std::function<rgbColour(int, int, int)> paint;
    int general, red;
  } cases[] = {
      {"a 10 Hz black and white strobe", 2 * kFps, flashingSquare(kScreenWidth, 10, kWhite, kBlack), 10, 0},
      {"three flashes a second", 2 * kFps, flashingSquare(kScreenWidth, 3, kWhite, kBlack), 3, 0},
      {"four flashes a second", 2 * kFps, flashingSquare(kScreenWidth, 4, kWhite, kBlack), 4, 0},
      {"a fade from black to white and back over four seconds", 4 * kFps,
       [](int n, int, int) {
         auto level = (unsigned char)(255 * (n < 2 * kFps ? n : 4 * kFps - n) / (2 * kFps));
         return rgbColour{level, level, level};
       },
       0, 0},
      {"a 10 Hz flashing corner of 100 x 100", 2 * kFps, flashingSquare(100, 10, kWhite, kBlack), 0, 0},
      {"a 10 Hz square of 144 x 144, a little under a quarter field", 2 * kFps, flashingSquare(144, 10, kWhite, kBlack),
       0, 0},
      {"a 10 Hz square of 152 x 152, a little over a quarter field", 2 * kFps, flashingSquare(152, 10, kWhite, kBlack),
       10, 0},
      // Both states are lighter than 0.8: no flash, however often.
      {"white against light grey at 10 Hz", 2 * kFps,
       flashingSquare(kScreenWidth, 10, kWhite, rgbColour{236, 236, 236}), 0, 0},
      // Saturated red and a green of the same relative luminance (0.2126).
      {"red against an equally bright green at 10 Hz", 2 * kFps,
       flashingSquare(kScreenWidth, 10, rgbColour{255, 0, 0}, rgbColour{0, 148, 0}), 0, 10},
  };
  for (const auto& c : cases) {
    checkedSeconds seconds = checkScreens(c.frames, c.paint);
    EXPECT_EQ(seconds.general.worst.flashes, c.general) << c.what;
    EXPECT_EQ(seconds.red.worst.flashes, c.red) << c.what;
  }
}

TEST(FlashCheck, WorstSecondSaysWhenAndWhere) {
  // Black, then from 2 s a 6 Hz strobe in the bottom right corner of 400 x 300.
  worstSecond worst = checkScreens(4 * kFps, [](int n, int x, int y) {
                        bool inCorner = x >= kScreenWidth - 400 && y >= kScreenHeight - 300;
                        return inCorner && n >= 2 * kFps && firstHalf(n - 2 * kFps, 6) ? kWhite : kBlack;
                      }).general.worst;
  EXPECT_EQ(worst.flashes, 6);
  EXPECT_GE(worst.firstFrame, 2 * kFps - kFps / 6);
  EXPECT_LE(worst.firstFrame, 3 * kFps);
  EXPECT_GE(worst.field.x, kScreenWidth - 400 - 341 * 3 / 4);
  EXPECT_GE(worst.field.y, kScreenHeight - 300 - 256 * 3 / 4);
}

TEST(FlashCheck, BroadcastRuleCountsOverAQuarterOfTheScreenAndFailsFlashesHeldFiveSeconds) {
  // A quarter of the screen is 196,608 pixels.
  auto leftHalf = [](double hertz, int seconds) {
    return [=](int n, int x, int) { return x < kScreenWidth / 2 && n < seconds * kFps && firstHalf(n, hertz) ? kWhite : kBlack; };
  };
  const struct {
    const char* what;
    int frames;
    std::function<rgbColour(int, int, int)> paint;
    int overScreen;
    bool wcag, broadcast;
    double heldFrom, heldTo;  // the longest run of seconds with two or more flashes, in seconds
  } cases[] = {
      {"a 10 Hz square of 152 x 152, over a quarter of a field and far under a quarter of the screen", 2 * kFps,
       flashingSquare(152, 10, kWhite, kBlack), 0, false, true, 0, 0},
      {"four flashes a second over half the screen", 2 * kFps, leftHalf(4, 2), 4, false, false, 0.4, 2},
      // Cells anywhere count together: a quarter of the screen has four or more.
      {"five flashes a second over an eighth of the screen and four over another eighth", 2 * kFps,
       [](int n, int x, int) {
         return (x < kScreenWidth / 8 && firstHalf(n, 5)) || (x >= kScreenWidth / 8 && x < kScreenWidth / 4 &&
                                                               firstHalf(n, 4)) ? kWhite : kBlack;
       },
       4, false, false, 1, 2},
      // 0.4 s a flash, ending dark: two or three flashes in every second of it.
      {"2.5 flashes a second over half the screen for 6 s", 7 * kFps, leftHalf(2.5, 6), 2, true, false, 5, 7},
      {"2.5 flashes a second over half the screen for 4 s", 5 * kFps, leftHalf(2.5, 4), 2, true, true, 3, 4.99},
  };
  for (const auto& c : cases) {
    flashSeconds seconds = checkScreens(c.frames, c.paint).general;
    EXPECT_EQ(seconds.worstOverScreen.flashes, c.overScreen) << c.what;
    EXPECT_EQ(seconds.passesWcag(), c.wcag) << c.what;
    EXPECT_EQ(seconds.passesBroadcast(), c.broadcast) << c.what;
    double held = seconds.longestHeld.frames() / double(kFps);
    EXPECT_GE(held, c.heldFrom) << c.what;
    EXPECT_LE(held, c.heldTo) << c.what;
  }
}

namespace {

// Makes a video of `size` ("WxH") at 60 frames a second, `seconds` long, in
// `folder` with the ffmpeg expression `luma` for its luma, and returns its path.
std::string makeVideo(const std::string& folder, const std::string& name, const std::string& size,
                      const std::string& luma, int seconds = 2) {
  std::string path = folder + "/" + name + ".mp4";
  runCommand("ffmpeg -v error -y -f lavfi -i 'color=c=black:s=" + size + ":r=60:d=" + std::to_string(seconds) +
             ",geq=lum=" + luma +
             ":cb=128:cr=128' -c:v libx264 -crf 0 -pix_fmt yuv420p " + path);
  return path;
}

struct checkRun {
  int status;
  std::string output;
};

checkRun runFlashCheck(const std::string& video) {
  std::string output = runCommand(FLASH_CHECK_BINARY " " + video + " 2>/dev/null; echo \"status $?\"");
  size_t at = output.rfind("status ");
  return {atoi(output.c_str() + at + 7), output.substr(0, at)};
}

}  // namespace

TEST(FlashCheckProgram, FailsAStrobeAndPassesAFadeAndACorner) {
  std::string folder = makeTempDir();
  const struct {
    const char* name;
    std::string luma;
    int status;
    const char* line;
  } cases[] = {
      {"strobe", "if(lt(mod(N\\,6)\\,3)\\,235\\,16)", 1,
       "general flashes: the worst second, 0.02 s to 1.02 s, has 10 over a quarter of the 10-degree field at x 0"},
      {"fade", "16+219*N/120", 0, "general flashes: none over a quarter of any 10-degree field"},
      {"corner", "if(lt(X\\,24)*lt(Y\\,24)*lt(mod(N\\,6)\\,3)\\,235\\,16)", 0,
       "general flashes: none over a quarter of any 10-degree field"},
  };
  for (const auto& c : cases) {
    checkRun run = runFlashCheck(makeVideo(folder, c.name, "320x240", c.luma));
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.output;
    EXPECT_NE(run.output.find(c.line), std::string::npos) << c.name << ": " << run.output;
    EXPECT_NE(run.output.find(c.status ? "\nFAIL: " : "\nPASS: "), std::string::npos) << run.output;
  }
  writeFile(folder + "/not-a-video.mp4", "no frames here");
  checkRun broken = runFlashCheck(folder + "/not-a-video.mp4");
  EXPECT_EQ(broken.status, 2);
  EXPECT_EQ(broken.output, "flash-check: " + folder + "/not-a-video.mp4: no video stream to read\n");
  std::filesystem::remove_all(folder);
}

TEST(FlashCheckProgram, ThreeFlashesInASecondPassAndFourFail) {
  // A 256 x 192 video fills the 1024 x 768 screen four times larger: each of
  // its pixels is one 4 x 4 cell. The flashing corner of 43 x 32 of them is
  // 172 x 128 screen pixels, half the height of a 341 x 256 field and just
  // over half its width: a quarter of it.
  std::string folder = makeTempDir();
  const struct {
    const char* name;
    std::string luma;
    int status;
    const char* worst;
    const char* verdict;
  } cases[] = {
      // 10 frames light, 10 dark: a transition every 10 frames, six in any second.
      {"three a second", "if(lt(X\\,43)*lt(Y\\,32)*lt(mod(N\\,20)\\,10)\\,235\\,16)", 0,
       "general flashes: the worst second, 0.02 s to 1.02 s, has 3 over a quarter of the 10-degree field at x 0 to "
       "341, y 0 to 256\n",
       "\nWCAG 2.3.1: PASS: no second has more than three general or red flashes over a quarter of a 10-degree "
       "field\n"},
      // 8 frames light, 7 dark: eight transitions in any second.
      {"four a second", "if(lt(X\\,43)*lt(Y\\,32)*lt(mod(N\\,15)\\,8)\\,235\\,16)", 1,
       "general flashes: the worst second, 0.02 s to 1.02 s, has 4 over a quarter of the 10-degree field at x 0 to "
       "341, y 0 to 256\n",
       "\nWCAG 2.3.1: FAIL: a second has more than three flashes over a quarter of a 10-degree field\n"},
  };
  for (const auto& c : cases) {
    checkRun run = runFlashCheck(makeVideo(folder, "flashes", "256x192", c.luma));
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.output;
    EXPECT_NE(run.output.find(c.worst), std::string::npos) << c.name << ": " << run.output;
    EXPECT_NE(run.output.find(c.verdict), std::string::npos) << c.name << ": " << run.output;
  }
  std::filesystem::remove_all(folder);
}

TEST(FlashCheckProgram, FlashesHeldSixSecondsFailTheBroadcastRuleAlone) {
  // 24 frames a flash over the left half of a 256 x 192 video, for 6 s of 7.
  std::string folder = makeTempDir();
  checkRun run = runFlashCheck(
      makeVideo(folder, "held", "256x192", "if(lt(X\\,128)*lt(N\\,360)*lt(mod(N\\,24)\\,12)\\,235\\,16)", 7));
  EXPECT_EQ(run.status, 1) << run.output;
  for (const char* line :
       {"general flashes: the worst second over the screen, ", " has 2 over a quarter of it\n",
        "general flashes: two or more a second over a quarter of the screen for 6.",
        "\nWCAG 2.3.1: PASS: ", "\nbroadcast: FAIL: ", "\nFAIL: the video fails a rule\n"})
    EXPECT_NE(run.output.find(line), std::string::npos) << line << " in " << run.output;
  std::filesystem::remove_all(folder);
}

TEST(FlashCheckProgram, PictureShowsTheFlashingCellsOfTheWorstSecondAndItsField) {
  // Four flashes a second in the top left corner of 172 x 128 screen pixels.
  std::string folder = makeTempDir();
  std::string video = makeVideo(folder, "corner", "256x192", "if(lt(X\\,43)*lt(Y\\,32)*lt(mod(N\\,15)\\,8)\\,235\\,16)");
  std::string output = runCommand(FLASH_CHECK_BINARY " " + video + " --picture " + folder + "/where.png 2>/dev/null");
  rgbImage picture = readPngImage(folder + "/where.png");
  ASSERT_EQ(picture.width, kScreenWidth) << output;
  ASSERT_EQ(picture.height, kScreenHeight);
  const unsigned char* flashing = picture.at(100, 60);
  EXPECT_GT(flashing[0], 180) << "a cell that flashed four times is red";
  EXPECT_LT(flashing[1], 100);
  const unsigned char* calm = picture.at(600, 400);
  EXPECT_LT(calm[0] + calm[1] + calm[2], 3 * 50) << "a cell that never flashed is dark";
  const unsigned char* edge = picture.at(340, 200);
  EXPECT_EQ(edge[0] + edge[1] + edge[2], 3 * 255) << "the field at x 0 to 341, y 0 to 256 is outlined";
  std::filesystem::remove_all(folder);
}
