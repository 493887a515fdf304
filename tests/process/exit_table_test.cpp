// The README's table of how the demo ends, line by line, through the real
// program. The table is read from the README itself: each row's "What
// happened" names the ways this test makes it happen, and its line and exit
// status are the ones the demo must give, word for word. A row the test
// cannot make happen, or a way whose row is gone, fails too. NAME in a line
// stands for the file the way damaged and WHAT for what the way hides of the
// GL; NUMBER stands for any number, RENDERER and VERSION for the GL's own.

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "process/demo_process.h"
#include "support/blank_png.h"
#include "support/literal_pattern.h"
#include "support/pulse_server.h"
#include "support/temp_dir.h"
#include "support/test_track.h"
#include "support/xvfb_server.h"

namespace {

constexpr double kExitSeconds = 15;
constexpr double kLosesSoundAfter = 0.5;
// A picture of just under 2 GB, a size libgd takes, that cannot be read
// into an address space of 1.5 GB; the demo itself needs far less.
constexpr long long kHugeFileBytes = 2000000000;
constexpr long long kAddressSpaceBytes = 1500000000;

class tableRow {
 public:
  std::string happened, line, statuses;
};

// The rows of the table under "### How it ends", header left out.
std::vector<tableRow> readExitTable() {
  std::ifstream readme(VORLANE_SOURCE_DIR "/README.md");
  std::vector<tableRow> rows;
  bool inSection = false;
  for (std::string text; std::getline(readme, text);) {
    // Any heading ends the section, of whatever level.
    if (text.rfind("#", 0) == 0) inSection = text == "### How it ends";
    if (!inSection || text.rfind("| ", 0) != 0 || text.rfind("|---", 0) == 0) continue;
    std::vector<std::string> cells;
    std::istringstream split(text.substr(2, text.size() - 4));
    for (std::string cell; std::getline(split, cell, '|');) {
      size_t first = cell.find_first_not_of(' ');
      cells.push_back(cell.substr(first, cell.find_last_not_of(' ') + 1 - first));
    }
    if (cells.size() == 3 && cells[0] != "What happened") rows.push_back({cells[0], cells[1], cells[2]});
  }
  return rows;
}

// How a run ends: by itself at start-up (in a folder, an environment or on
// a display that makes it fail), or by what is done to its window or sound.
enum class ending { byItself, withoutDisplay, withoutGl, escape, closeWindow, signal, up, soundLost };

// One way to end the demo, and what it does to the demo's folder first.
class way {
 public:
  const char* note;
  ending how;
  const char* name = "";  // what NAME or WHAT stands for in the line
  std::vector<std::string> environment = {};
  std::function<void(demoProcess*)> prepare = nullptr;
  int signal = 0;
};

void removeFile(demoProcess* demo, const std::string& file) { unlink((demo->folder + "/" + file).c_str()); }

std::map<std::string, std::vector<way>> waysByRow() {
  const std::string picture = "data/textures/greenbg.png";
  const std::string shader = "data/shaders/scroller.vert";
  std::map<std::string, std::vector<way>> ways;
  ways["Escape, or the window closed (Alt+F4)"] = {{"Escape", ending::escape}, {"closed", ending::closeWindow}};
  ways["The show is over (the track has ended)"] = {{"end of the track", ending::up}};
  ways["Ctrl+C, kill, the terminal closed (SIGINT, SIGTERM, SIGHUP)"] = {
      {"SIGINT", ending::signal, "", {}, nullptr, SIGINT},
      {"SIGTERM", ending::signal, "", {}, nullptr, SIGTERM},
      {"SIGHUP", ending::signal, "", {}, nullptr, SIGHUP}};
  ways["No X display"] = {{"no DISPLAY", ending::withoutDisplay}};
  ways["No usable OpenGL"] = {{"an X server without GLX", ending::withoutGl}};
  ways["No sound output"] = {
      {"no usable OpenAL driver", ending::byItself, "", {"ALSOFT_DRIVERS=no-such-output"}},
      {"PulseAudio only, no server", ending::byItself, "",
       {"ALSOFT_DRIVERS=pulse", "PULSE_SERVER=unix:/nonexistent/vorlane-test/native"}}};
  ways["The sound output lost (unplugged)"] = {
      {"the sound server stopped during the show", ending::soundLost}};
  ways["`data/vorlane.mp3` missing or not music"] = {
      {"music missing", ending::up, "", {}, [](demoProcess* d) { removeFile(d, "data/vorlane.mp3"); }},
      {"text for music", ending::up, "", {},
       [](demoProcess* d) { writeFile(d->folder + "/data/vorlane.mp3", "not music\n"); }}};
  ways["A picture missing, or a folder or pipe in its place"] = {
      {"picture missing", ending::byItself, "greenbg", {}, [=](demoProcess* d) { removeFile(d, picture); }},
      {"folder for a picture", ending::byItself, "greenbg", {}, [=](demoProcess* d) { d->replaceWithFolder(picture); }},
      {"pipe for a picture", ending::byItself, "greenbg", {}, [=](demoProcess* d) { d->replaceWithPipe(picture); }}};
  ways["A picture damaged, or larger than the GL can hold"] = {
      {"picture cut short", ending::byItself, "greenbg", {},
       [=](demoProcess* d) { ASSERT_EQ(truncate((d->folder + "/" + picture).c_str(), 100), 0); }},
      {"picture wider than any GL's texture", ending::byItself, "greenbg", {},
       [=](demoProcess* d) { writeFile(d->folder + "/" + picture, blankPng(65536, 1)); }}};
  ways["A shader missing, or a folder or pipe in its place"] = {
      {"shader missing", ending::byItself, "scroller.vert", {}, [=](demoProcess* d) { removeFile(d, shader); }},
      {"folder for a shader", ending::byItself, "scroller.vert", {},
       [=](demoProcess* d) { d->replaceWithFolder(shader); }},
      {"pipe for a shader", ending::byItself, "scroller.vert", {}, [=](demoProcess* d) { d->replaceWithPipe(shader); }}};
  ways["Memory ran out while loading"] = {{"a 2 GB picture in 1.5 GB of address space", ending::byItself, "", {},
                                           [=](demoProcess* d) {
                                             // Sparse: it costs no disk.
                                             ASSERT_EQ(truncate((d->folder + "/" + picture).c_str(), kHugeFileBytes), 0);
                                             d->addressSpaceBytes = kAddressSpaceBytes;
                                           }}};
  ways["The GL lacks what the show needs"] = {
      {"a GL 1.4", ending::byItself, "GLSL programs (OpenGL 2.0)", {"MESA_GL_VERSION_OVERRIDE=1.4"}},
      {"no float textures", ending::byItself, "half-float textures (GL_ARB_texture_float)",
       {"MESA_EXTENSION_OVERRIDE=-GL_ARB_texture_float"}}};
  // A GL 3.0 has half-float textures by its version, and passes the check at
  // start-up; Mesa told to hide them all the same gives the render target's
  // colour texture no storage, and its framebuffer is incomplete.
  ways["The GL cannot draw off-screen"] = {
      {"a GL 3.0 without float textures", ending::byItself, "",
       {"MESA_GL_VERSION_OVERRIDE=3.0", "MESA_EXTENSION_OVERRIDE=-GL_ARB_texture_float"}}};
  return ways;
}

// The README's line for a way: its NAME or WHAT filled in, the other
// placeholders left to match what they stand for; empty for "none".
std::string expectedLine(const tableRow& row, const way& w, bool* afterUp) {
  *afterUp = row.line.rfind("after Up: ", 0) == 0;
  if (row.line == "none") return "";
  size_t open = row.line.find('`');
  std::string line = row.line.substr(open + 1, row.line.rfind('`') - open - 1);
  for (const char* placeholder : {"NAME", "WHAT"}) {
    size_t at = line.find(placeholder);
    if (at != std::string::npos) line.replace(at, strlen(placeholder), w.name);
  }
  return line + "\n";
}

// What the placeholders left in a line match.
const std::pair<const char*, const char*> kPlaceholders[] = {
    {"NUMBER", "[0-9]+"}, {"RENDERER", ".+"}, {"VERSION", ".+"}};

bool sameLine(const std::string& expected, const std::string& printed) {
  std::string pattern;
  size_t at = 0;
  while (at < expected.size()) {
    size_t next = expected.size();
    const std::pair<const char*, const char*>* found = nullptr;
    for (const auto& placeholder : kPlaceholders) {
      size_t where = expected.find(placeholder.first, at);
      if (where < next) {
        next = where;
        found = &placeholder;
      }
    }
    pattern += literalPattern(expected.substr(at, next - at));
    if (!found) break;
    pattern += found->second;
    at = next + strlen(found->first);
  }
  return std::regex_match(printed, std::regex(pattern));
}

// Runs the demo to its end the way `w` says; returns its exit status.
int endDemo(demoProcess* demo, const way& w) {
  std::unique_ptr<xvfbServer> withoutGl;
  std::unique_ptr<pulseServer> sound;
  std::vector<std::string> unset, environment = w.environment;
  if (w.how == ending::withoutDisplay) unset = {"DISPLAY", "WAYLAND_DISPLAY"};
  if (w.how == ending::withoutGl) {
    withoutGl = std::make_unique<xvfbServer>(1280, 720, false);
    demo->display = withoutGl->display;
  }
  if (w.how == ending::soundLost) {
    sound = std::make_unique<pulseServer>();
    for (const std::string& pair : sound->openAlEnvironment()) environment.push_back(pair);
  }
  demo->start(unset, environment);
  bool startsUp = w.how != ending::byItself && w.how != ending::withoutDisplay && w.how != ending::withoutGl;
  if (startsUp && !demo->waitForWindow(kExitSeconds)) return -1;
  switch (w.how) {
    case ending::byItself:
    case ending::withoutDisplay:
    case ending::withoutGl:
      break;
    case ending::escape:
      demo->tapKey("Escape");
      break;
    case ending::closeWindow:
      demo->requestClose();
      break;
    case ending::signal:
      kill(demo->pid, w.signal);
      break;
    case ending::up:
      demo->tapKey("Up");
      break;
    case ending::soundLost:
      demo->tapKey("Up");
      std::this_thread::sleep_for(std::chrono::duration<double>(kLosesSoundAfter));
      sound->server.stop();
      break;
  }
  return demo->waitForExit(kExitSeconds);
}

}  // namespace

TEST(ExitTable, EveryRowOfTheReadmeIsWhatTheDemoDoes) {
  std::vector<tableRow> rows = readExitTable();
  std::map<std::string, std::vector<way>> ways = waysByRow();
  ASSERT_EQ(rows.size(), ways.size()) << "the README's table and this test's ways differ in number";
  for (const tableRow& row : rows) {
    auto found = ways.find(row.happened);
    ASSERT_NE(found, ways.end()) << "no way to make this row happen: " << row.happened;
    // One status for every way, or one for each.
    std::vector<std::string> statuses;
    std::istringstream split(row.statuses);
    for (std::string status; std::getline(split, status, ',');) statuses.push_back(status);
    for (size_t i = 0; i < found->second.size(); ++i) {
      const way& w = found->second[i];
      bool afterUp = false;
      std::string line = expectedLine(row, w, &afterUp);
      if (afterUp) {
        EXPECT_EQ(w.how, ending::up) << w.note << ": the README says the line comes after Up";
      }
      demoProcess demo(kTestTrack);
      if (w.prepare) w.prepare(&demo);
      int status = endDemo(&demo, w);
      EXPECT_EQ(status, std::stoi(statuses[statuses.size() == 1 ? 0 : i])) << w.note;
      EXPECT_TRUE(sameLine(line, demo.output())) << w.note << ": printed \"" << demo.output() << "\", the README says \""
                                                 << line << "\"";
      EXPECT_EQ(demo.errors(), "") << w.note;
    }
  }
}
