// What the preview's build beside the show is made of: the programs it
// runs in the background and their exit statuses and output, the one line
// it takes from a failed build's output, and which edited sources count.

#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include "background_job.h"
#include "build_errors.h"
#include "show_build.h"
#include "support/temp_dir.h"

namespace {

// Whether process `pid` is gone, or only a zombie waiting for whoever took
// it over, within `seconds`.
bool endsWithin(pid_t pid, double seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
    if ((kill(pid, 0) != 0 && errno == ESRCH) || stat.find(") Z ") != std::string::npos) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace

TEST(BackgroundJob, TellsTheExitStatusAndKeepsTheOutput) {
  std::string dir = makeTempDir();
  const struct {
    const char* script;
    int status;
    const char* output;
  } cases[] = {
      {"echo made; echo failed >&2", 0, "made\nfailed\n"},
      {"echo half; exit 3", 3, "half\n"},
      {"kill -TERM $$", 128 + 15, ""},
  };
  for (const auto& c : cases) {
    backgroundJob job;
    ASSERT_TRUE(job.start({"/bin/sh", "-c", c.script}, dir + "/log")) << c.script;
    int status = -1;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!job.ended(&status) && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_FALSE(job.active()) << c.script;
    EXPECT_EQ(status, c.status) << c.script;
    EXPECT_EQ(readFile(dir + "/log"), c.output) << c.script;
  }

  backgroundJob missing;
  EXPECT_FALSE(missing.start({dir + "/no-such-program"}, dir + "/log"));
  EXPECT_FALSE(missing.active());

  // Stopping ends everything the job started, as a build's make ends with
  // its compilers and linker: here a shell with a child and a grandchild.
  backgroundJob sleeper;
  std::string pids = dir + "/pids";
  ASSERT_TRUE(sleeper.start({"/bin/sh", "-c",
                             "sleep 30 & echo $! >" + pids + "; sh -c 'sleep 30 & echo $! >>" + pids +
                                 "; wait' & wait"},
                            dir + "/log"));
  auto start = std::chrono::steady_clock::now();
  auto pidsWritten = [&pids] {
    std::string text = readFile(pids);
    return std::count(text.begin(), text.end(), '\n');
  };
  while (pidsWritten() < 2 && std::chrono::steady_clock::now() - start < std::chrono::seconds(10))
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  std::vector<pid_t> started;
  std::istringstream lines(readFile(pids));
  for (pid_t pid; lines >> pid;) started.push_back(pid);
  ASSERT_EQ(started.size(), 2u) << readFile(pids);
  start = std::chrono::steady_clock::now();
  sleeper.stop();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_FALSE(sleeper.active());
  EXPECT_EQ(readFile(dir + "/log"), "");
  for (pid_t pid : started) EXPECT_TRUE(endsWithin(pid, 5)) << "sleep " << pid << " outlived the stop";
  std::filesystem::remove_all(dir);
}

TEST(BuildErrors, TheFirstErrorOfTheCompilerTheLinkerOrCMake) {
  const std::string root = "/home/maker/vorlane";
  const struct {
    const char* name;
    std::string log;
    const char* line;
  } cases[] = {
      {"a compiler error",
       "[ 50%] Building CXX object src/scenes/CMakeFiles/vorlane_scenes.dir/velmo_efx.cpp.o\n" + root +
           "/src/scenes/velmo_efx.cpp: In member function 'virtual void velmoEFX::render(float)':\n" + root +
           "/src/scenes/velmo_efx.cpp:45:35: error: expected ';' before 'if'\n" + root +
           "/src/scenes/velmo_efx.cpp:60:3: error: 'x' was not declared in this scope\n"
           "gmake[2]: *** [src/scenes/CMakeFiles/vorlane_scenes.dir/build.make:90: velmo_efx.cpp.o] Error 1\n",
       "src/scenes/velmo_efx.cpp:45:35: error: expected ';' before 'if'"},
      {"a header that is not there",
       root + "/src/scenes/velmo_efx.cpp:3:10: fatal error: scenes/gone.h: No such file or directory\n",
       "src/scenes/velmo_efx.cpp:3:10: fatal error: scenes/gone.h: No such file or directory"},
      {"a name the linker cannot find",
       "[ 90%] Linking CXX shared module vorlane-show.so\n/usr/bin/ld: CMakeFiles/vorlane_show.dir" + root +
           "/src/runtime/demo_frame.cpp.o: in function `drawFrame':\n" + root +
           "/src/runtime/demo_frame.cpp:52: undefined reference to `sceneAt(float)'\n"
           "collect2: error: ld returned 1 exit status\n",
       "error: src/runtime/demo_frame.cpp:52: undefined reference to `sceneAt(float)'"},
      {"a CMake file that does not configure",
       "CMake Error at " + root + "/src/scenes/CMakeLists.txt:1 (add_library):\n  Cannot find source file:\n",
       "error: CMake Error at src/scenes/CMakeLists.txt:1 (add_library):"},
      {"only the build tool's summary", "gmake: *** [Makefile:91: all] Error 2\n",
       "error: the build of the show failed (status 2)"},
  };
  for (const auto& c : cases) EXPECT_EQ(firstErrorLine(c.log, root, 2), c.line) << c.name;
}

TEST(BuildErrors, AHeaderReachedThroughTheBuildsLinkIsNamedWhereItIsInTheSources) {
  std::string dir = makeTempDir();
  std::filesystem::create_directories(dir + "/vorlane/src/scenes");
  std::filesystem::create_directories(dir + "/build/layer_headers/scenes");
  writeFile(dir + "/vorlane/src/scenes/velmo_efx.h", "#error\n");
  std::filesystem::create_directory_symlink(dir + "/vorlane/src/scenes", dir + "/build/layer_headers/scenes/scenes");
  std::string log = "In file included from " + dir + "/vorlane/src/scenes/velmo_efx.cpp:1:\n" + dir +
                    "/build/layer_headers/scenes/scenes/velmo_efx.h:1:2: error: #error\n";
  EXPECT_EQ(firstErrorLine(log, dir + "/vorlane", 2), "src/scenes/velmo_efx.h:1:2: error: #error");
  std::filesystem::remove_all(dir);
}

TEST(ShowSources, TheSourcesOfTheShowsBuildCountAndNothingElse) {
  std::string root = makeTempDir();
  // The preview's own program, the audio layer and the show's files are
  // not built into the library.
  const struct {
    const char* file;
    bool counts;
  } files[] = {
      {"CMakeLists.txt", true},
      {"src/scenes/velmo_efx.cpp", true},
      {"src/scenes/CMakeLists.txt", true},
      {"src/schedule/schedule.h", true},
      {"src/render/text_face.cpp", true},
      {"src/runtime/timeline.cpp", true},
      {"tools/synth/drum_kit.cpp", true},
      {"tools/preview/show/show_build.cmake", true},
      {"src/scenes/notes.txt", false},
      {"src/audio/system.cpp", false},
      {"tools/preview/preview_session.cpp", false},
      {"data/textures/sun.png", false},
  };
  for (const auto& f : files) {
    std::filesystem::create_directories(std::filesystem::path(root + "/" + f.file).parent_path());
    writeFile(root + "/" + f.file, "first");
  }
  fileWatch watch(root, kShowSources);
  // The build reads them as it needs them: a change counts when it is seen.
  watch.waitsToSettle = false;
  for (const auto& f : files) {
    writeFile(root + "/" + f.file, "second, longer");
    std::vector<std::string> changed = watch.changedFiles();
    EXPECT_EQ(changed, f.counts ? std::vector<std::string>{f.file} : std::vector<std::string>{}) << f.file;
    EXPECT_TRUE(watch.changedFiles().empty()) << f.file;
  }
  std::filesystem::remove_all(root);
}
