#include "flash_seconds.h"

#include <algorithm>

namespace {

// A 10-degree field of view on the 1024 x 768 screen, and its quarter, in cells.
constexpr int kFieldWidth = 341;
constexpr int kFieldHeight = 256;
constexpr int kFieldColumns = kFieldWidth / kCellSide;
constexpr int kFieldRows = kFieldHeight / kCellSide;
constexpr int kQuarterOfField = (kFieldColumns * kFieldRows + 3) / 4;
constexpr int kQuarterOfScreen = kCellColumns * kCellRows / 4;

// Stretches `span` to take in the frames from `first` to `last`, later ones.
void extend(frameSpan& span, int first, int last) {
  if (span.firstFrame < 0) span.firstFrame = first;
  span.lastFrame = last;
}

}  // namespace

flashSeconds::flashSeconds(int framesASecond) : framesASecond(framesASecond) {}

void flashSeconds::add(const std::vector<signed char>& transitions) {
  if (counts.empty()) counts.assign(transitions.size(), 0);
  lastSecond.push_back(transitions);
  for (size_t i = 0; i < transitions.size(); ++i) counts[i] += transitions[i] != 0;
  if (int(lastSecond.size()) > framesASecond) {
    const std::vector<signed char>& gone = lastSecond.front();
    for (size_t i = 0; i < gone.size(); ++i) counts[i] -= gone[i] != 0;
    lastSecond.pop_front();
  }
  ++frames;
  int firstFrame = frames - int(lastSecond.size()), lastFrame = frames - 1;

  screenField field;
  int flashes = flashesOverAQuarter(&field);
  if (flashes > worst.flashes) {
    worst = {flashes, firstFrame, field};
    worstFlashesByCell.resize(counts.size());
    // Two transitions, one each way, make one flash.
    std::transform(counts.begin(), counts.end(), worstFlashesByCell.begin(), [](int c) { return c / 2; });
    worstLastFrame = lastFrame;
  }
  if (flashes > kMostFlashesASecond) extend(failing, firstFrame, lastFrame);

  int overScreen = flashesOverAQuarterOfTheScreen();
  if (overScreen > worstOverScreen.flashes)
    worstOverScreen = {overScreen, firstFrame, {0, 0, kScreenWidth, kScreenHeight}};
  if (overScreen > kMostFlashesASecond) extend(failingOverScreen, firstFrame, lastFrame);
  if (overScreen >= kFewestHeldFlashesASecond) {
    extend(held, firstFrame, lastFrame);
    if (held.frames() > longestHeld.frames()) longestHeld = held;
  } else {
    held = frameSpan();
  }
}

bool flashSeconds::passesWcag() const { return worst.flashes <= kMostFlashesASecond; }

bool flashSeconds::passesBroadcast() const {
  return worstOverScreen.flashes <= kMostFlashesASecond &&
         longestHeld.frames() < kLongestHeldSeconds * framesASecond;
}

int flashSeconds::flashesOverAQuarter(screenField* where) const {
  int most = *std::max_element(counts.begin(), counts.end()) / 2;
  std::vector<int> covered((kCellColumns + 1) * (kCellRows + 1));
  auto at = [&covered](int column, int row) -> int& { return covered[row * (kCellColumns + 1) + column]; };
  for (int flashes = most; flashes > 0; --flashes) {
    // How many cells above and left of each corner flashed so often.
    for (int row = 0; row < kCellRows; ++row)
      for (int column = 0; column < kCellColumns; ++column)
        at(column + 1, row + 1) = at(column, row + 1) + at(column + 1, row) - at(column, row) +
                                  (counts[row * kCellColumns + column] / 2 >= flashes);
    for (int row = 0; row + kFieldRows <= kCellRows; ++row)
      for (int column = 0; column + kFieldColumns <= kCellColumns; ++column) {
        int inField = at(column + kFieldColumns, row + kFieldRows) - at(column, row + kFieldRows) -
                      at(column + kFieldColumns, row) + at(column, row);
        if (inField >= kQuarterOfField) {
          *where = {column * kCellSide, row * kCellSide, kFieldWidth, kFieldHeight};
          return flashes;
        }
      }
  }
  return 0;
}

int flashSeconds::flashesOverAQuarterOfTheScreen() const {
  // How many cells flashed each number of times, then, from the most down,
  // the first number that a quarter of the screen reaches.
  std::vector<int> cellsWith(framesASecond + 1);
  for (int c : counts) ++cellsWith[std::min(c / 2, framesASecond)];
  int reached = 0;
  for (int flashes = framesASecond; flashes > 0; --flashes)
    if ((reached += cellsWith[flashes]) >= kQuarterOfScreen) return flashes;
  return 0;
}
