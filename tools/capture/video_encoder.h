#pragma once
// ffmpeg encoding the show's frames and its music into one file, fed from a
// thread of its own: the frames wait in a short queue while the next ones
// render, and the encoder works in its own process on the other core.

#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// H.264 at a constant quality. Measured on three seconds of the show against
// its PNG frames, in 4:2:0 as a player shows them: "veryfast" at CRF 16
// matches "medium" at CRF 18 (42.4 against 42.5 dB PSNR) with 21 % more
// bytes and under half the encoding CPU time, which leaves the renderer
// most of the other core.
constexpr const char* kVideoPreset = "veryfast";
constexpr int kVideoQuality = 16;
// AAC-LC, 48 kHz stereo: above what video sites and parties ask (192k).
constexpr const char* kMusicBitrate = "256k";

class videoEncoder {
 public:
  FILE* ffmpeg = nullptr;
  std::thread writer;
  std::mutex lock;
  std::condition_variable changed;
  std::deque<std::vector<unsigned char>> waiting;  // frames, bottom row first
  bool closing = false;
  bool failed = false;

  // Starts ffmpeg writing `path` from raw RGBA frames of `width` x `height`
  // at `fps` and the music file `music`; false if it could not be started.
  bool start(const std::string& path, double fps, const char* music, int width, int height);
  // Queues a frame; waits while the queue is full.
  void push(std::vector<unsigned char> frame);
  // Writes what is queued, lets ffmpeg finish the file; true if all went well.
  bool finish();

 private:
  void writeFrames();
};
