// vorlane-textures: paints the demo's six pictures and writes them as PNG
// files, or the Windows program's icon from the sun.
//
// Every picture is drawn from fixed seeds with the tool's own generator, so
// each run writes the same bytes. The real output folder is data/textures/,
// the icon's file release/windows/vorlane.ico.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <string>
#include <system_error>

#include "app_icon.h"
#include "picture_set.h"
#include "sun.h"

namespace {

void printUsage() {
  printf("usage: vorlane-textures OUTDIR\n"
         "       vorlane-textures --icon FILE.ico\n"
         "Paints the demo's pictures and writes them into OUTDIR (made if missing;\n"
         "the demo reads them from data/textures/), or the Windows program's icon,\n"
         "the sun at 256, 48, 32 and 16 pixels. The same bytes every run.\n");
  for (const picture& p : kPictures) printf("  %-19s %s\n", p.file, p.shows);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && !strcmp(argv[1], "--icon")) {
    long bytes = writeBytes(encodeIcon(paintSun()), argv[2]);
    if (bytes < 0) {
      printf("%s: could not be written\n", argv[2]);
      return 1;
    }
    printf("wrote %s: %ld bytes\n", argv[2], bytes);
    return 0;
  }
  if (argc != 2 || !strcmp(argv[1], "--help") || !strcmp(argv[1], "-h")) {
    printUsage();
    return argc == 2 ? 0 : 1;
  }
  std::string folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    printf("%s: %s\n", folder.c_str(), error.message().c_str());
    return 1;
  }

  long total = 0;
  for (const picture& p : kPictures) {
    std::string path = folder + "/" + p.file;
    canvas image = p.paint();
    long bytes = writePng(image, path);
    if (bytes < 0) {
      printf("%s: could not be written\n", path.c_str());
      return 1;
    }
    total += bytes;
    printf("wrote %s: %d x %d, %ld bytes\n", path.c_str(), image.width, image.height, bytes);
    fflush(stdout);
  }
  printf("%zu pictures, %ld bytes in all\n", std::size(kPictures), total);
  return 0;
}
