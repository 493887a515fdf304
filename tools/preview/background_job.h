#pragma once
// A program the preview runs beside the show without waiting for it: a
// build, or the synthesizer remaking the music. The frame loop asks after
// it each frame; its output goes to a file, read once it has ended.

#include <sys/types.h>

#include <string>
#include <vector>

class backgroundJob {
 public:
  pid_t pid = -1;  // while it runs

  // Starts `arguments` (a path to the program first) in a process group of
  // its own, with standard output and error into `logPath`. False if it
  // could not be started.
  bool start(const std::vector<std::string>& arguments, const std::string& logPath);
  bool active() const { return pid > 0; }
  // Whether the active job has ended; if so, its exit status (128 and the
  // signal's number if a signal ended it) is in `status`, and it is no
  // longer active.
  bool ended(int* status);
  // Waits for the active job to end: its exit status.
  int wait();
  // Ends it and everything it started.
  void stop();
};
