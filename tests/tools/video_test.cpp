// The show's video keeps picture and sound together, at the show's own size
// and as a 1920 x 1080 screen shows it. The capture tool makes the video of
// a show whose music is the tests' short track; then each picture of the
// video must be the frame the tool writes as a PNG for the same time and
// size (within the encoder's loss, and closer to it than the frames on
// either side), the music in the file must start at frame 0 and last as
// long as the track, and the streams must be what parties and video sites
// ask for.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "support/child_process.h"
#include "support/temp_dir.h"
#include "support/test_track.h"

namespace {

constexpr double kFps = 60;

// The short show's video in a window of `size` ("1280x720"), made once for
// all the tests, with the PNG frames they compare it with.
class shortShowVideo {
 public:
  std::string size, folder, progress;

  explicit shortShowVideo(const std::string& size) : size(size), folder(makeTempDir()) {
    runCommand("cp -r " DEMO_DIR "/data " DEMO_DIR "/*.ttf " + folder);
    writeFile(folder + "/data/vorlane.mp3", readFile(kTestTrack));
    progress = runCommand("cd " + folder + " && " CAPTURE_BINARY " --video show.mp4 --fps 60 --size " + size);
  }
  ~shortShowVideo() { std::filesystem::remove_all(folder); }

  // A stream's field as ffprobe reads it.
  std::string streamField(const char* stream, const char* field) const {
    std::string value = runCommand(std::string("ffprobe -v error -select_streams ") + stream +
                                   " -show_entries stream=" + field + " -of csv=p=0 " + folder + "/show.mp4");
    return value.substr(0, value.find('\n'));
  }
  double streamNumber(const char* stream, const char* field) const { return atof(streamField(stream, field).c_str()); }

  // PSNR in dB between picture `index` of the video and a PNG.
  double psnrOfFrame(int index, const std::string& png) const {
    std::string picture = folder + "/video_" + std::to_string(index) + ".png";
    runCommand("ffmpeg -v error -y -i " + folder + "/show.mp4 -vf 'select=eq(n\\," + std::to_string(index) +
               ")' -vframes 1 " + picture);
    std::string report = runCommand("ffmpeg -i " + picture + " -i " + png + " -lavfi psnr -f null - 2>&1");
    size_t at = report.find("average:");
    return at == std::string::npos ? 0 : atof(report.c_str() + at + 8);
  }

  // The capture tool's PNG for time t.
  std::string pngAt(double t) const {
    std::string png = folder + "/at_" + std::to_string(t) + ".png";
    runCommand("cd " + folder + " && " CAPTURE_BINARY " --at " + std::to_string(t) + " --size " + size + " --out " +
               png);
    return png;
  }
};

const shortShowVideo& videoOfSize(const std::string& size) {
  static std::map<std::string, shortShowVideo> made;
  return made.try_emplace(size, size).first->second;
}

const char* const kSizes[] = {"1280x720", "1920x1080"};

}  // namespace

TEST(ShowVideo, EndsItsProgressWithThePathSizeAndLength) {
  const std::string& progress = videoOfSize("1280x720").progress;
  std::string last = progress.substr(progress.rfind("\nwrote ") + 1);
  EXPECT_EQ(last.rfind("wrote show.mp4: ", 0), 0u) << progress;
  EXPECT_NE(last.find(" MB, 1.50 s\n"), std::string::npos) << last;
}

TEST(ShowVideo, PicturesAreTheCapturedFramesOfTheSameTime) {
  for (const char* size : kSizes) {
    const shortShowVideo& video = videoOfSize(size);
    EXPECT_EQ(video.streamNumber("v:0", "nb_frames"), kTestTrackSeconds * kFps) << size;
    for (int index : {15, 60, 89}) {
      std::string png = video.pngAt(index / kFps);
      double same = video.psnrOfFrame(index, png);
      EXPECT_GT(same, 30) << size << ", frame " << index;
      EXPECT_GT(same, video.psnrOfFrame(index - 1, png) + 3) << size << ", frame " << index;
      if (index + 1 < kTestTrackSeconds * kFps) {
        EXPECT_GT(same, video.psnrOfFrame(index + 1, png) + 3) << size << ", frame " << index;
      }
    }
  }
}

TEST(ShowVideo, MusicStartsAtTheFirstFrameAndLastsAsLongAsTheTrack) {
  for (const char* size : kSizes) {
    const shortShowVideo& video = videoOfSize(size);
    EXPECT_NEAR(video.streamNumber("a:0", "start_time"), 0.0, 0.001) << size;
    EXPECT_NEAR(video.streamNumber("v:0", "start_time"), 0.0, 0.001) << size;
    EXPECT_NEAR(video.streamNumber("a:0", "duration"), kTestTrackSeconds, 1 / kFps) << size;
  }
}

TEST(ShowVideo, FullHdStreamsAreWhatPartiesAskFor) {
  const shortShowVideo& video = videoOfSize("1920x1080");
  EXPECT_EQ(video.streamField("v:0", "codec_name"), "h264");
  EXPECT_EQ(video.streamField("v:0", "profile"), "High");
  EXPECT_EQ(video.streamField("v:0", "pix_fmt"), "yuv420p");
  EXPECT_EQ(video.streamField("v:0", "width"), "1920");
  EXPECT_EQ(video.streamField("v:0", "height"), "1080");
  EXPECT_EQ(video.streamField("v:0", "r_frame_rate"), "60/1");
  EXPECT_GE(video.streamNumber("v:0", "bit_rate"), 6e6);
  EXPECT_EQ(video.streamField("a:0", "codec_name"), "aac");
  EXPECT_EQ(video.streamField("a:0", "profile"), "LC");
  EXPECT_EQ(video.streamField("a:0", "sample_rate"), "48000");
  EXPECT_EQ(video.streamField("a:0", "channels"), "2");
  EXPECT_GE(video.streamNumber("a:0", "bit_rate"), 192e3);
  // The index (moov) comes before the pictures and sound (mdat): it streams.
  std::string bytes = readFile(video.folder + "/show.mp4");
  EXPECT_LT(bytes.find("moov"), bytes.find("mdat"));
}
