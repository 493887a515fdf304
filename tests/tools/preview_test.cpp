// The preview's own parts: where each key takes the show on the
// millisecond clock (scene starts, frame steps, the ends of the track) of
// the timeline loaded, the loop's bounds, the title, and which edited
// files count as changed and when, saved in place, by renaming, in a folder
// made again or behind a link, and the pictures kept decoded across reloads
// by their bytes.

#include <gtest/gtest.h>

#include <GLFW/glfw3.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "decoded_pictures.h"
#include "file_watch.h"
#include "preview_keys.h"
#include "preview_title.h"
#include "support/temp_dir.h"

namespace {

constexpr unsigned kLengthMs = 49500;

previewState at(unsigned ms, bool paused = false) {
  previewState state;
  state.positionMs = ms;
  state.lengthMs = kLengthMs;
  state.paused = paused;
  state.sceneAt = sceneAt;
  return state;
}

}  // namespace

TEST(PreviewKeys, EachKeyTakesTheShowWhereItSays) {
  const struct {
    const char* name;
    int key, mods;
    previewState state;
    previewAction action;
    unsigned toMs;
  } cases[] = {
      {"Space", GLFW_KEY_SPACE, 0, at(8000), previewAction::pause, 0},
      {"Right", GLFW_KEY_RIGHT, 0, at(8000), previewAction::move, 9000},
      {"Left", GLFW_KEY_LEFT, 0, at(8000), previewAction::move, 7000},
      {"Shift+Right", GLFW_KEY_RIGHT, GLFW_MOD_SHIFT, at(8000), previewAction::move, 8100},
      {"Shift+Left", GLFW_KEY_LEFT, GLFW_MOD_SHIFT, at(8000), previewAction::move, 7900},
      {"Left near the start", GLFW_KEY_LEFT, 0, at(400), previewAction::move, 0},
      {"Right near the end", GLFW_KEY_RIGHT, 0, at(49000), previewAction::move, kLengthMs},
      {"full stop, paused", GLFW_KEY_PERIOD, 0, at(12101, true), previewAction::move, 12117},
      {"comma, paused", GLFW_KEY_COMMA, 0, at(12117, true), previewAction::move, 12100},
      {"comma at 0, paused", GLFW_KEY_COMMA, 0, at(0, true), previewAction::move, 0},
      {"full stop, playing", GLFW_KEY_PERIOD, 0, at(12101), previewAction::none, 0},
      {"Home", GLFW_KEY_HOME, 0, at(30000), previewAction::move, 0},
      {"1", GLFW_KEY_1, 0, at(30000), previewAction::move, 0},
      // 6.5 s and 11 s themselves draw no scene.
      {"2", GLFW_KEY_2, 0, at(30000), previewAction::move, 6501},
      {"3", GLFW_KEY_3, 0, at(3000), previewAction::move, 11001},
      {"L", GLFW_KEY_L, 0, at(3000), previewAction::loop, 0},
      {"Escape", GLFW_KEY_ESCAPE, 0, at(3000), previewAction::quit, 0},
      {"Enter", GLFW_KEY_ENTER, 0, at(3000), previewAction::none, 0},
  };
  for (const auto& c : cases) {
    previewCommand command = commandForKey(c.key, c.mods, c.state);
    EXPECT_EQ(command.action, c.action) << c.name;
    EXPECT_EQ(command.toMs, c.toMs) << c.name;
  }
}

TEST(PreviewKeys, LoopSpansTheSceneShowing) {
  const struct {
    unsigned atMs, startMs, endMs;
  } cases[] = {
      {0, 0, 6500},         {6499, 0, 6500},         {6500, 6501, 11000},  // no scene at 6.5 s: the next one
      {8000, 6501, 11000},  {11001, 11001, kLengthMs}, {40000, 11001, kLengthMs},
  };
  for (const auto& c : cases) {
    previewState state = at(c.atMs);
    loopSceneShowing(&state);
    EXPECT_EQ(state.loopStartMs, c.startMs) << c.atMs;
    EXPECT_EQ(state.loopEndMs, c.endMs) << c.atMs;
  }
}

// A timeline as an edited schedule could give: the word slam from 7 s, and
// no scroller at all.
sceneSlot movedTimeline(float t) {
  if (t < 7) return sceneSlot::opening;
  return t > 7 ? sceneSlot::wordSlam : sceneSlot::none;
}

TEST(PreviewKeys, FollowTheTimelineOfTheCodeLoaded) {
  previewState state = at(3000);
  state.sceneAt = movedTimeline;
  EXPECT_EQ(commandForKey(GLFW_KEY_2, 0, state).toMs, 7001u);
  // A scene that never comes is at the end of the track.
  EXPECT_EQ(commandForKey(GLFW_KEY_3, 0, state).toMs, kLengthMs);
  state.positionMs = 20000;
  loopSceneShowing(&state);
  EXPECT_EQ(state.loopStartMs, 7001u);
  EXPECT_EQ(state.loopEndMs, kLengthMs);
  previewState moved = at(8000);
  moved.sceneAt = movedTimeline;
  EXPECT_EQ(previewTitle(moved, 0.02, {}), "8.000 s | word slam | frame 20.0 ms");
  moved.positionMs = 6900;
  EXPECT_EQ(previewTitle(moved, 0.02, {}), "6.900 s | opening | frame 20.0 ms");
}

TEST(PreviewTitle, SaysTheMomentSceneStateFrameTimeAndNotes) {
  previewState state = at(8801, true);
  state.looping = true;
  EXPECT_EQ(previewTitle(state, 0.0167, {}), "8.801 s | word slam | paused | looping | frame 16.7 ms");
  EXPECT_EQ(previewTitle(at(6500), 0.04, {"Couldn't load shaderfile data/shaders/scroller.frag"}),
            "6.500 s | between scenes | frame 40.0 ms | Couldn't load shaderfile data/shaders/scroller.frag");
  EXPECT_EQ(previewTitle(at(49), 0.02, {"building", "new music coming"}),
            "0.049 s | opening | frame 20.0 ms | building | new music coming");
}

TEST(FileWatch, SeesAFileSavedByRenamingOrInAFolderMadeAgainAndOneEditedBehindALink) {
  std::string root = makeTempDir();
  std::filesystem::create_directories(root + "/src/scenes");
  writeFile(root + "/src/scenes/scene.cpp", "first");
  fileWatch sources(root, {{"src/scenes", {".cpp"}}});
  sources.waitsToSettle = false;
  EXPECT_TRUE(sources.changedFiles().empty());
  // As an editor saves: a new file moved over the old one.
  writeFile(root + "/src/scenes/.scene.cpp.swp", "second");
  std::filesystem::rename(root + "/src/scenes/.scene.cpp.swp", root + "/src/scenes/scene.cpp");
  EXPECT_EQ(sources.changedFiles(), std::vector<std::string>{"src/scenes/scene.cpp"});
  EXPECT_TRUE(sources.changedFiles().empty());
  // The folder itself replaced, as a checkout of another branch may.
  std::filesystem::remove_all(root + "/src/scenes");
  EXPECT_EQ(sources.changedFiles(), std::vector<std::string>{"src/scenes/scene.cpp"});
  std::filesystem::create_directories(root + "/src/scenes");
  writeFile(root + "/src/scenes/scene.cpp", "third");
  EXPECT_EQ(sources.changedFiles(), std::vector<std::string>{"src/scenes/scene.cpp"});

  // The working folder's font is a link to the sources' own: an edit there
  // changes nothing in the working folder itself.
  std::filesystem::create_directories(root + "/fonts");
  std::filesystem::create_directories(root + "/work");
  writeFile(root + "/fonts/face.ttf", "font");
  std::filesystem::create_symlink(root + "/fonts/face.ttf", root + "/work/face.ttf");
  fileWatch files(root + "/work", {{"", {".ttf"}}});
  files.waitsToSettle = false;
  writeFile(root + "/fonts/face.ttf", "a new font");
  EXPECT_EQ(files.changedFiles(), std::vector<std::string>{"face.ttf"});
  std::filesystem::remove_all(root);
}

TEST(FileWatch, ReportsAFileOnceItsChangeHasHeld) {
  std::string root = makeTempDir();
  std::filesystem::create_directories(root + "/data/textures");
  std::filesystem::create_directories(root + "/data/shaders");
  writeFile(root + "/data/textures/sun.png", "sun");
  writeFile(root + "/data/shaders/scroller.frag", "frag");
  writeFile(root + "/font.ttf", "font");
  writeFile(root + "/notes.txt", "notes");
  fileWatch watch(root, kSceneFiles);
  EXPECT_TRUE(watch.changedFiles().empty());

  const struct {
    const char* name;
    const char* path;
    const char* bytes;  // null: the file goes
    const char* reported;  // null: not one of the show's files
  } cases[] = {
      {"edited picture", "/data/textures/sun.png", "a new sun", "data/textures/sun.png"},
      {"edited shader", "/data/shaders/scroller.frag", "new frag", "data/shaders/scroller.frag"},
      {"edited font", "/font.ttf", "new font", "font.ttf"},
      {"new picture", "/data/textures/moon.png", "moon", "data/textures/moon.png"},
      {"picture gone", "/data/textures/sun.png", nullptr, "data/textures/sun.png"},
      {"not the show's", "/notes.txt", "more notes", nullptr},
  };
  for (const auto& c : cases) {
    if (c.bytes)
      writeFile(root + c.path, c.bytes);
    else
      std::filesystem::remove(root + c.path);
    // Still being written, as far as the watch can tell.
    EXPECT_TRUE(watch.changedFiles().empty()) << c.name;
    std::vector<std::string> changed = watch.changedFiles();
    if (c.reported) {
      EXPECT_EQ(changed, std::vector<std::string>{c.reported}) << c.name;
    } else {
      EXPECT_TRUE(changed.empty()) << c.name;
    }
    EXPECT_TRUE(watch.changedFiles().empty()) << c.name;
  }
  std::filesystem::remove_all(root);
}

namespace {

// A decoder that counts its calls and makes a picture as wide as the
// file's first byte, one pixel high, of the colour of its second; no
// picture for a file that starts with 0.
int decodes = 0;
gdImagePtr countingDecoder(int size, void* data) {
  ++decodes;
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  if (size < 2 || bytes[0] == 0) return nullptr;
  gdImagePtr image = gdImageCreateTrueColor(bytes[0], 1);
  for (int x = 0; x < bytes[0]; ++x) gdImageSetPixel(image, x, 0, gdTrueColor(bytes[1], 0, 0));
  return image;
}

}  // namespace

TEST(DecodedPictures, AFileIsDecodedOnceAndEveryCallGetsAPictureOfItsOwn) {
  decodedPictures pictures;
  std::string red = "\x04\xff", dim = "\x04\x40", wide = "\x40\x10", broken = std::string("\x00\x00", 2);
  auto decode = [&](std::string bytes) { return pictures.decode(int(bytes.size()), bytes.data(), countingDecoder); };

  gdImagePtr first = decode(red);
  gdImagePtr again = decode(red);
  ASSERT_TRUE(first && again);
  EXPECT_EQ(decodes, 1);
  EXPECT_NE(first, again);
  EXPECT_EQ(gdImageSX(again), 4);
  EXPECT_EQ(gdImageRed(again, gdImageTrueColorPixel(again, 3, 0)), 0xff);
  // The toolkit destroys what it gets: the kept picture is not among them.
  gdImageDestroy(first);
  gdImageDestroy(again);
  gdImagePtr third = decode(red);
  EXPECT_EQ(gdImageRed(third, gdImageTrueColorPixel(third, 0, 0)), 0xff);
  gdImageDestroy(third);

  // The same file edited is decoded anew; a file with no picture is not kept.
  gdImagePtr edited = decode(dim);
  EXPECT_EQ(decodes, 2);
  EXPECT_EQ(gdImageRed(edited, gdImageTrueColorPixel(edited, 0, 0)), 0x40);
  gdImageDestroy(edited);
  EXPECT_EQ(decode(broken), nullptr);
  EXPECT_EQ(decode(broken), nullptr);
  EXPECT_EQ(decodes, 4);

  // Past the bound, the picture used longest ago goes first.
  pictures.mostBytes = 4 * 4 + 64 * 4;
  gdImageDestroy(decode(red));
  gdImageDestroy(decode(wide));
  EXPECT_EQ(decodes, 5);
  ASSERT_EQ(pictures.kept.size(), 2u);
  gdImageDestroy(decode(dim));
  EXPECT_EQ(decodes, 6);
  gdImageDestroy(decode(red));
  EXPECT_EQ(decodes, 7) << "the dim picture was kept in place of the one used longest ago";
}
