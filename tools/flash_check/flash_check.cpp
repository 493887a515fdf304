// vorlane-flash-check: the photosensitivity guidelines' general-flash and
// red-flash tests (WCAG 2.3.1, three flashes or below) over every frame of
// a video, as a 1024 x 768 screen seen from a normal distance shows it.
// Prints the worst second of each kind, with how many flashes it had and
// where; exits 0 when no second has more than three, 1 when one has, 2 when
// the video cannot be read.

#include <cstdio>
#include <cstring>
#include <string>

#include "cell_transitions.h"
#include "flash_seconds.h"
#include "screen_cells.h"
#include "video_frames.h"

namespace {

const char* const kUsage =
    "usage: tools/flash-check FILE\n"
    "Runs the general-flash and red-flash tests of WCAG 2.3.1 over every frame of the\n"
    "video FILE, seen on a 1024 x 768 screen from a normal distance: a flash is a pair\n"
    "of opposing changes of relative luminance of a tenth or more, the darker below\n"
    "0.8 (or of saturated red), and no second may have more than three flashes over\n"
    "a quarter of a 10-degree field (341 x 256 pixels). Prints the worst second of\n"
    "each and exits 0 on a pass, 1 on a fail (2 if the video cannot be read).\n";

void printWorst(const char* kind, const flashSeconds& seconds) {
  const worstSecond& w = seconds.worst;
  if (w.flashes == 0) {
    printf("%s flashes: none over a quarter of any 10-degree field\n", kind);
    return;
  }
  double from = w.firstFrame / double(seconds.framesASecond);
  printf("%s flashes: the worst second, %.2f s to %.2f s, has %d over a quarter of the 10-degree field at x %d to %d, "
         "y %d to %d\n",
         kind, from, from + 1, w.flashes, w.field.x, w.field.x + w.field.width, w.field.y,
         w.field.y + w.field.height);
  if (seconds.failingFrom >= 0)
    printf("%s flashes: more than three a second from %.2f s to %.2f s\n", kind,
           seconds.failingFrom / double(seconds.framesASecond), (seconds.failingTo + 1) / double(seconds.framesASecond));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || !strcmp(argv[1], "--help") || !strcmp(argv[1], "-h")) {
    printf("%s", kUsage);
    return argc == 2 ? 0 : 2;
  }
  videoFrames video;
  if (!video.open(argv[1])) {
    printf("flash-check: %s: no video stream to read\n", argv[1]);
    return 2;
  }
  int framesASecond = int(video.fps + 0.5);
  cellTransitions general(flashKind::general), red(flashKind::red);
  flashSeconds generalSeconds(framesASecond), redSeconds(framesASecond);
  std::vector<unsigned char> rgb;
  int frames = 0;
  while (video.next(&rgb)) {
    screenCells cells = cellsOfScreen(rgb.data());
    generalSeconds.add(general.step(cells));
    redSeconds.add(red.step(cells));
    if (++frames % framesASecond == 0) fprintf(stderr, "\r%d s of frames checked", frames / framesASecond);
  }
  fprintf(stderr, "\n");
  if (!video.close() || frames == 0) {
    printf("flash-check: %s: ffmpeg could not read its frames\n", argv[1]);
    return 2;
  }
  printf("%s: %d frames at %.3g frames a second, seen on a 1024 x 768 screen\n", argv[1], frames, video.fps);
  printWorst("general", generalSeconds);
  printWorst("red", redSeconds);
  bool passes = generalSeconds.worst.flashes <= kMostFlashesASecond && redSeconds.worst.flashes <= kMostFlashesASecond;
  printf("%s: %s\n", passes ? "PASS" : "FAIL",
         passes ? "no second has more than three general or red flashes over a quarter of a 10-degree field"
                : "a second has more than three flashes over a quarter of a 10-degree field");
  return passes ? 0 : 1;
}
