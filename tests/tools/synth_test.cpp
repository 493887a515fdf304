// The synthesizer's building blocks, where a slip would be heard or would
// break the file: buffers that mix only where they overlap, gains applied
// frame by frame in order, equal-power panning, a limiter that never lets a
// sample past its ceiling, a WAV header an encoder reads, and parts kept
// from one run to the next only while the code that made them is the same.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "kept_parts.h"
#include "limiter.h"
#include "part_mix.h"
#include "stereo_buffer.h"
#include "support/temp_dir.h"
#include "wav_writer.h"

TEST(StereoBuffer, MixesInOnlyWhereTheSpansOverlapAndDropsFramesOutside) {
  stereoBuffer part(1.0, 2.0);
  stereoBuffer sound(1.5, 3.0);
  for (size_t i = 0; i < sound.frames(); ++i) sound.left[i] = sound.right[i] = 1.0f;
  part.mixIn(sound, 0.5f);
  EXPECT_EQ(part.left[size_t(frameAt(0.5)) - 1], 0.0f);
  EXPECT_EQ(part.left[size_t(frameAt(0.5))], 0.5f);
  EXPECT_EQ(part.right.back(), 0.5f);
  part.add(frameAt(0.9), 1, 1);
  part.add(frameAt(2.0), 1, 1);
  EXPECT_EQ(part.left.front(), 0.0f);
  EXPECT_EQ(part.right.back(), 0.5f);
}

TEST(StereoBuffer, GainIsTakenAtEachFramesTrackTimeInOrder) {
  stereoBuffer sound(2.0, 2.001);
  for (size_t i = 0; i < sound.frames(); ++i) sound.left[i] = sound.right[i] = 1.0f;
  double previous = 0;
  bool inOrder = true;
  sound.applyGain([&](double t) {
    inOrder &= t > previous;
    previous = t;
    return t - 2.0;
  });
  EXPECT_TRUE(inOrder);
  EXPECT_EQ(sound.left.front(), 0.0f);
  EXPECT_FLOAT_EQ(sound.right.back(), float(sound.secondsAt(sound.frames() - 1) - 2.0));
}

TEST(StereoPlacement, CentreKeepsTheLevelAndTheEdgesTakeItAll) {
  stereoPlacement centre = placeAt(0.5f, 0);
  EXPECT_NEAR(centre.left, 0.5f, 1e-6);
  EXPECT_NEAR(centre.right, 0.5f, 1e-6);
  stereoPlacement left = placeAt(1, -1);
  EXPECT_NEAR(left.left, std::sqrt(2.0f), 1e-6);
  EXPECT_NEAR(left.right, 0, 1e-6);
  // Past the edge is the edge.
  stereoPlacement beyond = placeAt(1, 3);
  EXPECT_NEAR(beyond.left, 0, 1e-6);
  EXPECT_NEAR(beyond.right, std::sqrt(2.0f), 1e-6);
  // Equal power anywhere between.
  stereoPlacement between = placeAt(1, 0.3f);
  EXPECT_NEAR(between.left * between.left + between.right * between.right, 2.0, 1e-5);
}

TEST(PartMix, SendsCarryTheirShareOfTheLevelAndNothingWhenZero) {
  partMix mix(0.0, 0.01);
  stereoBuffer sound = mix.track();
  sound.left[0] = 1.0f;
  mix.place(sound, mixLevels{0.5f, 0.4f, 0.0f});
  EXPECT_FLOAT_EQ(mix.dry.left[0], 0.5f);
  EXPECT_FLOAT_EQ(mix.reverbSend.left[0], 0.2f);
  EXPECT_EQ(mix.echoSend.left[0], 0.0f);
}

TEST(Limiter, NoSampleLeavesAboveTheCeilingAndQuietOnesPassUnchanged) {
  stereoBuffer mix(0.0, 0.5);
  for (size_t i = 0; i < mix.frames(); ++i) mix.left[i] = mix.right[i] = 0.1f;
  size_t peak = mix.frames() / 2;
  mix.left[peak] = 3.0f;
  mix.right[peak + 1] = -2.0f;
  limiterSettings settings;
  limitPeaks(&mix, settings);
  // Scaling a peak down to the ceiling may round a last bit above it.
  float ceiling = settings.ceiling * (1 + 1e-6f);
  for (size_t i = 0; i < mix.frames(); ++i) {
    EXPECT_LE(std::fabs(mix.left[i]), ceiling) << i;
    EXPECT_LE(std::fabs(mix.right[i]), ceiling) << i;
  }
  EXPECT_FLOAT_EQ(mix.left[10], 0.1f);
}

TEST(WavWriter, WritesTheHeaderAnEncoderReads) {
  std::string dir = makeTempDir();
  std::string path = dir + "/out.wav";
  ASSERT_TRUE(writeWav(path.c_str(), {1, -2, 300, -32768}, 2, 44100));
  std::string bytes = readFile(path);
  std::filesystem::remove_all(dir);
  ASSERT_EQ(bytes.size(), 44u + 8);
  auto little = [&](size_t at, int count) {
    unsigned value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + size_t(i)]);
    return value;
  };
  EXPECT_EQ(bytes.substr(0, 4), "RIFF");
  EXPECT_EQ(little(4, 4), 36u + 8);
  EXPECT_EQ(bytes.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(little(22, 2), 2u);      // channels
  EXPECT_EQ(little(24, 4), 44100u);  // frames a second
  EXPECT_EQ(little(28, 4), 44100u * 4);
  EXPECT_EQ(little(32, 2), 4u);  // bytes a frame
  EXPECT_EQ(bytes.substr(36, 4), "data");
  EXPECT_EQ(little(40, 4), 8u);
  EXPECT_EQ(little(44 + 6, 2), 0x8000u);
  EXPECT_FALSE(writeWav("/nonexistent/folder/out.wav", {0}, 1, 44100));
}

namespace {

// Two parts that count how often they are played, each a few frames of its
// own level.
int openingsPlayed = 0, scrollersPlayed = 0;
stereoBuffer partOfLevel(long firstFrame, float level) {
  stereoBuffer part;
  part.firstFrame = firstFrame;
  part.left.assign(5, level);
  part.right.assign(5, -level);
  return part;
}
stereoBuffer playOpening() {
  ++openingsPlayed;
  return partOfLevel(0, 0.25f);
}
stereoBuffer playScroller() {
  ++scrollersPlayed;
  return partOfLevel(441, 0.5f);
}
const std::vector<trackPart> kTwoParts = {{"opening", "opening_part.cpp.o", playOpening},
                                          {"scroller", "scroller_part.cpp.o", playScroller}};

}  // namespace

TEST(KeptParts, APartIsPlayedAgainOnlyWhenItsObjectOrTheSharedOnesChangeOrItsFileIsDamaged) {
  std::string dir = makeTempDir();
  std::string objects = dir + "/objects";
  std::filesystem::create_directories(objects);
  writeFile(objects + "/opening_part.cpp.o", "opening code");
  writeFile(objects + "/scroller_part.cpp.o", "scroller code");
  writeFile(objects + "/instruments.cpp.o", "instrument code");
  writeFile(objects + "/instruments.cpp.o.d", "a dependency list, not code");
  keptParts kept{objects, dir + "/kept", {}};
  // Plays both parts through the kept folder: which were kept.
  auto playBoth = [&] {
    std::string line;
    EXPECT_TRUE(kept.readKeys(kTwoParts, &line)) << line;
    std::vector<bool> fromKept;
    for (size_t i = 0; i < kTwoParts.size(); ++i) {
      bool wasKept = false;
      stereoBuffer part = kept.play(kTwoParts, i, &wasKept);
      stereoBuffer played = i == 0 ? partOfLevel(0, 0.25f) : partOfLevel(441, 0.5f);
      EXPECT_EQ(part.firstFrame, played.firstFrame) << i;
      EXPECT_EQ(part.left, played.left) << i;
      EXPECT_EQ(part.right, played.right) << i;
      fromKept.push_back(wasKept);
    }
    return fromKept;
  };

  EXPECT_EQ(playBoth(), (std::vector<bool>{false, false}));
  EXPECT_EQ(playBoth(), (std::vector<bool>{true, true}));
  EXPECT_EQ(openingsPlayed, 1);
  EXPECT_EQ(scrollersPlayed, 1);

  // The scroller's own code changed: the opening is still what it was.
  writeFile(objects + "/scroller_part.cpp.o", "scroller code, edited");
  EXPECT_EQ(playBoth(), (std::vector<bool>{true, false}));
  // An edit that changed nothing in the dependency lists' objects.
  writeFile(objects + "/instruments.cpp.o.d", "another dependency list");
  EXPECT_EQ(playBoth(), (std::vector<bool>{true, true}));
  // Code every part runs, and a new file of it.
  writeFile(objects + "/instruments.cpp.o", "instrument code, edited");
  EXPECT_EQ(playBoth(), (std::vector<bool>{false, false}));
  writeFile(objects + "/echo.cpp.o", "echo code");
  EXPECT_EQ(playBoth(), (std::vector<bool>{false, false}));
  EXPECT_EQ(playBoth(), (std::vector<bool>{true, true}));

  // A kept file cut short, or of another part's code, is played again.
  std::string keptOpening = dir + "/kept/opening_part.samples";
  std::string bytes = readFile(keptOpening);
  writeFile(keptOpening, bytes.substr(0, bytes.size() - 4));
  EXPECT_EQ(playBoth(), (std::vector<bool>{false, true}));
  std::filesystem::copy_file(dir + "/kept/scroller_part.samples", keptOpening,
                             std::filesystem::copy_options::overwrite_existing);
  EXPECT_EQ(playBoth(), (std::vector<bool>{false, true}));
  EXPECT_EQ(openingsPlayed, 5);
  EXPECT_EQ(scrollersPlayed, 4);

  // Without a part's object there is no key to trust.
  std::filesystem::remove(objects + "/opening_part.cpp.o");
  std::string line;
  EXPECT_FALSE(kept.readKeys(kTwoParts, &line));
  EXPECT_EQ(line, "cannot read " + objects + "/opening_part.cpp.o");
  std::filesystem::remove_all(dir);
}
