// The show's video keeps picture and sound together. The capture tool makes
// the video of a show whose music is the tests' short track; then each
// picture of the video must be the frame the tool writes as a PNG for the
// same time (within the encoder's loss, and closer to it than the frames on
// either side), and the music in the file must start at frame 0 and last as
// long as the track.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/child_process.h"
#include "support/temp_dir.h"
#include "support/test_track.h"

namespace {

constexpr double kFps = 60;

class ShowVideo : public testing::Test {
 protected:
  static std::string folder;
  static std::string progress;

  // One video for the whole suite: the capture takes a few seconds.
  static void SetUpTestSuite() {
    folder = makeTempDir();
    runCommand("cp -r " DEMO_DIR "/data " DEMO_DIR "/*.ttf " + folder);
    writeFile(folder + "/data/vorlane.mp3", readFile(kTestTrack));
    progress = runCommand("cd " + folder + " && " CAPTURE_BINARY " --video show.mp4 --fps 60");
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(folder); }

  // A stream's field as ffprobe reads it.
  static double streamField(const char* stream, const char* field) {
    std::string value = runCommand(std::string("ffprobe -v error -select_streams ") + stream +
                                   " -show_entries stream=" + field + " -of csv=p=0 " + folder + "/show.mp4");
    return atof(value.c_str());
  }

  // PSNR in dB between picture `index` of the video and a PNG.
  static double psnrOfFrame(int index, const std::string& png) {
    std::string picture = folder + "/video_" + std::to_string(index) + ".png";
    runCommand("ffmpeg -v error -y -i " + folder + "/show.mp4 -vf 'select=eq(n\\," + std::to_string(index) +
               ")' -vframes 1 " + picture);
    std::string report = runCommand("ffmpeg -i " + picture + " -i " + png + " -lavfi psnr -f null - 2>&1");
    size_t at = report.find("average:");
    return at == std::string::npos ? 0 : atof(report.c_str() + at + 8);
  }

  // The capture tool's PNG for time t.
  static std::string pngAt(double t) {
    std::string png = folder + "/at_" + std::to_string(t) + ".png";
    runCommand("cd " + folder + " && " CAPTURE_BINARY " --at " + std::to_string(t) + " --out " + png);
    return png;
  }
};

std::string ShowVideo::folder;
std::string ShowVideo::progress;

}  // namespace

TEST_F(ShowVideo, EndsItsProgressWithThePathSizeAndLength) {
  std::string last = progress.substr(progress.rfind("\nwrote ") + 1);
  EXPECT_EQ(last.rfind("wrote show.mp4: ", 0), 0u) << progress;
  EXPECT_NE(last.find(" MB, 1.50 s\n"), std::string::npos) << last;
}

TEST_F(ShowVideo, PicturesAreTheCapturedFramesOfTheSameTime) {
  EXPECT_EQ(streamField("v:0", "nb_frames"), kTestTrackSeconds * kFps);
  for (int index : {15, 60, 89}) {
    std::string png = pngAt(index / kFps);
    double same = psnrOfFrame(index, png);
    EXPECT_GT(same, 30) << "frame " << index;
    EXPECT_GT(same, psnrOfFrame(index - 1, png) + 3) << "frame " << index;
    if (index + 1 < kTestTrackSeconds * kFps) {
      EXPECT_GT(same, psnrOfFrame(index + 1, png) + 3) << "frame " << index;
    }
  }
}

TEST_F(ShowVideo, MusicStartsAtTheFirstFrameAndLastsAsLongAsTheTrack) {
  EXPECT_NEAR(streamField("a:0", "start_time"), 0.0, 0.001);
  EXPECT_NEAR(streamField("v:0", "start_time"), 0.0, 0.001);
  EXPECT_NEAR(streamField("a:0", "duration"), kTestTrackSeconds, 1 / kFps);
}
