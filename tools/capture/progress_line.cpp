#include "progress_line.h"

#include <cstdio>

void progressLine::show(int done) const {
  if (done % 30 != 0 && done != frames) return;
  double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  double perSecond = elapsed > 0 ? done / elapsed : 0;
  double left = perSecond > 0 ? (frames - done) / perSecond : 0;
  printf("\rframe %d of %d, %.0f s left, %.1f frames a second (%.2f x real time)  ", done, frames, left, perSecond,
         perSecond / fps);
  fflush(stdout);
}
