// The demo's audio error line and its version check: what the viewer reads
// when the music fails or the show ends, and the exit status after it.

#include <gtest/gtest.h>

#include "runtime/audio_state.h"
#include "support/stdout_capture.h"
#include "support/test_track.h"

TEST(AudioCheck, SuccessPrintsNothingAndReturns) {
  testing::internal::CaptureStdout();
  audioCheck(audio::kOk);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(AudioCheck, FailurePrintsTheErrorLineAndExitsZero) {
  EXPECT_EXIT((withStdoutOnStderr(), audioCheck(audio::kErrInvalidHandle)), testing::ExitedWithCode(0),
              "^FMOD Error! \\(1\\) An invalid object handle was used\\.\n$");
  EXPECT_EXIT((withStdoutOnStderr(), audioCheck(audio::kErrFileNotFound)), testing::ExitedWithCode(0),
              "^FMOD Error! \\(2\\) File not found\\.\n$");
}

TEST(AudioCheck, UnknownCodesPrintUnknownError) {
  EXPECT_EXIT((withStdoutOnStderr(), audioCheck(4242)), testing::ExitedWithCode(0),
              "^FMOD Error! \\(4242\\) Unknown error\\.\n$");
  EXPECT_EXIT((withStdoutOnStderr(), audioCheck(-3)), testing::ExitedWithCode(0),
              "^FMOD Error! \\(-3\\) Unknown error\\.\n$");
}

TEST(AudioVersionCheck, AcceptsTheOldestSupportedVersion) {
  testing::internal::CaptureStdout();
  audioVersionCheck(0x00043208);
  audioVersionCheck(audio::kVersion);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(AudioVersionCheck, RefusesAnOlderOne) {
  EXPECT_EXIT((withStdoutOnStderr(), audioVersionCheck(0x00043207)), testing::ExitedWithCode(0),
              "^Error, invalid FMOD version\\.\n$");
}

TEST(AudioInit, LoadsTheMusicWithoutPlayingIt) {
  testing::internal::CaptureStdout();
  audioInit(kTestTrack);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(audioState.version, audio::kVersion);
  EXPECT_FALSE(audioState.started);
  unsigned ms = 0;
  EXPECT_EQ(audioState.channel.getPosition(&ms, audio::kTimeUnitMs), audio::kErrInvalidHandle);
  EXPECT_EQ(audioState.sound.release(), audio::kOk);
  audioState.system->release();
  audioState = audioRecord();
}
