#include "video_frames.h"

#include "screen_cells.h"
#include "shell_word.h"

bool videoFrames::open(const std::string& path) {
  std::string probe = "ffprobe -v error -select_streams v:0 -show_entries stream=avg_frame_rate -of csv=p=0 " +
                      shellWord(path) + " 2>/dev/null";
  FILE* ffprobe = popen(probe.c_str(), "r");
  if (!ffprobe) return false;
  double numerator = 0, denominator = 1;
  int read = fscanf(ffprobe, "%lf/%lf", &numerator, &denominator);
  pclose(ffprobe);
  if (read < 1 || numerator <= 0 || denominator <= 0) return false;
  fps = numerator / denominator;
  std::string screen = std::to_string(kScreenWidth) + ":" + std::to_string(kScreenHeight);
  std::string fit = "scale=" + screen + ":force_original_aspect_ratio=decrease,pad=" + screen + ":(ow-iw)/2:(oh-ih)/2";
  std::string command = "ffmpeg -v error -i " + shellWord(path) + " -vf " + shellWord(fit) + " -f rawvideo -pix_fmt rgb24 -";
  ffmpeg = popen(command.c_str(), "r");
  return ffmpeg != nullptr;
}

bool videoFrames::next(std::vector<unsigned char>* rgb) {
  rgb->resize(size_t(kScreenWidth) * kScreenHeight * 3);
  return fread(rgb->data(), 1, rgb->size(), ffmpeg) == rgb->size();
}

bool videoFrames::close() { return pclose(ffmpeg) == 0; }
