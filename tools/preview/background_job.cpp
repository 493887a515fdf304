#include "background_job.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

int exitStatus(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status); }

}  // namespace

bool backgroundJob::start(const std::vector<std::string>& arguments, const std::string& logPath) {
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
  // A group of its own: a build's compilers are stopped with it, and the
  // terminal's Ctrl+C is the preview's alone.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  int failed = posix_spawn(&pid, argv[0], &files, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&files);
  if (failed) pid = -1;
  return !failed;
}

bool backgroundJob::ended(int* status) {
  int raw = 0;
  pid_t done = waitpid(pid, &raw, WNOHANG);
  if (done == 0) return false;
  // Gone without a status (reaped elsewhere): failed, as far as anyone knows.
  *status = done == pid ? exitStatus(raw) : 127;
  pid = -1;
  return true;
}

int backgroundJob::wait() {
  int raw = 0;
  waitpid(pid, &raw, 0);
  pid = -1;
  return exitStatus(raw);
}

void backgroundJob::stop() {
  if (pid <= 0) return;
  kill(-pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  pid = -1;
}
