// Every file of the show that a tool makes is what that tool makes today:
// the textures and the Windows icon from the painter, the music and the
// tests' short track from the synthesizer (encoded as tools/make-assets
// encodes them), and the block font from its tracer. A change to a generator that forgets to remake its
// file, or a file edited by hand, fails here.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app_icon.h"
#include "demo_track.h"
#include "picture_set.h"
#include "stereo_buffer.h"
#include "sun.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "test_track.h"
#include "wav_writer.h"

namespace {

constexpr int kChannels = 2;

class AssetRegeneration : public testing::Test {
 protected:
  std::string dir = makeTempDir();
  ~AssetRegeneration() override { std::filesystem::remove_all(dir); }

  // The repository's copy of a file, byte for byte.
  static std::string committed(const std::string& path) { return readFile(VORLANE_SOURCE_DIR "/" + path); }

  // Encodes samples to mp3 as tools/make-assets does.
  std::string encoded(const std::vector<int16_t>& samples, const char* bitrate) {
    std::string wav = dir + "/track.wav", mp3 = dir + "/track.mp3";
    if (!writeWav(wav.c_str(), samples, kChannels, kSampleRate)) return "";
    runCommand("lame --quiet -b " + std::string(bitrate) + " " + wav + " " + mp3);
    return readFile(mp3);
  }
};

}  // namespace

TEST_F(AssetRegeneration, EveryTextureIsWhatThePainterPaints) {
  for (const picture& p : kPictures) {
    std::string path = dir + "/" + p.file;
    ASSERT_GT(writePng(p.paint(), path), 0) << p.file;
    EXPECT_TRUE(readFile(path) == committed(std::string("data/textures/") + p.file)) << p.file;
  }
}

TEST_F(AssetRegeneration, TheWindowsIconIsTheSunThePainterPaints) {
  EXPECT_TRUE(encodeIcon(paintSun()) == committed("release/windows/vorlane.ico"));
}

TEST_F(AssetRegeneration, MusicAndShortTrackAreWhatTheSynthesizerPlays) {
  std::string music = encoded(renderDemoTrack([](const char*, bool, int, int) {}), "192");
  ASSERT_FALSE(music.empty());
  EXPECT_TRUE(music == committed("data/vorlane.mp3"));
  std::string shortTrack = encoded(makeTestTrack(), "160");
  ASSERT_FALSE(shortTrack.empty());
  EXPECT_TRUE(shortTrack == committed("tests/data/short_track.mp3"));
}

TEST_F(AssetRegeneration, BlockFontIsWhatTheTracerDraws) {
  std::string font = dir + "/font.ttf";
  runCommand("/usr/bin/python3 " VORLANE_SOURCE_DIR "/tools/font/make_block_font.py " + font + " >/dev/null");
  std::string made = readFile(font);
  ASSERT_FALSE(made.empty());
  EXPECT_TRUE(made == committed("fonts/BorisBlackBloxx.ttf"));
}
