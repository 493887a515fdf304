#pragma once
// Runs the real demo binary (or another program of the demo's folder) in a
// temporary working folder under an X display, sends it keys with xdotool,
// and collects what it printed, its exit status and the most memory it held.

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/child_process.h"

class demoProcess {
 public:
  std::string folder;   // the demo's working folder
  std::string display;  // the X display it runs on; empty for the test's own
  std::string program = DEMO_BINARY;
  std::vector<std::string> arguments;
  pid_t pid = -1;
  std::string windowId;
  long peakKilobytes = 0;  // its largest resident size, once it has ended
  long long addressSpaceBytes = 0;  // a limit on its address space; 0 for none

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
  // The window's title now.
  std::string windowTitle();
  // Resizes the window, as a user dragging its corner would.
  void resizeWindow(int width, int height);
  // Waits for the process to end: its exit status (128 + the signal's
  // number if a signal ended it), or -1 if it is still running after
  // `seconds` (it is then killed).
  int waitForExit(double seconds);
  // Everything the demo wrote to standard output, and to standard error.
  std::string output() const;
  std::string errors() const;

  // Replaces one of the demo's files with a named pipe that nobody writes.
  void replaceWithPipe(const std::string& file);
  // Replaces one of the demo's files with a folder.
  void replaceWithFolder(const std::string& file);

 private:
  // Runs an X client command on the demo's display.
  std::string onDisplay(const std::string& command);
};
