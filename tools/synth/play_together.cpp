#include "play_together.h"

#include <future>

void playTogether(const std::vector<std::function<void()>>& instruments) {
  std::vector<std::future<void>> playing;
  for (const std::function<void()>& instrument : instruments)
    playing.push_back(std::async(std::launch::async, instrument));
  for (std::future<void>& instrument : playing) instrument.get();
}
