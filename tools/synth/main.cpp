// vorlane-synth: renders the demo's music, or the tests' short tone track, as
// a 16-bit 44.1 kHz stereo WAV file for the mp3 encoder. Everything is
// synthesized here and seeded, so every run writes the same file.

#include <cstdio>
#include <cstring>
#include <string>

#include "demo_track.h"
#include "stereo_buffer.h"
#include "test_track.h"
#include "wav_writer.h"

namespace {

constexpr int kChannels = 2;

void printHelp() {
  printf(
      "usage: vorlane-synth --music OUT.wav [--keep-parts OBJECTS KEPT]\n"
      "       vorlane-synth --test-track OUT.wav\n"
      "\n"
      "Renders 16-bit 44.1 kHz stereo WAV files with the demo's own synthesizer.\n"
      "  --music       the demo's track, 49.5 s, in time with the pictures\n"
      "  --keep-parts  reads each part of the track from the folder KEPT when the\n"
      "                synthesizer's object files in OBJECTS that make it are the\n"
      "                ones that made it there, and keeps the others there: the\n"
      "                preview's build of the show makes the music so\n"
      "  --test-track  the tests' short track: 1.5 s of 440 Hz left and 550 Hz right\n"
      "                at half of full scale, with 10 ms ramps\n"
      "  --help        this text\n");
}

void printProgress(const char* stage, bool kept, int done, int total) {
  printf("vorlane-synth: %s %s (%d/%d)\n", kept ? "kept" : "rendered", stage, done, total);
  fflush(stdout);
}

int writeOrFail(const char* path, const std::vector<int16_t>& samples) {
  if (!writeWav(path, samples, kChannels, kSampleRate)) {
    printf("vorlane-synth: cannot write %s\n", path);
    return 1;
  }
  printf("vorlane-synth: wrote %s (%.2f s)\n", path, double(samples.size()) / kChannels / kSampleRate);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (!strcmp(argv[1], "--help") || !strcmp(argv[1], "-h"))) {
    printHelp();
    return 0;
  }
  if (argc == 3 && !strcmp(argv[1], "--music")) return writeOrFail(argv[2], renderDemoTrack(printProgress));
  if (argc == 6 && !strcmp(argv[1], "--music") && !strcmp(argv[3], "--keep-parts")) {
    keptParts kept{argv[4], argv[5], {}};
    std::string line;
    if (!kept.readKeys(demoTrackParts(), &line)) {
      printf("vorlane-synth: %s\n", line.c_str());
      return 1;
    }
    return writeOrFail(argv[2], renderDemoTrack(printProgress, &kept));
  }
  if (argc == 3 && !strcmp(argv[1], "--test-track")) return writeOrFail(argv[2], makeTestTrack());
  printHelp();
  return 1;
}
