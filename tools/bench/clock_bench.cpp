// vorlane-clock-bench: how evenly the music clock advances.
//
// Plays a track and asks the channel for its position 1,000 times, one
// millisecond apart, as a frame loop running at 1,000 frames per second would.
// Prints the spacing of the positions the channel reports, beside that of the
// mixer's own offset, which moves only once per mixing period.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include "audio/system.h"

namespace {

constexpr int kQueries = 1000;

void printSpacing(const char* name, std::vector<double> positionsMs) {
  std::vector<double> steps;
  for (size_t i = 1; i < positionsMs.size(); ++i) steps.push_back(positionsMs[i] - positionsMs[i - 1]);
  int stalls = int(std::count(steps.begin(), steps.end(), 0.0));
  int backwards = int(std::count_if(steps.begin(), steps.end(), [](double s) { return s < 0; }));
  std::sort(steps.begin(), steps.end());
  double mean = 0;
  for (double s : steps) mean += s;
  mean /= steps.size();
  double variance = 0;
  for (double s : steps) variance += (s - mean) * (s - mean);
  printf("%-14s %8.2f %8.2f %8.2f %8.2f %8.2f %8d %8d\n", name, steps.front(), steps[steps.size() / 2],
         steps[steps.size() * 95 / 100], steps.back(), std::sqrt(variance / steps.size()), stalls, backwards);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 || (argc == 2 && (!strcmp(argv[1], "--help") || !strcmp(argv[1], "-h")))) {
    printf("usage: vorlane-clock-bench [TRACK.mp3]\n"
           "Plays TRACK (default data/vorlane.mp3) and prints how evenly spaced the\n"
           "positions of %d queries, 1 ms apart, are: the channel's clock and the\n"
           "mixer's raw offset. Set ALSOFT_DRIVERS=null to run without a sound card.\n",
           kQueries);
    return argc == 2 ? 0 : 1;
  }
  const char* track = argc == 2 ? argv[1] : "data/vorlane.mp3";

  audio::System* system = nullptr;
  audio::Sound sound;
  audio::Channel channel;
  int result = audio::systemCreate(&system);
  if (result == audio::kOk) result = system->init(32, audio::kInitNormal, nullptr);
  if (result == audio::kOk) result = system->createSound(track, audio::kDefault, nullptr, &sound);
  if (result == audio::kOk) result = system->playSound(audio::kChannelFree, sound, false, &channel);
  if (result != audio::kOk) {
    printf("%s: %s\n", track, audio::errorString(result));
    return 1;
  }

  printf("mixer period %.2f ms; %d queries, 1 ms apart\n", system->mixerPeriod * 1000, kQueries);
  std::vector<double> clockMs, mixerMs;
  for (int i = 0; i < kQueries; ++i) {
    unsigned ms = 0;
    if (channel.getPosition(&ms, audio::kTimeUnitMs) != audio::kOk) {
      printf("the track ended after %d queries; give a longer one\n", i);
      return 1;
    }
    clockMs.push_back(ms);
    mixerMs.push_back(std::floor(system->heardSeconds(system->channels[channel.index].source) * 1000));
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  printf("step in ms:        min   median      p95      max   stddev   stalls  backward\n");
  printSpacing("channel clock", clockMs);
  printSpacing("mixer offset", mixerMs);
  system->release();
  return 0;
}
