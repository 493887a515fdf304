#include "support/pulse_server.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "support/temp_dir.h"

namespace {

bool socketExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// Reads the pipe at half of 44.1 kHz 16-bit stereo's byte rate, throwing the
// bytes away, until `stopping` is set and the server has closed its end.
void drainAtHalfSpeed(const std::string& fifo, const std::atomic<bool>& stopping) {
  constexpr double kBytesPerSecond = 44100 * 4 / 2.0;
  // Non-blocking, so that opening does not wait for the server.
  int pipe = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  if (pipe < 0) return;
  // The smallest pipe: the sink can run ahead of the reader by a page only.
  fcntl(pipe, F_SETPIPE_SZ, 4096);
  char block[4096];
  auto next = std::chrono::steady_clock::now();
  for (;;) {
    ssize_t got = read(pipe, block, sizeof block);
    if (got <= 0) {
      if (stopping && got == 0) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      continue;
    }
    // After a wait for the server, the pace starts again from now.
    next = std::max(next, std::chrono::steady_clock::now());
    next += std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(double(got) / kBytesPerSecond));
    std::this_thread::sleep_until(next);
  }
  close(pipe);
}

bool fileHasBytes(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && info.st_size > 0;
}

}  // namespace

pulseServer::pulseServer(pulseSink sink) : folder(makeTempDir()) {
  std::string fifo = folder + "/sink.fifo";
  std::string sinkModule = "module-null-sink sink_name=out rate=44100 channels=2";
  if (sink == pulseSink::halfSpeed) {
    mkfifo(fifo.c_str(), 0600);
    sinkModule = "module-pipe-sink sink_name=out file=" + fifo + " format=s16le rate=44100 channels=2";
    drain = std::thread([this, fifo] { drainAtHalfSpeed(fifo, stopping); });
  }
  // Its own home keeps it off any user's configuration and cookies.
  server.start({"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "--disable-shm=yes",
                "-L", sinkModule, "-L", "module-native-protocol-unix socket=" + folder + "/native auth-anonymous=1"},
               folder + "/server.log", folder + "/server.log",
               {"HOME=" + folder, "XDG_RUNTIME_DIR=" + folder, "XDG_CONFIG_HOME=" + folder});
  waitUntil(10, socketExists, folder + "/native");
  if (sink == pulseSink::halfSpeed)
    silence.start({"pacat", "--playback", "--server=" + address(), "--device=out", "--format=s16le", "--rate=44100",
                   "--channels=2", "--raw", "/dev/zero"},
                  "/dev/null", folder + "/silence.log");
}

pulseServer::~pulseServer() {
  silence.stop();
  stopping = true;
  server.stop();
  if (drain.joinable()) drain.join();
  std::filesystem::remove_all(folder);
}

bool pulseServer::ready() const { return socketExists(folder + "/native"); }

std::string pulseServer::address() const { return "unix:" + folder + "/native"; }

std::vector<std::string> pulseServer::openAlEnvironment() const {
  return {"ALSOFT_DRIVERS=pulse", "PULSE_SERVER=" + address()};
}

pulseRecording::pulseRecording(const pulseServer& server) : path(server.folder + "/recording.raw") {
  recorder.start({"parec", "--server=" + server.address(), "--device=out.monitor", "--format=s16le", "--rate=44100",
                  "--channels=2", "--raw"},
                 path, server.folder + "/parec.log");
  // The idle sink's monitor streams silence: the first bytes say it records.
  waitUntil(5, fileHasBytes, path);
}

void pulseRecording::recordOn(double seconds) {
  struct stat info;
  long long start = stat(path.c_str(), &info) == 0 ? info.st_size : 0;
  long long wanted = start + (long long)(seconds * 44100) * 4;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds + 5);
  while (stat(path.c_str(), &info) == 0 && info.st_size < wanted && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

std::vector<short> pulseRecording::stopAndReadLeft() {
  recorder.stop();
  std::string bytes = readFile(path);
  std::vector<short> left(bytes.size() / 4);
  for (size_t i = 0; i < left.size(); ++i) memcpy(&left[i], bytes.data() + i * 4, sizeof(short));
  return left;
}
