// vorlane-preview-bench: how soon the preview shows an edit of the show's
// code, and how much memory its reloads keep. It drives the real preview on
// the tests' copy of the sources, paused in the word slam, as the preview's
// tests do: it saves an edit of a scene, of the toolkit and of the schedule
// several times each (each edit undoing the one before), and prints, for
// each kind, the median and the worst time from the save to the first frame
// that shows it, and for the schedule the time from the save to the new
// music in place at the playhead. It runs once quiet and once with two
// busy processes beside it, and prints the load it saw; then the preview's
// resident memory after 1 and after 50 reloads.
//
//   scripts/with-display build/test/tests/vorlane-preview-bench
//
// VORLANE_BENCH_EDITS sets the edits of each kind (5), VORLANE_BENCH_RELOADS
// the reloads of the memory run (50; 0 leaves it out).

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "tools/preview_fixture.h"

namespace {

using clockType = std::chrono::steady_clock;

constexpr double kLimitSeconds = 90;

double secondsSince(clockType::time_point start) {
  return std::chrono::duration<double>(clockType::now() - start).count();
}

int fromEnvironment(const char* name, int fallback) {
  const char* value = getenv(name);
  return value && *value ? atoi(value) : fallback;
}

// An edit that a second save undoes: `from` and `to` in turn.
struct toggledEdit {
  const char* kind;
  const char* file;
  const char* from;
  const char* to;
  double shownAt;  // a moment whose picture each save changes
  bool remakesMusic;
};

const toggledEdit kEdits[] = {
    {"scene", "src/scenes/velmo_efx.cpp", "glColor4f(0.8f, 0.8f, 0.8f, 1);", "glColor4f(0.8f, 0.2f, 0.8f, 1);", 7.501,
     false},
    {"toolkit", "src/render/image_texture.cpp", "glVertex3f(-2 * a, 2 * b, z);", "glVertex3f(-1 * a, 2 * b, z);",
     7.501, false},
    // "Dirty" shows at 6.901 s from 6.8 s, and not from 6.95 s.
    {"schedule", "src/schedule/schedule.h", "kDirtyAfter = 0.3;", "kDirtyAfter = 0.45;", 6.901, true},
};

struct figures {
  std::vector<double> toScreen, toMusic;
};

void printFigures(const char* kind, const char* what, std::vector<double> seconds) {
  if (seconds.empty()) return;
  std::sort(seconds.begin(), seconds.end());
  printf("  %-8s save to %-6s median %5.2f s, worst %5.2f s (%zu edits)\n", kind, what, seconds[seconds.size() / 2],
         seconds.back(), seconds.size());
}

// The one-minute load average.
double loadAverage() {
  double load = 0;
  std::ifstream("/proc/loadavg") >> load;
  return load;
}

// Processes that keep a core busy until they are stopped.
class busyProcesses {
 public:
  std::vector<pid_t> pids;

  explicit busyProcesses(int count) {
    for (int i = 0; i < count; ++i) {
      pid_t pid = fork();
      if (pid == 0) {
        for (volatile unsigned long spin = 0;; ++spin) {
        }
      }
      pids.push_back(pid);
    }
  }
  ~busyProcesses() {
    for (pid_t pid : pids) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }
};

class PreviewBench : public previewTest {
 protected:
  bool edited[3] = {false, false, false};

  void save(int which) {
    const toggledEdit& e = kEdits[which];
    std::string text = readFile(sourceFile(e.file));
    const char* from = edited[which] ? e.to : e.from;
    const char* to = edited[which] ? e.from : e.to;
    size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << e.file << " has no " << from;
    writeFile(sourceFile(e.file), text.replace(at, std::string(from).size(), to));
    edited[which] = !edited[which];
  }

  // Pauses at `seconds` with its frame on screen.
  void holdAt(double seconds) {
    if (!has(preview.windowTitle(), "| paused")) pause(true);
    preview.tapKey("2");
    // From 6.501 s, a tenth at a time, then a frame at a time.
    int tenths = int((seconds - 6.501) * 10 + 1e-6);
    for (int i = 0; i < tenths; ++i) preview.tapKey("shift+Right");
    ASSERT_TRUE(waitForTitle([seconds](const std::string& t) { return titleSeconds(t) == seconds; }, 10))
        << preview.windowTitle();
    sleepFor(0.3);
  }

  bool waitUntilBuilt(bool music) {
    return waitForTitle(
        [music](const std::string& t) { return !has(t, "| building") && !(music && has(t, "new music coming")); },
        kLimitSeconds);
  }

  figures measure(int which, int edits) {
    const toggledEdit& e = kEdits[which];
    figures found;
    holdAt(e.shownAt);
    for (int i = 0; i < edits; ++i) {
      rgbImage before = picture();
      auto saved = clockType::now();
      save(which);
      double shown = secondsUntilPictureChanges(before, kLimitSeconds);
      if (shown >= kLimitSeconds) {
        ADD_FAILURE() << e.kind << " edit " << i << " never showed: " << preview.windowTitle();
        break;
      }
      found.toScreen.push_back(shown);
      if (e.remakesMusic &&
          !waitForTitle([](const std::string& t) { return has(t, "new music coming"); }, kLimitSeconds))
        ADD_FAILURE() << "no new music after the schedule edit";
      if (!waitUntilBuilt(e.remakesMusic)) ADD_FAILURE() << "still building: " << preview.windowTitle();
      if (e.remakesMusic) found.toMusic.push_back(secondsSince(saved));
      // Let the machine settle between edits.
      sleepFor(0.5);
    }
    return found;
  }

  void run(const char* how, int edits) {
    startAt("6.6");
    double loadSum = 0;
    figures all[3];
    for (int which = 0; which < 3; ++which) {
      all[which] = measure(which, edits);
      loadSum += loadAverage();
    }
    printf("%s, load average %.1f:\n", how, loadSum / 3);
    for (int which = 0; which < 3; ++which) {
      printFigures(kEdits[which].kind, "screen", all[which].toScreen);
      printFigures(kEdits[which].kind, "music", all[which].toMusic);
    }
    fflush(stdout);
  }
};

}  // namespace

TEST_F(PreviewBench, SaveToScreenQuiet) { run("quiet", fromEnvironment("VORLANE_BENCH_EDITS", 5)); }

TEST_F(PreviewBench, SaveToScreenBesideTwoBusyProcesses) {
  busyProcesses busy(2);
  sleepFor(20);  // for the load average to see them
  run("two busy processes beside it", fromEnvironment("VORLANE_BENCH_EDITS", 5));
}

TEST_F(PreviewBench, MemoryAfterReloads) {
  int reloads = fromEnvironment("VORLANE_BENCH_RELOADS", 50);
  if (reloads == 0) GTEST_SKIP();
  startAt("6.6");
  holdAt(kEdits[0].shownAt);
  long afterOne = 0;
  for (int i = 1; i <= reloads; ++i) {
    save(0);
    ASSERT_TRUE(waitForTitle([](const std::string& t) { return has(t, "| building"); }, kLimitSeconds));
    ASSERT_TRUE(waitUntilBuilt(false));
    sleepFor(0.3);
    if (i == 1) afterOne = residentKilobytes(preview.pid);
  }
  long afterAll = residentKilobytes(preview.pid);
  printf("resident memory: %.1f MB after 1 reload, %.1f MB after %d (%+.1f MB)\n", afterOne / 1024.0,
         afterAll / 1024.0, reloads, (afterAll - afterOne) / 1024.0);
}
