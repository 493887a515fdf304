// The preview's code reloading, on a copy of the sources
// (preview_fixture.h), paused in the word slam: an edit to a scene's
// colour, to the schedule or to the toolkit is built, loaded and shown at
// the same moment, and a schedule edit remakes the music, which then holds
// the hit at its new moment; an edit to a header is built too; quitting
// while it builds stops the whole build; an edit that does not compile keeps the
// picture and says "error"; the music made after a schedule edit from the
// parts kept from before is the synthesizer's whole track; new code that crashes in its first frame, or
// ends on a missing file while building its scenes, gives way to the code
// before it, and with none before it the preview ends with its line and
// status 1; and a version left for a newer one gives back its memory, so
// that many reloads keep the preview's size. The times from the save to the
// screen, and to the new music, are printed.

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "show_build.h"
#include "support/child_process.h"
#include "support/sound_level.h"
#include "support/temp_dir.h"
#include "support/wav_file.h"
#include "tools/preview_fixture.h"

namespace {

using clockType = std::chrono::steady_clock;

// How long a build, a load and the music may take on a busy machine: a
// limit to wait for, not a target.
constexpr double kRebuildSeconds = 90;

// The word slam's background tint, and the same with little green.
const char* const kGreyTint = "glColor4f(0.8f, 0.8f, 0.8f, 1);";
const char* const kMagentaTint = "glColor4f(0.8f, 0.2f, 0.8f, 1);";
const char* const kSceneFile = "src/scenes/velmo_efx.cpp";

// A command line for the shell, each argument quoted.
std::string shellCommand(const std::vector<std::string>& arguments) {
  std::string command;
  for (const std::string& argument : arguments) command += " '" + argument + "'";
  return command;
}

double secondsSince(clockType::time_point start) {
  return std::chrono::duration<double>(clockType::now() - start).count();
}

// The mean of one colour channel over a block of the picture.
double meanChannel(const rgbImage& image, int channel, int x, int y, int size) {
  double sum = 0;
  for (int row = y; row < y + size; ++row)
    for (int column = x; column < x + size; ++column) sum += image.at(column, row)[channel];
  return sum / (size * size);
}

class PreviewCode : public previewTest {
 protected:
  // Replaces `from` with `to` in a file of the copy, written anew as an
  // editor saves it: false if `from` is not there.
  bool edit(const char* file, const std::string& from, const std::string& to) {
    std::string text = readFile(sourceFile(file));
    size_t at = text.find(from);
    if (at == std::string::npos) return false;
    writeFile(sourceFile(file), text.replace(at, from.size(), to));
    return true;
  }

  // Pauses, and moves by `keys`: true once the title shows `seconds` and
  // the frame drawn for it is on screen.
  bool holdAt(double seconds, const std::vector<const char*>& keys) {
    if (!has(preview.windowTitle(), "| paused")) pause(true);
    for (const char* key : keys) preview.tapKey(key);
    bool held = waitForTitle([seconds](const std::string& title) { return titleSeconds(title) == seconds; }, 5);
    sleepFor(0.3);
    return held;
  }

  // The command lines of the processes working on the copy of the sources
  // or in its build, the preview's own left out.
  std::vector<std::string> buildProcesses() {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
      std::string name = entry.path().filename();
      if (name.find_first_not_of("0123456789") != std::string::npos || std::stoi(name) == preview.pid) continue;
      std::string command = readFile(entry.path().string() + "/cmdline");
      std::replace(command.begin(), command.end(), '\0', ' ');
      std::error_code error;
      std::string folder = std::filesystem::read_symlink(entry.path() / "cwd", error).string();
      if (has(command, sources.root) || has(command, sources.build) || has(folder, sources.root) ||
          has(folder, sources.build))
        found.push_back(command);
    }
    return found;
  }

  // Waits for the title to say neither "building" nor what `coming` says.
  bool waitUntilBuilt(double seconds, const char* coming = "building") {
    return waitForTitle(
        [coming](const std::string& title) { return !has(title, "| building") && !has(title, coming); }, seconds);
  }
};

}  // namespace

TEST_F(PreviewCode, ASceneColourEditShowsAtTheSameMoment) {
  startAt("6.6");
  const double shown = 7.501;
  ASSERT_TRUE(holdAt(shown, {"2", "Right"})) << preview.windowTitle();
  rgbImage before = picture();
  double green = meanChannel(before, 1, 8, 8, 32);
  ASSERT_GT(green, 60) << "the corner is not the green background";

  ASSERT_TRUE(edit(kSceneFile, kGreyTint, kMagentaTint));
  double latency = secondsUntilPictureChanges(before, kRebuildSeconds);
  printf("a scene edit showed %.0f ms after the save\n", latency * 1000);
  ASSERT_LT(latency, kRebuildSeconds) << preview.windowTitle();
  ASSERT_TRUE(waitUntilBuilt(kRebuildSeconds)) << preview.windowTitle();
  std::string title = preview.windowTitle();
  EXPECT_EQ(titleSeconds(title), shown) << title;
  EXPECT_TRUE(has(title, "| word slam | paused |")) << title;
  rgbImage after = picture();
  // A quarter of the green, the same red.
  EXPECT_NEAR(meanChannel(after, 1, 8, 8, 32), green / 4, green / 10);
  EXPECT_NEAR(meanChannel(after, 0, 8, 8, 32), meanChannel(before, 0, 8, 8, 32), 8);
}

TEST_F(PreviewCode, AToolkitEditShowsAtTheSameMoment) {
  startAt("6.6");
  const double shown = 7.501;
  ASSERT_TRUE(holdAt(shown, {"2", "Right"})) << preview.windowTitle();
  rgbImage before = picture();
  // Every picture's quad loses half of its left side.
  ASSERT_TRUE(edit("src/render/image_texture.cpp", "glVertex3f(-2 * a, 2 * b, z);", "glVertex3f(-1 * a, 2 * b, z);"));
  double latency = secondsUntilPictureChanges(before, kRebuildSeconds);
  printf("a toolkit edit showed %.0f ms after the save\n", latency * 1000);
  ASSERT_LT(latency, kRebuildSeconds) << preview.windowTitle();
  ASSERT_TRUE(waitUntilBuilt(kRebuildSeconds)) << preview.windowTitle();
  EXPECT_EQ(titleSeconds(preview.windowTitle()), shown);
}

TEST_F(PreviewCode, AScheduleEditMovesTheWordAndTheMusicWithIt) {
  startHeardAt("6.6");
  // 6.901 s: "Dirty" has shown since 6.8 s.
  const double shown = 6.901;
  ASSERT_TRUE(holdAt(6.701, {"2", "shift+Right", "shift+Right"})) << preview.windowTitle();
  rgbImage withoutDirty = picture();
  ASSERT_TRUE(holdAt(shown, {"shift+Right", "shift+Right"})) << preview.windowTitle();
  rgbImage withDirty = picture();
  ASSERT_FALSE(withDirty.rgb == withoutDirty.rgb);

  // The parts of the music as the sources are now are kept, as the last
  // music made from them would have kept them.
  showBuildFolder folder{sources.build};
  runCommand(shellCommand(folder.musicCommand()));

  // "Dirty" from 6.95 s.
  auto saved = clockType::now();
  ASSERT_TRUE(edit("src/schedule/schedule.h", "kDirtyAfter = 0.3;", "kDirtyAfter = 0.45;"));
  double latency = secondsUntilPictureChanges(withDirty, kRebuildSeconds);
  printf("a schedule edit showed %.0f ms after the save\n", latency * 1000);
  ASSERT_LT(latency, kRebuildSeconds) << preview.windowTitle();
  ASSERT_TRUE(waitForTitle([](const std::string& title) { return has(title, "| new music coming"); },
                           kRebuildSeconds))
      << preview.windowTitle();
  ASSERT_TRUE(waitUntilBuilt(kRebuildSeconds, "| new music coming")) << preview.windowTitle();
  printf("the new music played %.0f ms after the save\n", secondsSince(saved) * 1000);
  EXPECT_EQ(titleSeconds(preview.windowTitle()), shown);
  EXPECT_TRUE(picture().rgb == withoutDirty.rgb) << "\"Dirty\" still shows at 6.901 s";

  // Only the word slam was played again, and the music with the parts kept
  // from before is the whole track the synthesizer makes from these sources.
  std::string made = readFile(folder.musicLog());
  EXPECT_TRUE(has(made, "kept opening") && has(made, "rendered word slam") && has(made, "kept scroller")) << made;
  std::string dir = makeTempDir();
  std::string whole = dir + "/whole.wav";
  runCommand(shellCommand({folder.synthesizer(), "--music", whole}));
  wavFile fromPreview, fromSynthesizer;
  ASSERT_TRUE(readWav(folder.music(), &fromPreview));
  ASSERT_TRUE(readWav(whole, &fromSynthesizer));
  std::filesystem::remove_all(dir);
  EXPECT_EQ(fromPreview.samples.size(), fromSynthesizer.samples.size());
  EXPECT_TRUE(fromPreview.samples == fromSynthesizer.samples) << "the preview's music is not the synthesizer's";

  // A second of the new music from the start of the word slam.
  ASSERT_TRUE(holdAt(6.501, {"2"})) << preview.windowTitle();
  pause(false);
  sleepFor(1.0);
  pause(true);
  preview.tapKey("Escape");
  ASSERT_EQ(preview.waitForExit(kPreviewStartSeconds), 0) << preview.output();
  EXPECT_EQ(preview.errors(), "");

  wavFile played;
  ASSERT_TRUE(readWav(heard, &played));
  const int16_t* samples = played.samples.data();
  // The last sound after a pause: the track from 6.501 s, which is loud
  // there (the hit of "Quick" at 6.5 s).
  soundSpan last = lastSound(samples, played.samples.size() / 2, played.rate / 10);
  size_t first = last.first;
  ASSERT_GT(double(last.end - first) / played.rate, 0.8) << "the second of music after the move is not there";
  // How much louder the 20 ms from track time `at` are than the 20 ms before.
  auto rise = [&](double at) {
    size_t frame = first + size_t((at - 6.501) * played.rate);
    size_t span = size_t(0.02 * played.rate);
    return rms(samples + 2 * frame, 2 * span) / rms(samples + 2 * (frame - span), 2 * span);
  };
  printf("the music rises %.1f times at 6.80 s and %.1f times at 6.95 s\n", rise(6.8), rise(6.95));
  EXPECT_GT(rise(6.95), 3.0) << "no hit at the new moment of \"Dirty\"";
  EXPECT_LT(rise(6.8), 1.5) << "a hit still at the old moment of \"Dirty\"";
}

TEST_F(PreviewCode, ThirtyReloadsKeepThePreviewWithinSixMegabytesOfItsSizeAfterOne) {
  // A version left behind once held 1.2 MB of fonts and scenes; the bound is
  // 10 MB over 50 reloads.
  constexpr int kReloads = 30;
  constexpr long kMostGrowthKilobytes = 6 * 1024;
  startAt("6.6");
  ASSERT_TRUE(holdAt(7.501, {"2", "Right"})) << preview.windowTitle();
  long afterOne = 0;
  for (int reload = 1; reload <= kReloads; ++reload) {
    rgbImage before = picture();
    ASSERT_TRUE(reload % 2 ? edit(kSceneFile, kGreyTint, kMagentaTint) : edit(kSceneFile, kMagentaTint, kGreyTint));
    ASSERT_LT(secondsUntilPictureChanges(before, kRebuildSeconds), kRebuildSeconds) << preview.windowTitle();
    ASSERT_TRUE(waitUntilBuilt(kRebuildSeconds)) << preview.windowTitle();
    if (reload == 1) afterOne = residentKilobytes(preview.pid);
  }
  long growth = residentKilobytes(preview.pid) - afterOne;
  printf("the preview grew %.1f MB over %d reloads after the first\n", growth / 1024.0, kReloads - 1);
  EXPECT_LE(growth, kMostGrowthKilobytes);
}

TEST_F(PreviewCode, AnEditThatDoesNotCompileKeepsThePictureAndSaysError) {
  startAt("6.6");
  const double shown = 7.501;
  ASSERT_TRUE(holdAt(shown, {"2", "Right"})) << preview.windowTitle();
  rgbImage before = picture();
  ASSERT_TRUE(edit(kSceneFile, kGreyTint, "glColor4f(0.8f, 0.2f, 0.8f, 1)"));
  ASSERT_TRUE(waitForTitle([](const std::string& title) { return has(title, "error"); }, kRebuildSeconds))
      << preview.windowTitle();
  std::string title = preview.windowTitle();
  EXPECT_TRUE(picture().rgb == before.rgb) << "the picture changed";
  EXPECT_EQ(titleSeconds(title), shown);
  // The compiler's first error, in the title and on standard output.
  const std::string line = "src/scenes/velmo_efx.cpp:";
  EXPECT_TRUE(has(title, "| " + line)) << title;
  std::string output = preview.output();
  EXPECT_EQ(output.rfind(line, 0), 0u) << output;
  EXPECT_TRUE(has(title, output.substr(0, output.find('\n')))) << title;

  // The next good save loads.
  ASSERT_TRUE(edit(kSceneFile, "glColor4f(0.8f, 0.2f, 0.8f, 1)", kMagentaTint));
  EXPECT_LT(secondsUntilPictureChanges(before, kRebuildSeconds), kRebuildSeconds) << preview.windowTitle();
  ASSERT_TRUE(waitUntilBuilt(kRebuildSeconds)) << preview.windowTitle();
  EXPECT_FALSE(has(preview.windowTitle(), "error")) << preview.windowTitle();
}

TEST_F(PreviewCode, AnEditToAHeaderOfTheShowIsBuilt) {
  startAt("6.6");
  ASSERT_TRUE(holdAt(7.501, {"2", "Right"})) << preview.windowTitle();
  // A scene's header, the toolkit's and the schedule, which the scenes, the
  // frame and the synthesizer read: each is built, as its error shows.
  for (const std::string header : {"src/scenes/velmo_efx.h", "src/render/render_target.h", "src/schedule/schedule.h"}) {
    const std::string original = readFile(sourceFile(header));
    writeFile(sourceFile(header), original + "#error the edited header was built\n");
    EXPECT_TRUE(waitForTitle(
        [&header](const std::string& title) {
          return has(title, "| " + header + ":") && has(title, "the edited header was built");
        },
        kRebuildSeconds))
        << header << ": " << preview.windowTitle();
    writeFile(sourceFile(header), original);
    EXPECT_TRUE(waitForTitle([](const std::string& title) { return !has(title, "error") && !has(title, "| building"); },
                             kRebuildSeconds))
        << header << ": " << preview.windowTitle();
  }
}

TEST_F(PreviewCode, QuittingWhileTheShowBuildsLeavesNoBuildProcessBehind) {
  startAt("6.6");
  ASSERT_TRUE(holdAt(7.501, {"2", "Right"})) << preview.windowTitle();
  ASSERT_TRUE(edit(kSceneFile, kGreyTint, kMagentaTint));
  // Quit once the compiler is at work, not just make.
  bool compiling = false;
  for (auto start = clockType::now(); !compiling && secondsSince(start) < kRebuildSeconds; sleepFor(0.02))
    for (const std::string& command : buildProcesses()) compiling = compiling || has(command, "cc1plus");
  ASSERT_TRUE(compiling) << "no compiler ran after the save";
  const std::string library = sources.build + "/vorlane-show.so";
  auto builtBefore = std::filesystem::last_write_time(library);
  preview.tapKey("Escape");
  EXPECT_EQ(preview.waitForExit(kPreviewStartSeconds), 0) << preview.output();
  // A build left running would end by itself, with a new library.
  std::vector<std::string> left;
  for (auto quit = clockType::now(); secondsSince(quit) < kRebuildSeconds; sleepFor(0.05))
    if ((left = buildProcesses()).empty()) break;
  EXPECT_TRUE(left.empty()) << "still running after the preview quit: " << left.front();
  EXPECT_TRUE(std::filesystem::last_write_time(library) == builtBefore) << "the build went on after the preview quit";
}

TEST_F(PreviewCode, NewCodeThatFailsToStartGivesWayToTheCodeBeforeIt) {
  startAt("6.6");
  const double shown = 7.501;
  ASSERT_TRUE(holdAt(shown, {"2", "Right"})) << preview.windowTitle();
  rgbImage before = picture();
  const std::string original = readFile(sourceFile(kSceneFile));
  const struct {
    const char* name;
    const char* from;
    const char* to;
    const char* says;
  } failures[] = {
      {"a crash in the first frame", "  float a = float(t - kWordSlamStart);",
       "  float a = float(t - kWordSlamStart);\n  if (t > 0) *static_cast<volatile int*>(nullptr) = 1;",
       " in its first frame; the code before it goes on"},
      {"a picture that is not there", "data/textures/greenbg.png", "data/textures/missing.png",
       "the new code ended with status 255 building its scenes; the code before it goes on"},
  };
  for (const auto& failure : failures) {
    ASSERT_TRUE(edit(kSceneFile, failure.from, failure.to)) << failure.name;
    std::string says = failure.says;
    EXPECT_TRUE(waitForTitle([&says](const std::string& title) { return has(title, says); }, kRebuildSeconds))
        << failure.name << ": " << preview.windowTitle();
    EXPECT_TRUE(has(preview.output(), says + "\n")) << failure.name << ": " << preview.output();
    EXPECT_TRUE(picture().rgb == before.rgb) << failure.name << " changed the picture";
    EXPECT_EQ(titleSeconds(preview.windowTitle()), shown) << failure.name;
    // Back to the code that works, which loads again.
    writeFile(sourceFile(kSceneFile), original);
    EXPECT_TRUE(waitForTitle([&says](const std::string& title) { return !has(title, says); }, kRebuildSeconds))
        << failure.name << ": " << preview.windowTitle();
    ASSERT_TRUE(waitUntilBuilt(kRebuildSeconds)) << preview.windowTitle();
  }
  EXPECT_TRUE(has(preview.output(), "[! data/textures/missing.png] file not found.\n")) << preview.output();
  EXPECT_TRUE(picture().rgb == before.rgb);
}

TEST_F(PreviewCode, AShowThatCannotStartEndsThePreviewWithItsLine) {
  ASSERT_TRUE(edit(kSceneFile, "  float a = float(t - kWordSlamStart);",
                   "  float a = float(t - kWordSlamStart);\n  if (t > 0) *static_cast<volatile int*>(nullptr) = 1;"));
  preview.program = PREVIEW_BINARY;
  preview.arguments = {"--at", "7", "--show-build", sources.build};
  preview.start();
  EXPECT_EQ(preview.waitForExit(kRebuildSeconds), 1);
  std::string output = preview.output();
  EXPECT_EQ(output.rfind("vorlane-preview: the show's code crashed (", 0), 0u) << output;
  EXPECT_TRUE(has(output, ") in its first frame\n")) << output;
  EXPECT_EQ(preview.errors(), "");
}
