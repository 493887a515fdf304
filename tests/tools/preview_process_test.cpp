// The preview as someone working on the show uses it (preview_fixture.h).
// A move and a pause show the capture tool's picture of the moment in the
// title and hold it; a resized window shows the whole picture, scaled,
// with black bars; moves while paused land on the moment asked; resuming
// goes on from the paused moment; a loop starts its scene again at its
// end; an edited shader (fragment or vertex), picture or font in the
// sources shows within half a second and a broken one keeps the last
// picture and says its line.

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "audio/mp3_decoder.h"
#include "support/sound_level.h"
#include "support/temp_dir.h"
#include "support/wav_file.h"
#include "tools/preview_fixture.h"

namespace {

using clockType = std::chrono::steady_clock;

constexpr double kLeastPsnr = 30;
// Reload: the preview looks at its files every 0.05 s and loads one again
// once its change has held for a look. A new font's glyphs are made again
// in the frame that first draws them, which takes longer on a busy machine.
constexpr double kReloadSeconds = 0.5;
constexpr double kShowSeconds = 1.5;

const char* const kGreenLetters =
    "void main() { gl_FragColor = vec4(0.0, 1.0, 0.0, gl_Color.a); }\n";
// The letters moved a quarter of the window to the right.
const char* const kShiftedLetters =
    "varying vec2 emPlace;\n"
    "void main() { emPlace = gl_MultiTexCoord0.xy; gl_FrontColor = gl_Color;\n"
    "  gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;\n"
    "  gl_Position.x += 0.5 * gl_Position.w; }\n";
const char* const kBrokenShader = "void main() { this is not glsl }\n";

class Preview : public previewTest {
 protected:
  void SetUp() override {
    previewTest::SetUp();
    if (!HasFatalFailure()) startAt("2");
  }

  // Holds the scroller at 13 s, its credits across the middle.
  void holdTheScroller() {
    preview.tapKey("3");
    pause(true);
    preview.tapKey("Right");
    preview.tapKey("Right");
    settledSeconds();
  }

};

// A preview that is started by each test, with what it plays recorded.
class PreviewHeard : public previewTest {};

// A tenth of a second of silence: a pause, not a quiet passage of the music.
constexpr size_t kGapFrames = 4410;

// Where in the track (seconds) the sound `heard` starts: the offset within
// `around` +/- `reach` seconds where 0.1 s of the track and of it differ least.
double whereInTrack(const audio::decodedAudio& track, const int16_t* heard, double around, double reach) {
  const long rate = track.rate;
  const size_t span = size_t(0.1 * rate);
  long best = -1;
  double leastDifference = 0;
  for (long frame = long((around - reach) * rate); frame <= long((around + reach) * rate); ++frame) {
    if (frame < 0 || size_t(frame) + span > track.frames) continue;
    double difference = 0;
    for (size_t i = 0; i < 2 * span; ++i) {
      double d = double(track.samples[2 * frame + i]) - heard[i];
      difference += d * d;
    }
    if (best < 0 || difference < leastDifference) {
      best = frame;
      leastDifference = difference;
    }
  }
  return double(best) / rate;
}

// The capture tool's frame for `seconds`, drawn in the demo's folder.
rgbImage capturedFrame(double seconds) {
  std::string dir = makeTempDir();
  char at[32];
  snprintf(at, sizeof at, "%.3f", seconds);
  runCommand("cd " DEMO_DIR " && " CAPTURE_BINARY " --at " + std::string(at) + " --out " + dir + "/frame.png");
  rgbImage frame = readPngImage(dir + "/frame.png");
  std::filesystem::remove_all(dir);
  return frame;
}

}  // namespace

TEST_F(Preview, MoveToTheWordSlamAndPauseShowsTheCapturedMomentAndHoldsIt) {
  preview.tapKey("2");
  pause(true);
  double shown = settledSeconds();
  std::string title = preview.windowTitle();
  EXPECT_TRUE(has(title, "| word slam |")) << title;
  rgbImage first = picture();
  sleepFor(0.5);
  EXPECT_EQ(titleSeconds(preview.windowTitle()), shown);
  rgbImage later = picture();
  EXPECT_TRUE(later.rgb == first.rgb) << "the picture moved while paused";

  double match = psnr(first, capturedFrame(shown));
  printf("paused at %.3f s: the preview's picture against the capture tool's: %.1f dB\n", shown, match);
  EXPECT_GE(match, kLeastPsnr);
}

TEST_F(PreviewHeard, APauseHoldsTheMomentItShowsAndTheMusicGoesOnFromIt) {
  startHeardAt("8");
  sleepFor(0.7);
  // Paused while it plays, at whatever millisecond that is.
  pause(true);
  double shown = settledSeconds();
  rgbImage held = picture();
  double match = psnr(held, capturedFrame(shown));
  printf("paused at %.3f s: the preview's picture against the capture tool's: %.1f dB\n", shown, match);
  EXPECT_GE(match, kLeastPsnr);
  sleepFor(1.0);
  EXPECT_EQ(titleSeconds(preview.windowTitle()), shown);
  EXPECT_TRUE(picture().rgb == held.rgb) << "the picture moved while paused";

  pause(false);
  sleepFor(0.8);
  pause(true);
  preview.tapKey("Escape");
  ASSERT_EQ(preview.waitForExit(kPreviewStartSeconds), 0) << preview.output();
  wavFile played;
  ASSERT_TRUE(readWav(heard, &played));
  ASSERT_EQ(played.rate, 44100);
  soundSpan resumed = lastSound(played.samples.data(), played.samples.size() / 2, kGapFrames);
  ASSERT_GT(double(resumed.end - resumed.first) / played.rate, 0.5) << "no music after the pause";
  audio::decodedAudio track;
  ASSERT_EQ(audio::decodeMp3(sourceFile("data/vorlane.mp3").c_str(), &track), audio::kOk);
  ASSERT_EQ(track.rate, 44100);
  double from = whereInTrack(track, played.samples.data() + 2 * resumed.first, shown, 0.5);
  printf("the music went on from %.4f s\n", from);
  EXPECT_NEAR(from, shown, 0.0015) << "the music did not go on from the moment the title showed";
}

TEST_F(PreviewHeard, AMoveBackAfterTheEndPlaysOnToTheTracksRealEnd) {
  audio::decodedAudio track;
  ASSERT_EQ(audio::decodeMp3(sourceFile("data/vorlane.mp3").c_str(), &track), audio::kOk);
  ASSERT_EQ(track.rate, 44100);
  soundSpan trackSound = lastSound(track.samples, track.frames, kGapFrames);
  double trackSeconds = double(track.frames) / track.rate;
  char at[32];
  snprintf(at, sizeof at, "%.3f", trackSeconds - 1.2);
  startHeardAt(at);
  // Played to its end, the preview holds the end.
  ASSERT_TRUE(waitForTitle([](const std::string& title) { return has(title, "| paused"); }, 10)) << preview.windowTitle();
  double end = settledSeconds();
  preview.tapKey("Left");
  ASSERT_TRUE(waitForTitle([end](const std::string& title) { return titleSeconds(title) == end - 1; }, 5))
      << preview.windowTitle();
  pause(false);
  ASSERT_TRUE(waitForTitle([](const std::string& title) { return has(title, "| paused"); }, 10)) << preview.windowTitle();
  EXPECT_EQ(settledSeconds(), end);
  preview.tapKey("Escape");
  ASSERT_EQ(preview.waitForExit(kPreviewStartSeconds), 0) << preview.output();

  // The second heard after the move is the track's last second, whole.
  wavFile played;
  ASSERT_TRUE(readWav(heard, &played));
  soundSpan last = lastSound(played.samples.data(), played.samples.size() / 2, kGapFrames);
  double heardSeconds = double(last.end - last.first) / played.rate;
  double trackTail = double(trackSound.end) / track.rate - (end - 1);
  printf("after the move back: %.3f s heard, %.3f s of sound left in the track\n", heardSeconds, trackTail);
  EXPECT_NEAR(heardSeconds, trackTail, 0.01) << "the music after the move back did not play to the track's end";
  EXPECT_NEAR(whereInTrack(track, played.samples.data() + 2 * last.first, end - 1, 0.3), end - 1, 0.0015);
}

TEST_F(Preview, ResizedWindowShowsTheWholePictureScaledWithBlackBars) {
  preview.tapKey("3");
  pause(true);
  settledSeconds();
  rgbImage whole = picture();
  ASSERT_EQ(whole.width, 1280);
  // 900 wide holds a 16:9 picture 506 high, 97 rows below the top.
  preview.resizeWindow(900, 700);
  settledSeconds();
  rgbImage resized = picture();
  ASSERT_EQ(resized.width, 900);
  ASSERT_EQ(resized.height, 700);
  rgbImage bars = cropImage(resized, 0, 0, 900, 97);
  rgbImage below = cropImage(resized, 0, 603, 900, 97);
  bars.rgb.insert(bars.rgb.end(), below.rgb.begin(), below.rgb.end());
  EXPECT_TRUE(std::all_of(bars.rgb.begin(), bars.rgb.end(), [](unsigned char c) { return c == 0; }));
  rgbImage scaled = cropImage(resized, 0, 97, 900, 506);
  EXPECT_GE(psnr(blockAverage(scaled, 32, 18), blockAverage(whole, 32, 18)), kLeastPsnr);
}

TEST_F(Preview, MovesWhilePausedLandOnTheMomentAsked) {
  pause(true);
  const struct {
    const char* key;
    double seconds;
  } moves[] = {
      {"3", 11.001},     {"Right", 12.001}, {"shift+Right", 12.101}, {"period", 12.117},
      {"comma", 12.100}, {"Left", 11.100},  {"shift+Left", 11.000},  {"Home", 0.0},
      {"2", 6.501},      {"1", 0.0},
  };
  for (const auto& move : moves) {
    preview.tapKey(move.key);
    double asked = move.seconds;
    EXPECT_TRUE(waitForTitle([asked](const std::string& title) { return titleSeconds(title) == asked; }, 5))
        << move.key << ": " << preview.windowTitle();
  }
  EXPECT_TRUE(has(preview.windowTitle(), "| opening | paused |"));
}

TEST_F(Preview, ResumeGoesOnFromThePausedMoment) {
  pause(true);
  double paused = settledSeconds();
  sleepFor(1.0);
  pause(false);
  double resumed = titleSeconds(preview.windowTitle());
  EXPECT_GE(resumed, paused);
  // Not from where the music would have been after a second.
  EXPECT_LT(resumed, paused + 0.4);
  sleepFor(0.5);
  EXPECT_GT(titleSeconds(preview.windowTitle()), paused + 0.2);
}

TEST_F(Preview, LoopStartsTheSceneAgainAtItsEnd) {
  preview.tapKey("2");
  pause(true);
  for (int i = 0; i < 4; ++i) preview.tapKey("Right");
  double nearEnd = settledSeconds();
  ASSERT_GT(nearEnd, 10.5);
  ASSERT_LT(nearEnd, 11.0);
  preview.tapKey("l");
  pause(false);
  bool wrapped = false;
  auto deadline = clockType::now() + std::chrono::seconds(3);
  while (!wrapped && clockType::now() < deadline) {
    std::string title = preview.windowTitle();
    double shown = titleSeconds(title);
    EXPECT_TRUE(has(title, "| word slam | looping |")) << title;
    EXPECT_LT(shown, 11.0) << title;
    wrapped = shown < nearEnd - 1;
    sleepFor(0.02);
  }
  EXPECT_TRUE(wrapped) << "the loop did not go back to the word slam's start";
  EXPECT_LT(settledSeconds(), 8.0);
}

TEST_F(Preview, EditedShadersShowWithinHalfASecondAndABrokenOneKeepsTheLastPicture) {
  holdTheScroller();
  const struct {
    const char* file;
    const char* edited;
  } shaders[] = {
      {"data/shaders/scroller.frag", kGreenLetters},
      {"data/shaders/scroller.vert", kShiftedLetters},
  };
  for (const auto& shader : shaders) {
    rgbImage before = picture();
    ASSERT_FALSE(before.rgb.empty());
    const std::string original = readFile(sourceFile(shader.file));
    writeFile(sourceFile(shader.file), shader.edited);
    double latency = secondsUntilPictureChanges(before, 3);
    printf("the edited %s showed after %.0f ms\n", shader.file, latency * 1000);
    EXPECT_LE(latency, kReloadSeconds) << shader.file;
    sleepFor(0.2);
    rgbImage edited = picture();

    writeFile(sourceFile(shader.file), kBrokenShader);
    sleepFor(kReloadSeconds + 0.3);
    EXPECT_TRUE(picture().rgb == edited.rgb) << "a broken " << shader.file << " changed the picture";
    const std::string line = "Shader " + std::string(shader.file) + " failed to compile: ";
    EXPECT_TRUE(has(preview.output(), line)) << preview.output();
    EXPECT_TRUE(has(preview.windowTitle(), "| " + line)) << preview.windowTitle();
    EXPECT_EQ(kill(preview.pid, 0), 0) << "the preview ended";

    writeFile(sourceFile(shader.file), original);
    EXPECT_LE(secondsUntilPictureChanges(edited, 3), kReloadSeconds) << shader.file << " put back";
  }
}

TEST_F(Preview, EditedPictureAndFontShowAndBadOnesKeepTheLast) {
  holdTheScroller();
  const struct {
    const char* name;
    const char* file;
    std::string bytes;
    const char* line;  // null: the new file loads
  } edits[] = {
      {"another picture", "data/textures/sun.png", readFile(sourceFile("data/textures/greenbg.png")), nullptr},
      {"a damaged picture", "data/textures/sun.png", "not a picture\n", "[! data/textures/sun.png] could not be decoded."},
      {"another font", "fonts/BorisBlackBloxx.ttf", readFile(sourceFile("fonts/font.ttf")), nullptr},
      {"a damaged font", "fonts/BorisBlackBloxx.ttf", "not a font\n", "Error loading font from BorisBlackBloxx.ttf"},
  };
  for (const auto& edit : edits) {
    rgbImage before = picture();
    writeFile(sourceFile(edit.file), edit.bytes);
    if (edit.line) {
      sleepFor(kReloadSeconds + 0.3);
      EXPECT_TRUE(picture().rgb == before.rgb) << edit.name << " changed the picture";
      EXPECT_TRUE(has(preview.output(), std::string(edit.line) + "\n")) << edit.name << ": " << preview.output();
      EXPECT_TRUE(has(preview.windowTitle(), edit.line)) << edit.name << ": " << preview.windowTitle();
    } else {
      double latency = secondsUntilPictureChanges(before, 3);
      printf("%s showed after %.0f ms\n", edit.name, latency * 1000);
      EXPECT_LE(latency, kShowSeconds) << edit.name;
      sleepFor(0.2);
    }
  }
}
