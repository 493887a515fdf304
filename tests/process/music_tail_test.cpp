// The end of the show is the end that is heard. Through a real sound server
// (PulseAudio, recorded from its sink's monitor) the demo plays the short
// track, whose tone runs at full level to its last sample: the recording
// must hold all of it, not one sample less, and the demo must leave nothing
// on standard error. Once on a clocked sink, and once on a sink that plays
// more slowly than the server's latency figure says, where only the least
// tail the audio layer gives a real output keeps the last samples.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "audio/mp3_decoder.h"
#include "process/demo_process.h"
#include "support/pulse_server.h"
#include "support/test_track.h"

namespace {

// Samples from the first to the last one louder than a quiet threshold.
long toneLength(const std::vector<short>& samples) {
  long first = -1;
  long last = -1;
  for (size_t i = 0; i < samples.size(); ++i) {
    if (std::abs(samples[i]) <= 1000) continue;
    if (first < 0) first = long(i);
    last = long(i);
  }
  return first < 0 ? 0 : last - first + 1;
}

// The samples around the tone's first and last loud ones, to tell a cut
// start from a cut end.
std::string edges(const std::vector<short>& samples) {
  long first = -1, last = -1;
  for (size_t i = 0; i < samples.size(); ++i) {
    if (std::abs(samples[i]) <= 1000) continue;
    if (first < 0) first = long(i);
    last = long(i);
  }
  std::string text = "start:";
  for (long i = std::max(0L, first - 3); i < first + 4 && first >= 0; ++i) text += " " + std::to_string(samples[size_t(i)]);
  text += "; end:";
  for (long i = last - 3; i < std::min(long(samples.size()), last + 4) && last >= 0; ++i)
    text += " " + std::to_string(samples[size_t(i)]);
  return text;
}

}  // namespace

TEST(MusicTail, TheWholeTrackIsHeardBeforeTheDemoEnds) {
  audio::decodedAudio track;
  ASSERT_EQ(audio::decodeMp3(kTestTrack, &track), audio::kOk);
  std::vector<short> trackLeft(track.frames);
  for (size_t i = 0; i < track.frames; ++i) trackLeft[i] = track.samples[i * track.channels];

  const struct {
    const char* name;
    pulseSink sink;
  } sinks[] = {{"clocked null sink", pulseSink::clocked}, {"half-speed sink", pulseSink::halfSpeed}};
  for (const auto& s : sinks) {
    pulseServer server(s.sink);
    ASSERT_TRUE(server.ready()) << s.name;
    pulseRecording recording(server);
    demoProcess demo(kTestTrack);
    demo.start({}, server.openAlEnvironment());
    ASSERT_TRUE(demo.waitForWindow(10)) << s.name;
    demo.tapKey("Up");
    EXPECT_EQ(demo.waitForExit(2 * kTestTrackSeconds + 5), 0) << s.name;
    EXPECT_EQ(demo.output(), "FMOD Error! (1) An invalid object handle was used.\n") << s.name;
    EXPECT_EQ(demo.errors(), "") << s.name;
    recording.recordOn(0.5);
    std::vector<short> heard = recording.stopAndReadLeft();
    EXPECT_EQ(toneLength(heard), toneLength(trackLeft)) << s.name << ": " << edges(heard);
  }
}
