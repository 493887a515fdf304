// frame-difference: compares two PNG frames of the same size pixel by pixel.
// Prints how many pixels differ, the largest difference in any one colour
// channel, and the peak signal-to-noise ratio of the colours in dB ("inf"
// for identical frames); exits 0 when that largest difference is at most
// TOLERANCE.
// usage: frame-difference A.png B.png TOLERANCE

#include <gd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

gdImagePtr loadPng(const char* path) {
  FILE* file = fopen(path, "rb");
  if (!file) return nullptr;
  gdImagePtr image = gdImageCreateFromPng(file);
  fclose(file);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    printf("usage: frame-difference A.png B.png TOLERANCE\n");
    return 2;
  }
  gdImagePtr a = loadPng(argv[1]);
  gdImagePtr b = loadPng(argv[2]);
  if (!a || !b) {
    printf("cannot read %s\n", !a ? argv[1] : argv[2]);
    return 2;
  }
  if (gdImageSX(a) != gdImageSX(b) || gdImageSY(a) != gdImageSY(b)) {
    printf("sizes differ: %d x %d and %d x %d\n", gdImageSX(a), gdImageSY(a), gdImageSX(b), gdImageSY(b));
    return 1;
  }
  long differing = 0;
  int largest = 0;
  double squaredErrors = 0;
  for (int y = 0; y < gdImageSY(a); ++y) {
    for (int x = 0; x < gdImageSX(a); ++x) {
      int pa = gdImageGetTrueColorPixel(a, x, y);
      int pb = gdImageGetTrueColorPixel(b, x, y);
      int channels[3] = {abs(gdTrueColorGetRed(pa) - gdTrueColorGetRed(pb)),
                         abs(gdTrueColorGetGreen(pa) - gdTrueColorGetGreen(pb)),
                         abs(gdTrueColorGetBlue(pa) - gdTrueColorGetBlue(pb))};
      int worst = 0;
      for (int channel : channels) {
        worst = channel > worst ? channel : worst;
        squaredErrors += double(channel) * channel;
      }
      if (worst > 0) ++differing;
      if (worst > largest) largest = worst;
    }
  }
  int tolerance = atoi(argv[3]);
  double meanSquaredError = squaredErrors / (3.0 * gdImageSX(a) * gdImageSY(a));
  double psnr = 10 * std::log10(255.0 * 255.0 / meanSquaredError);
  printf("%ld pixels differ, by at most %d in a channel (tolerance %d), PSNR %.2f dB\n", differing, largest,
         tolerance, psnr);
  return largest <= tolerance ? 0 : 1;
}
