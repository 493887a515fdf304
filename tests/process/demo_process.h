#pragma once
// Runs the real demo binary in a temporary working folder under the current
// X display, sends it keys with xdotool, and collects what it printed and
// its exit status.

#include <sys/types.h>

#include <string>
#include <vector>

class demoProcess {
 public:
  std::string folder;  // the demo's working folder
  pid_t pid = -1;
  std::string windowId;

  // Makes a working folder holding the demo's files, with `track` as its
  // music, or with no music when `track` is null.
  explicit demoProcess(const char* track);
  ~demoProcess();

  // Starts the demo; `unset` names environment variables it must not see,
  // `set` holds NAME=VALUE pairs to add.
  void start(const std::vector<std::string>& unset = {}, const std::vector<std::string>& set = {});
  // Waits for the demo's window to be mapped; false if none came.
  bool waitForWindow(double seconds);
  // Presses and lets go of a key (an xdotool key name, e.g. "Up").
  void tapKey(const char* key);
  // Asks the window to close, as a window manager would.
  void requestClose();
  // Waits for the process to end: its exit status, or -1 if it is still
  // running after `seconds` (it is then killed).
  int waitForExit(double seconds);
  // Everything the demo wrote to standard output.
  std::string output() const;
};

// Runs a shell command and returns what it printed.
std::string runCommand(const std::string& command);
