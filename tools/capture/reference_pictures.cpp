#include "reference_pictures.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <set>
#include <system_error>

#include "frame_image.h"
#include "runtime/window.h"
#include "schedule/schedule.h"

namespace {

constexpr int kQuarter = 250;
// Steps and margins around the quick changes, in milliseconds.
constexpr int kCloseStep = 50;
constexpr int kAround = 100;

int ms(double seconds) { return int(std::lround(seconds * 1000)); }

void addSteps(std::set<int>* moments, int from, int to, int step) {
  for (int t = from; t <= to; t += step) moments->insert(t);
}

}  // namespace

std::vector<int> referenceMilliseconds() {
  std::set<int> moments;
  addSteps(&moments, 0, ms(kScrollerFadeOutEnd) + kQuarter, kQuarter);
  // The opening's fade-in, and the word slam's and the scroller's starts.
  addSteps(&moments, 0, ms(kOpeningFadeInSeconds) + kAround, kCloseStep);
  // Each word a little before and after its moment; the scene changes too.
  // Off the exact moments: there, which frame shows what is the timeline's
  // business, tested on its own.
  for (double at : {double(kWordSlamStart), kDirtyAt, kKebabAt, kBaAt, kSlamAt, double(kScrollerStart)}) {
    moments.insert(ms(at) - 40);
    moments.insert(ms(at) + 40);
  }
  // The "Tscha!" column grows faster than a quarter second.
  addSteps(&moments, ms(kFirstTschaAt) - kAround, ms(kFirstTschaAt + kTschaColumnEnd) + kAround, kCloseStep);
  // The fades: the word slam's to black, the scroller's in and out.
  addSteps(&moments, ms(kWordSlamFadeFrom) - kAround, ms(kWordSlamFadeTo) + kAround, kCloseStep);
  addSteps(&moments, ms(kScrollerStart) + kCloseStep, ms(kScrollerStart + 1 / kScrollerFadeInRate) + kAround,
           kCloseStep);
  addSteps(&moments, ms(kScrollerFadeOutStart) - kAround, ms(kScrollerFadeOutEnd) + kAround, kCloseStep);
  return {moments.begin(), moments.end()};
}

std::string referenceName(int milliseconds) {
  char name[32];
  snprintf(name, sizeof name, "t%02d.%03d.png", milliseconds / 1000, milliseconds % 1000);
  return name;
}

bool referenceMoment(const std::string& name, int* milliseconds) {
  int seconds = 0, thousandths = 0;
  char end = 0;
  if (name.size() != 11 || sscanf(name.c_str(), "t%2d.%3d.pn%c", &seconds, &thousandths, &end) != 3 || end != 'g')
    return false;
  *milliseconds = seconds * 1000 + thousandths;
  return true;
}

std::vector<unsigned char> reduceFrame(const std::vector<unsigned char>& rgba) {
  constexpr int kSquare = kReferenceReduction * kReferenceReduction;
  std::vector<unsigned char> rgb(size_t(kReferenceWidth) * kReferenceHeight * 3);
  for (int y = 0; y < kReferenceHeight; ++y)
    for (int x = 0; x < kReferenceWidth; ++x)
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int dy = 0; dy < kReferenceReduction; ++dy) {
          // GL's first row is the bottom one.
          int row = kWindowHeight - 1 - (y * kReferenceReduction + dy);
          const unsigned char* line = rgba.data() + size_t(row) * kWindowWidth * 4;
          for (int dx = 0; dx < kReferenceReduction; ++dx) sum += line[(x * kReferenceReduction + dx) * 4 + c];
        }
        rgb[(size_t(y) * kReferenceWidth + x) * 3 + c] = (unsigned char)((sum + kSquare / 2) / kSquare);
      }
  return rgb;
}

std::vector<unsigned char> drawReference(showCapture& c, int milliseconds) {
  return reduceFrame(c.frameAt(milliseconds / 1000.0));
}

int writeReferences(showCapture& c, const std::string& dir) {
  std::error_code unreadable;
  std::filesystem::create_directories(dir, unreadable);
  for (const auto& entry : std::filesystem::directory_iterator(dir, unreadable)) {
    int moment = 0;
    if (referenceMoment(entry.path().filename().string(), &moment)) std::filesystem::remove(entry.path(), unreadable);
  }
  std::vector<int> moments = referenceMilliseconds();
  c.frameAt(-1);
  for (size_t i = 0; i < moments.size(); ++i) {
    std::string path = dir + "/" + referenceName(moments[i]);
    if (!writeRgbPng(path, kReferenceWidth, kReferenceHeight, drawReference(c, moments[i]))) {
      printf("vorlane-capture: cannot write %s\n", path.c_str());
      return 1;
    }
    printf("\rpicture %zu of %zu", i + 1, moments.size());
    fflush(stdout);
  }
  printf("\n");
  return 0;
}
