#pragma once
// A program the test starts in the background and stops when done with it:
// a server or a recorder.

#include <sys/types.h>

#include <string>
#include <vector>

class childProcess {
 public:
  pid_t pid = -1;

  childProcess() = default;
  childProcess(const childProcess&) = delete;
  childProcess& operator=(const childProcess&) = delete;
  // Stops the program if it still runs.
  ~childProcess();

  // Starts `arguments` (the program first, found on PATH) with its standard
  // output going to `outputPath` and its standard error to `errorPath`, and
  // `environment` (NAME=VALUE pairs) added to this process's.
  void start(const std::vector<std::string>& arguments, const std::string& outputPath, const std::string& errorPath,
             const std::vector<std::string>& environment = {});
  // Sends SIGTERM and waits for the program to end.
  void stop();
};

// Runs a shell command and returns what it printed.
std::string runCommand(const std::string& command);

// Waits up to `seconds` for `test` to hold, trying every 10 ms.
bool waitUntil(double seconds, bool (*test)(const std::string&), const std::string& argument);
