#pragma once
// The real preview as someone working on the show uses it, on a copy of
// the sources (tools/show_sources.h) with the show's music, in a folder of
// its own, driven by key presses and read through its window's title and
// picture. Each test starts it where it needs; at the end Escape must end
// it with status 0 and nothing on standard error.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "process/demo_process.h"
#include "support/rgb_image.h"
#include "support/window_reader.h"
#include "tools/show_sources.h"

// How long the preview may take to open its window and show its first
// frame, in seconds.
constexpr double kPreviewStartSeconds = 20;

// The moment a title shows ("8.801 s | word slam | ..."), or -1 before the
// first frame has set one.
double titleSeconds(const std::string& title);

bool has(const std::string& text, const std::string& part);

void sleepFor(double seconds);

// The resident memory of process `pid`, in kilobytes; -1 if it cannot be read.
long residentKilobytes(int pid);

class previewTest : public testing::Test {
 protected:
  showSources sources;
  demoProcess preview{nullptr};
  // Its window, read over one connection while it runs.
  std::unique_ptr<windowReader> window;

  // Puts the copy of the sources back as the repository has them.
  void SetUp() override;
  void TearDown() override;

  // Starts the preview at `seconds` with the copy's build, with `unset`
  // and `set` for its environment as demoProcess::start takes them, and
  // waits for its first frame.
  void startAt(const char* seconds, const std::vector<std::string>& unset = {},
               const std::vector<std::string>& set = {});
  // Starts it as startAt does, with what it plays written to `heard`, a
  // 44.1 kHz stereo WAV file, sample for sample.
  void startHeardAt(const char* seconds);
  std::string heard;
  // Waits until the title passes `test`; false if it did not in `seconds`.
  bool waitForTitle(const std::function<bool(const std::string&)>& test, double seconds);
  // Presses Space and waits for the title to say paused, or not.
  void pause(bool paused);
  // The moment the title shows once the frames after the last key are drawn.
  double settledSeconds();
  rgbImage picture();
  // Waits up to `limit` seconds for the picture to differ from `before`:
  // the seconds it took.
  double secondsUntilPictureChanges(const rgbImage& before, double limit);
  // A file of the copy of the sources, by its path in the repository.
  std::string sourceFile(const std::string& path) const { return sources.root + "/" + path; }
};
