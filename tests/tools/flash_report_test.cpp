// What the releases say of the show's flashes (release/flash-check.txt, in
// the nfo and on the page) is what the flash check finds in the show today:
// the capture tool draws every frame at 1024 x 576, 60 a second, as
// tools/make-flash-report has it drawn, and the check's lines must be the
// recorded ones. A change to the show that makes it flash more, or less,
// fails here until the report is made again; a show that fails either rule
// fails here too. The warning the releases give a show that fails is made
// from such a report.

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
  EXPECT_NE(found.find("\nWCAG 2.3.1: PASS: "), std::string::npos) << found;
  EXPECT_NE(found.find("\nbroadcast: PASS: "), std::string::npos) << found;
}

TEST(FlashWarning, NamesTheSecondsAndTheRuleAShowFails) {
  const struct {
    const char* what;
    const char* report;
    const char* warning;
  } cases[] = {
      {"more than three a second over a field, and over the screen later",
       "general flashes: the worst second, 19.02 s to 20.02 s, has 5 over a quarter of the 10-degree field at x 680 "
       "to 1021, y 400 to 656\n"
       "general flashes: more than three a second from 5.53 s to 44.67 s\n"
       "general flashes: more than three a second over a quarter of the screen from 30.10 s to 45.20 s\n"
       "red flashes: more than three a second from 2.50 s to 3.00 s\n"
       "WCAG 2.3.1: FAIL: a second has more than three flashes over a quarter of a 10-degree field\n"
       "FAIL: the video fails a rule\n",
       "Photosensitivity warning: between 2 s and 46 s, parts of the screen flash more than three times a second "
       "(general and red flashes, WCAG 2.3.1).\n"},
      {"two or three a second held for 6 s, a shorter run of them before",
       "general flashes: two or more a second over a quarter of the screen for 6.20 s at the longest, from 10.00 s to "
       "16.20 s\n"
       "red flashes: two or more a second over a quarter of the screen for 1.50 s at the longest, from 1.00 s to 2.50 "
       "s\n"
       "WCAG 2.3.1: PASS: no second has more than three general or red flashes over a quarter of a 10-degree field\n"
       "broadcast: FAIL: a second has more than three flashes over a quarter of the screen, or they go on at two or "
       "three a second for 5 s or more\n"
       "FAIL: the video fails a rule\n",
       "Photosensitivity warning: between 10 s and 17 s, much of the screen flashes two or three times a second for 5 "
       "s or more (general flashes, broadcast guidelines).\n"},
      {"a pass", "general flashes: two or more a second over a quarter of the screen for 4.20 s at the longest, from "
       "1.00 s to 5.20 s\nPASS: the video passes both rules\n", ""},
  };
  std::string folder = makeTempDir();
  for (const auto& c : cases) {
    writeFile(folder + "/flash-check.txt", c.report);
    EXPECT_EQ(runCommand(VORLANE_SOURCE_DIR "/scripts/flash-warning " + folder + "/flash-check.txt"), c.warning)
        << c.what;
  }
  std::filesystem::remove_all(folder);
}
