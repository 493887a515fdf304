// What the releases say of the show's flashes (release/flash-check.txt, in
// the nfo and on the page) is what the flash check finds in the show today:
// the capture tool draws every frame at 1024 x 576, 60 a second, as
// tools/make-flash-report has it drawn, and the check's lines must be the
// recorded ones. A change to the show that makes it flash more, or less,
// fails here until the report is made again.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace {

// The report's lines, without its comments.
std::string reportLines(const std::string& text) {
  std::istringstream lines(text);
  std::string kept, line;
  while (std::getline(lines, line))
    if (line.rfind('#', 0) != 0) kept += line + "\n";
  return kept;
}

}  // namespace

TEST(FlashReport, IsWhatTheFlashCheckFindsInTheShowToday) {
  std::string folder = makeTempDir();
  // On a virtual screen of its own: the other tests need not wait for the
  // shared one through the minutes this takes.
  runCommand("cd " DEMO_DIR " && xvfb-run --auto-servernum --server-args='-screen 0 1280x720x24 -nolisten tcp' " CAPTURE_BINARY
             " --video " + folder + "/show.mp4 --size 1024x576 --fps 60");
  std::string found = runCommand(FLASH_CHECK_BINARY " " + folder + "/show.mp4 2>/dev/null");
  std::filesystem::remove_all(folder);
  // Its first line names the video.
  found = found.substr(found.find('\n') + 1);
  EXPECT_EQ(found, reportLines(readFile(VORLANE_SOURCE_DIR "/release/flash-check.txt")))
      << "remake it with tools/make-flash-report";
}
