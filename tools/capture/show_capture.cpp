#include "show_capture.h"

#include <GLFW/glfw3.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "audio/mp3_decoder.h"
#include "capture_request.h"
#include "frame_image.h"
#include "frame_readback.h"
#include "progress_line.h"
#include "video_encoder.h"

namespace {

constexpr const char* kMusic = "data/vorlane.mp3";

}  // namespace

void showCapture::draw(double t) {
  float seconds = float(t);
  drawFrame(scenes, t >= 0, [seconds] { return seconds; });
}

std::vector<unsigned char> showCapture::frameAt(double t) {
  draw(t);
  std::vector<unsigned char> rgba = readFrame(width, height);
  glfwSwapBuffers(glfwGetCurrentContext());
  glfwPollEvents();
  return rgba;
}

int writeRange(showCapture& c, double from, double to, const std::string& dir) {
  std::error_code existsAlready;
  std::filesystem::create_directory(dir, existsAlready);
  int frames = rangeFrameCount(from, to, c.step);
  c.frameAt(from - c.step);
  for (int i = 0; i < frames; ++i) {
    char name[32];
    snprintf(name, sizeof name, "/frame_%05d.png", i);
    if (!writeFramePng(dir + name, c.frameAt(from + i * c.step), c.width, c.height)) {
      printf("vorlane-capture: cannot write %s%s\n", dir.c_str(), name);
      return 1;
    }
    printf("\rframe %d of %d", i + 1, frames);
    fflush(stdout);
  }
  printf("\n");
  return 0;
}

int writeVideo(showCapture& c, const std::string& path, double fps) {
  audio::decodedAudio music;
  if (audio::decodeMp3(kMusic, &music) != audio::kOk) {
    printf("vorlane-capture: cannot decode %s\n", kMusic);
    return 1;
  }
  double seconds = double(music.frames) / music.rate;
  int frames = int(std::ceil(seconds * fps));
  videoEncoder encoder;
  if (!encoder.start(path, fps, kMusic, c.width, c.height)) {
    printf("vorlane-capture: cannot start ffmpeg\n");
    return 1;
  }
  frameReadback readback(c.width, c.height);
  progressLine progress(frames, fps);
  c.draw(-c.step);
  std::vector<unsigned char> frame;
  for (int i = 0; i < frames; ++i) {
    // Nothing is shown: the frames go to the encoder, not to the screen.
    c.draw(i / fps);
    if (readback.readAndTakePrevious(&frame)) encoder.push(std::move(frame));
    progress.show(i + 1);
  }
  if (readback.takeLast(&frame)) encoder.push(std::move(frame));
  if (!encoder.finish()) {
    printf("\nvorlane-capture: ffmpeg could not write %s\n", path.c_str());
    return 1;
  }
  std::error_code unknown;
  double megabytes = double(std::filesystem::file_size(path, unknown)) / 1e6;
  printf("\nwrote %s: %.1f MB, %.2f s\n", path.c_str(), megabytes, frames / fps);
  return 0;
}
