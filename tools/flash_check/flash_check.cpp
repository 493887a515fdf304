// vorlane-flash-check: the photosensitivity guidelines' general-flash and
// red-flash tests over every frame of a video, as a 1024 x 768 screen seen
// from a normal distance shows it, under two rules: WCAG 2.3.1 (three
// flashes or below over a quarter of any 10-degree field) and broadcast
// television's (three or below over a quarter of the screen, and none held
// at two or three a second for 5 s). Prints the worst second of each kind,
// with how many flashes it had and where, and each rule's verdict; exits 0
// when the video passes both, 1 when it fails one, 2 when it cannot be read.

#include <cstdio>
#include <cstring>
#include <string>

#include "cell_transitions.h"
#include "flash_picture.h"
#include "flash_seconds.h"
#include "screen_cells.h"
#include "video_frames.h"

namespace {

const char* const kUsage =
    "usage: tools/flash-check FILE [--picture PNG]\n"
    "Runs the general-flash and red-flash tests of the photosensitivity guidelines over\n"
    "every frame of the video FILE, seen on a 1024 x 768 screen from a normal distance:\n"
    "a flash is a pair of opposing changes of relative luminance of a tenth or more,\n"
    "the darker below 0.8 (or of saturated red). WCAG 2.3.1 allows no second more\n"
    "than three flashes over a quarter of a 10-degree field (341 x 256 pixels);\n"
    "broadcast television allows no second more than three over a quarter of the\n"
    "screen, nor two or three a second over it for 5 s. Prints the worst second of\n"
    "each and each rule's verdict, and exits 0 on a pass, 1 on a fail (2 if the video\n"
    "cannot be read). --picture writes the last frame of the worst second over a\n"
    "10-degree field, with the cells that flashed more than three times in it red,\n"
    "two or three times amber, and the field outlined.\n";

double secondsAt(int frame, const flashSeconds& seconds) { return frame / double(seconds.framesASecond); }

void printWorst(const char* kind, const flashSeconds& seconds) {
  const worstSecond& w = seconds.worst;
  if (w.flashes == 0) {
    printf("%s flashes: none over a quarter of any 10-degree field\n", kind);
  } else {
    double from = secondsAt(w.firstFrame, seconds);
    printf("%s flashes: the worst second, %.2f s to %.2f s, has %d over a quarter of the 10-degree field at x %d to "
           "%d, y %d to %d\n",
           kind, from, from + 1, w.flashes, w.field.x, w.field.x + w.field.width, w.field.y,
           w.field.y + w.field.height);
  }
  if (seconds.failing.frames())
    printf("%s flashes: more than three a second from %.2f s to %.2f s\n", kind,
           secondsAt(seconds.failing.firstFrame, seconds), secondsAt(seconds.failing.lastFrame + 1, seconds));
}

void printWorstOverScreen(const char* kind, const flashSeconds& seconds) {
  const worstSecond& w = seconds.worstOverScreen;
  if (w.flashes == 0) {
    printf("%s flashes: none over a quarter of the screen\n", kind);
    return;
  }
  double from = secondsAt(w.firstFrame, seconds);
  printf("%s flashes: the worst second over the screen, %.2f s to %.2f s, has %d over a quarter of it\n", kind, from,
         from + 1, w.flashes);
  if (seconds.failingOverScreen.frames())
    printf("%s flashes: more than three a second over a quarter of the screen from %.2f s to %.2f s\n", kind,
           secondsAt(seconds.failingOverScreen.firstFrame, seconds),
           secondsAt(seconds.failingOverScreen.lastFrame + 1, seconds));
  const frameSpan& held = seconds.longestHeld;
  if (held.frames())
    printf("%s flashes: two or more a second over a quarter of the screen for %.2f s at the longest, from %.2f s to "
           "%.2f s\n",
           kind, secondsAt(held.frames(), seconds), secondsAt(held.firstFrame, seconds),
           secondsAt(held.lastFrame + 1, seconds));
}

}  // namespace

int main(int argc, char** argv) {
  bool help = argc == 2 && (!strcmp(argv[1], "--help") || !strcmp(argv[1], "-h"));
  bool picture = argc == 4 && !strcmp(argv[2], "--picture");
  if (help || (argc != 2 && !picture)) {
    printf("%s", kUsage);
    return help ? 0 : 2;
  }
  videoFrames video;
  if (!video.open(argv[1])) {
    printf("flash-check: %s: no video stream to read\n", argv[1]);
    return 2;
  }
  int framesASecond = int(video.fps + 0.5);
  cellTransitions general(flashKind::general), red(flashKind::red);
  flashSeconds generalSeconds(framesASecond), redSeconds(framesASecond);
  std::vector<unsigned char> rgb, worstFrame;
  int frames = 0;
  while (video.next(&rgb)) {
    screenCells cells = cellsOfScreen(rgb.data());
    generalSeconds.add(general.step(cells));
    redSeconds.add(red.step(cells));
    if (picture && generalSeconds.worstLastFrame == frames) worstFrame = rgb;
    if (++frames % framesASecond == 0) fprintf(stderr, "\r%d s of frames checked", frames / framesASecond);
  }
  fprintf(stderr, "\n");
  if (!video.close() || frames == 0) {
    printf("flash-check: %s: ffmpeg could not read its frames\n", argv[1]);
    return 2;
  }
  printf("%s: %d frames at %.3g frames a second, seen on a 1024 x 768 screen\n", argv[1], frames, video.fps);
  printWorst("general", generalSeconds);
  printWorstOverScreen("general", generalSeconds);
  printWorst("red", redSeconds);
  printWorstOverScreen("red", redSeconds);
  bool wcag = generalSeconds.passesWcag() && redSeconds.passesWcag();
  bool broadcast = generalSeconds.passesBroadcast() && redSeconds.passesBroadcast();
  printf("WCAG 2.3.1: %s\n", wcag ? "PASS: no second has more than three general or red flashes over a quarter of a "
                                    "10-degree field"
                                  : "FAIL: a second has more than three flashes over a quarter of a 10-degree field");
  printf("broadcast: %s\n",
         broadcast ? "PASS: no second has more than three flashes over a quarter of the screen, and none go on at two "
                     "or three a second for 5 s"
                   : "FAIL: a second has more than three flashes over a quarter of the screen, or they go on at two "
                     "or three a second for 5 s or more");
  printf("%s\n", wcag && broadcast ? "PASS: the video passes both rules" : "FAIL: the video fails a rule");
  if (picture) {
    if (worstFrame.empty()) worstFrame = rgb;
    if (!writeFlashPicture(argv[3], worstFrame, generalSeconds.worstFlashesByCell.empty()
                                                     ? std::vector<int>(size_t(kCellColumns) * kCellRows)
                                                     : generalSeconds.worstFlashesByCell,
                           generalSeconds.worst.field)) {
      printf("flash-check: %s: could not write the picture\n", argv[3]);
      return 2;
    }
  }
  return wcag && broadcast ? 0 : 1;
}
