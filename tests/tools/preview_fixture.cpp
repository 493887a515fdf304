#include "tools/preview_fixture.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "support/temp_dir.h"

using clockType = std::chrono::steady_clock;

double titleSeconds(const std::string& title) {
  char* end = nullptr;
  double seconds = strtod(title.c_str(), &end);
  return end != title.c_str() && std::string(end).rfind(" s | ", 0) == 0 ? seconds : -1;
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void sleepFor(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

long residentKilobytes(int pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string word;
  long kilobytes = -1;
  while (status >> word)
    if (word == "VmRSS:") status >> kilobytes;
  return kilobytes;
}

void previewTest::SetUp() {
  sources = preparedShowSources();
  ASSERT_FALSE(sources.build.empty()) << "the copy of the sources did not build: see " PREVIEW_SHOW_BUILD
                                         "-prepare.log";
}

void previewTest::TearDown() {
  window.reset();
  if (preview.pid <= 0) return;
  preview.tapKey("Escape");
  EXPECT_EQ(preview.waitForExit(kPreviewStartSeconds), 0) << preview.output();
  EXPECT_EQ(preview.errors(), "");
}

void previewTest::startAt(const char* seconds, const std::vector<std::string>& unset,
                          const std::vector<std::string>& set) {
  preview.program = PREVIEW_BINARY;
  preview.arguments = {"--at", seconds, "--show-build", sources.build};
  preview.start(unset, set);
  ASSERT_TRUE(preview.waitForWindow(kPreviewStartSeconds)) << preview.output();
  window = std::make_unique<windowReader>(preview.display, preview.windowId);
  ASSERT_TRUE(waitForTitle([](const std::string& title) { return titleSeconds(title) >= 0; }, kPreviewStartSeconds));
  // It plays from the moment asked, not from the start.
  EXPECT_GE(titleSeconds(preview.windowTitle()), atof(seconds));
}

void previewTest::startHeardAt(const char* seconds) {
  heard = preview.folder + "/heard.wav";
  writeFile(preview.folder + "/alsoft.conf",
            "[general]\ndrivers = wave\nfrequency = 44100\nchannels = stereo\nsample-type = int16\n"
            "dither = false\noutput-limiter = false\n[wave]\nfile = " + heard + "\n");
  startAt(seconds, {"ALSOFT_DRIVERS"}, {"ALSOFT_CONF=" + preview.folder + "/alsoft.conf"});
}

bool previewTest::waitForTitle(const std::function<bool(const std::string&)>& test, double seconds) {
  auto deadline = clockType::now() + std::chrono::duration<double>(seconds);
  while (!test(window->title())) {
    if (clockType::now() > deadline) return false;
    sleepFor(0.02);
  }
  return true;
}

void previewTest::pause(bool paused) {
  preview.tapKey("space");
  if (paused)
    ASSERT_TRUE(waitForTitle([](const std::string& title) { return has(title, "| paused"); }, 5));
  else
    ASSERT_TRUE(waitForTitle([](const std::string& title) { return !has(title, "| paused"); }, 5));
}

double previewTest::settledSeconds() {
  sleepFor(0.3);
  return titleSeconds(preview.windowTitle());
}

rgbImage previewTest::picture() { return window->picture(); }

double previewTest::secondsUntilPictureChanges(const rgbImage& before, double limit) {
  auto start = clockType::now();
  while (picture().rgb == before.rgb && clockType::now() - start < std::chrono::duration<double>(limit))
    sleepFor(0.01);
  return std::chrono::duration<double>(clockType::now() - start).count();
}
