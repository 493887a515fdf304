#include "show_capture.h"

#include <GLFW/glfw3.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "audio/mp3_decoder.h"
#include "capture_request.h"
#include "frame_image.h"

namespace {

constexpr const char* kMusic = "data/vorlane.mp3";

}  // namespace

std::vector<unsigned char> showCapture::frameAt(double t) {
  float seconds = float(t);
  drawFrame(scenes, t >= 0, [seconds] { return seconds; });
  std::vector<unsigned char> rgba = readFrame();
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
    if (!writeFramePng(dir + name, c.frameAt(from + i * c.step))) {
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
  std::string command = "ffmpeg -loglevel error -y -f rawvideo -pixel_format rgba -video_size 1280x720 -framerate " +
                        std::to_string(fps) + " -i - -i " + kMusic +
                        " -vf vflip -c:v libx264 -preset medium -crf 18 -pix_fmt yuv420p -c:a aac -b:a 192k "
                        "-shortest '" + path + "'";
  FILE* encoder = popen(command.c_str(), "w");
  if (!encoder) {
    printf("vorlane-capture: cannot start ffmpeg\n");
    return 1;
  }
  c.frameAt(-c.step);
  for (int i = 0; i < frames; ++i) {
    std::vector<unsigned char> rgba = c.frameAt(i / fps);
    if (fwrite(rgba.data(), 1, rgba.size(), encoder) != rgba.size()) break;
    if (i % 30 == 0 || i + 1 == frames) {
      printf("\rframe %d of %d (%.1f s of %.1f s)", i + 1, frames, i / fps, seconds);
      fflush(stdout);
    }
  }
  printf("\n");
  return pclose(encoder) == 0 ? 0 : 1;
}
