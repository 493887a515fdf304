#include "video_encoder.h"

namespace {

// Enough to keep the encoder fed across a slow frame, few enough to stay small.
constexpr size_t kQueuedFrames = 4;

}  // namespace

bool videoEncoder::start(const std::string& path, double fps, const char* music, int width, int height) {
  std::string size = std::to_string(width) + "x" + std::to_string(height);
  // GL's rows come bottom first: vflip stands the picture up. The index
  // goes first (faststart), so that the file plays while it downloads. A
  // fixed number of encoder threads makes the same frames the same file on
  // any machine.
  std::string command = "ffmpeg -loglevel error -y -f rawvideo -pixel_format rgba -video_size " + size +
                        " -framerate " + std::to_string(fps) + " -i - -i '" + music + "' -map 0:v -map 1:a" +
                        " -vf vflip -c:v libx264 -threads 2 -profile:v high -preset " + kVideoPreset + " -crf " +
                        std::to_string(kVideoQuality) + " -pix_fmt yuv420p -c:a aac -profile:a aac_low -ar 48000 -ac 2" +
                        " -b:a " + kMusicBitrate + " -movflags +faststart -shortest '" + path + "'";
  ffmpeg = popen(command.c_str(), "w");
  if (!ffmpeg) return false;
  writer = std::thread([this] { writeFrames(); });
  return true;
}

void videoEncoder::push(std::vector<unsigned char> frame) {
  std::unique_lock<std::mutex> held(lock);
  changed.wait(held, [this] { return waiting.size() < kQueuedFrames || failed; });
  if (failed) return;
  waiting.push_back(std::move(frame));
  changed.notify_all();
}

void videoEncoder::writeFrames() {
  for (;;) {
    std::vector<unsigned char> frame;
    {
      std::unique_lock<std::mutex> held(lock);
      changed.wait(held, [this] { return !waiting.empty() || closing; });
      if (waiting.empty()) return;
      frame = std::move(waiting.front());
      waiting.pop_front();
      changed.notify_all();
    }
    if (fwrite(frame.data(), 1, frame.size(), ffmpeg) != frame.size()) {
      std::lock_guard<std::mutex> held(lock);
      failed = true;
      changed.notify_all();
      return;
    }
  }
}

bool videoEncoder::finish() {
  {
    std::lock_guard<std::mutex> held(lock);
    closing = true;
    changed.notify_all();
  }
  writer.join();
  int status = pclose(ffmpeg);
  return status == 0 && !failed;
}
