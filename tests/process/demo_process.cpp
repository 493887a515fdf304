#include "process/demo_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "support/temp_dir.h"

demoProcess::demoProcess(const char* track) : folder(makeTempDir()) {
  runCommand("cp -r " DEMO_DIR "/data " DEMO_DIR "/*.ttf " + folder);
  std::string music = folder + "/data/vorlane.mp3";
  if (track)
    writeFile(music, readFile(track));
  else
    unlink(music.c_str());
}

demoProcess::~demoProcess() {
  if (pid > 0) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  std::filesystem::remove_all(folder);
}

void demoProcess::start(const std::vector<std::string>& unset, const std::vector<std::string>& set) {
  pid = fork();
  if (pid != 0) return;
  if (chdir(folder.c_str()) != 0) _exit(101);
  int out = open("stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  int err = open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  dup2(out, STDOUT_FILENO);
  dup2(err, STDERR_FILENO);
  for (const std::string& name : unset) unsetenv(name.c_str());
  if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
  for (const std::string& pair : set) putenv(const_cast<char*>(pair.c_str()));
  // A crash a test causes leaves no core file behind.
  struct rlimit noCore = {0, 0};
  setrlimit(RLIMIT_CORE, &noCore);
  if (addressSpaceBytes > 0) {
    struct rlimit limit = {rlim_t(addressSpaceBytes), rlim_t(addressSpaceBytes)};
    setrlimit(RLIMIT_AS, &limit);
  }
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  _exit(102);
}

std::string demoProcess::onDisplay(const std::string& command) {
  return runCommand(display.empty() ? command : "DISPLAY=" + display + " " + command);
}

bool demoProcess::waitForWindow(double seconds) {
  windowId = onDisplay("timeout " + std::to_string(seconds) + " xdotool search --sync --onlyvisible --pid " +
                       std::to_string(pid) + " 2>/dev/null | head -n 1");
  while (!windowId.empty() && windowId.back() == '\n') windowId.pop_back();
  if (windowId.empty()) return false;
  // No window manager gives the focus: take it, and put the pointer over the window.
  onDisplay("xdotool windowfocus " + windowId + " mousemove --window " + windowId + " 10 10");
  return true;
}

void demoProcess::tapKey(const char* key) {
  onDisplay(std::string("xdotool keydown ") + key + " sleep 0.05 keyup " + key);
}

std::string demoProcess::windowTitle() {
  std::string title = onDisplay("xdotool getwindowname " + windowId + " 2>/dev/null");
  while (!title.empty() && title.back() == '\n') title.pop_back();
  return title;
}

void demoProcess::resizeWindow(int width, int height) {
  onDisplay("xdotool windowsize " + windowId + " " + std::to_string(width) + " " + std::to_string(height));
}

void demoProcess::requestClose() { onDisplay(std::string(CLOSE_WINDOW_BINARY) + " " + windowId); }

int demoProcess::waitForExit(double seconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  int status = 0;
  struct rusage usage;
  while (wait4(pid, &status, WNOHANG, &usage) == 0) {
    if (std::chrono::steady_clock::now() > deadline) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  pid = -1;
  peakKilobytes = usage.ru_maxrss;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string demoProcess::output() const { return readFile(folder + "/stdout.txt"); }

std::string demoProcess::errors() const { return readFile(folder + "/stderr.txt"); }

void demoProcess::replaceWithPipe(const std::string& file) {
  std::string path = folder + "/" + file;
  unlink(path.c_str());
  mkfifo(path.c_str(), 0644);
}

void demoProcess::replaceWithFolder(const std::string& file) {
  std::string path = folder + "/" + file;
  unlink(path.c_str());
  mkdir(path.c_str(), 0755);
}
