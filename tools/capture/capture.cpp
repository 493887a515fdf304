// vorlane-capture: renders the show without the music clock, to PNG frames
// or to a video with the music.
//
// Each frame is the demo's own frame, drawn for a time from a fixed-step
// clock. The scenes carry GL state from one frame to the next, so a capture
// always renders the frame one step before its first one.

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "audio/mp3_decoder.h"
#include "frame_image.h"
#include "runtime/demo_frame.h"
#include "runtime/window.h"

namespace {

constexpr const char* kMusic = "data/vorlane.mp3";

const char* const kUsage =
    "usage: vorlane-capture --at T --out FILE.png [--fps N]\n"
    "       vorlane-capture --from A --to B --out DIR [--fps N]\n"
    "       vorlane-capture --video FILE.mp4 [--fps N]\n"
    "Renders the show's frames for music times in seconds (a time before 0 is the\n"
    "black frame before the music starts): one frame, numbered frames\n"
    "DIR/frame_00000.png from A to B, or the whole show as a 1280 x 720 video with\n"
    "the music (needs ffmpeg). N frames a second, 60 by default. Run it in the\n"
    "demo's folder, under an X display.\n";

class captureRequest {
 public:
  double at = NAN, from = NAN, to = NAN;
  double fps = 60;
  std::string out, video;
};

bool parse(int argc, char** argv, captureRequest* request) {
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (option == "--at") request->at = atof(value);
    else if (option == "--from") request->from = atof(value);
    else if (option == "--to") request->to = atof(value);
    else if (option == "--fps") request->fps = atof(value);
    else if (option == "--out") request->out = value;
    else if (option == "--video") request->video = value;
    else return false;
  }
  bool single = !std::isnan(request->at) && !request->out.empty();
  bool range = !std::isnan(request->from) && !std::isnan(request->to) && !request->out.empty();
  bool video = !request->video.empty();
  return request->fps > 0 && single + range + video == 1;
}

class capture {
 public:
  demoScenes scenes;
  double step;

  // Draws the frame for time t and returns its pixels.
  std::vector<unsigned char> frameAt(double t) {
    float seconds = float(t);
    drawFrame(scenes, t >= 0, [seconds] { return seconds; });
    std::vector<unsigned char> rgba = readFrame();
    glfwSwapBuffers(glfwGetCurrentContext());
    glfwPollEvents();
    return rgba;
  }
};

int writeRange(capture& c, double from, double to, const std::string& dir) {
  std::error_code existsAlready;
  std::filesystem::create_directory(dir, existsAlready);
  int frames = int(std::floor((to - from) / c.step + 1e-9)) + 1;
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

int writeVideo(capture& c, const std::string& path, double fps) {
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

}  // namespace

int main(int argc, char** argv) {
  captureRequest request;
  if (argc == 2 && (!strcmp(argv[1], "--help") || !strcmp(argv[1], "-h"))) {
    printf("%s", kUsage);
    return 0;
  }
  if (!parse(argc, argv, &request)) {
    printf("%s", kUsage);
    return 2;
  }
  if (glfwInit() != GLFW_TRUE || !openDemoWindow(false) || glewInit() != GLEW_OK) {
    printf("vorlane-capture: no X display or no OpenGL 2\n");
    return 1;
  }
  capture c{buildScenes(), 1 / request.fps};
  setFixedState();

  if (!request.video.empty()) return writeVideo(c, request.video, request.fps);
  if (!std::isnan(request.at)) {
    c.frameAt(request.at - c.step);
    if (!writeFramePng(request.out, c.frameAt(request.at))) {
      printf("vorlane-capture: cannot write %s\n", request.out.c_str());
      return 1;
    }
    return 0;
  }
  return writeRange(c, request.from, request.to, request.out);
}
