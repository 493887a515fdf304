// The message texts are what a viewer reads when the music fails, and the
// end-of-show line is the invalid-handle one: pin them down.

#include <gtest/gtest.h>

#include <string>

#include "audio/result.h"

TEST(ErrorString, KnownCodesHaveTheirSentences) {
  EXPECT_STREQ(audio::errorString(audio::kOk), "No errors.");
  EXPECT_STREQ(audio::errorString(audio::kErrInvalidHandle), "An invalid object handle was used.");
  EXPECT_STREQ(audio::errorString(audio::kErrFileNotFound), "File not found.");
}

TEST(ErrorString, EveryCodeIsOneSentenceOfItsOwn) {
  for (int code = audio::kOk; code <= audio::kErrNoFreeChannel; ++code) {
    std::string text = audio::errorString(code);
    EXPECT_NE(text, "Unknown error.") << code;
    EXPECT_EQ(text.back(), '.') << code;
    EXPECT_EQ(text.find('\n'), std::string::npos) << code;
    for (int other = audio::kOk; other < code; ++other) EXPECT_NE(text, audio::errorString(other)) << code;
  }
}

TEST(ErrorString, CodesOutsideTheTableAreUnknown) {
  for (int code : {-1, audio::kErrNoFreeChannel + 1, 97, 4242})
    EXPECT_STREQ(audio::errorString(code), "Unknown error.") << code;
}
