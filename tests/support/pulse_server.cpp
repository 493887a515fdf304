#include "support/pulse_server.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "support/temp_dir.h"

namespace {

bool socketExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

bool fileHasBytes(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && info.st_size > 0;
}

}  // namespace

pulseServer::pulseServer() : folder(makeTempDir()) {
  // Its own home keeps it off any user's configuration and cookies.
  server.start({"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "--disable-shm=yes",
                "-L", "module-null-sink sink_name=out rate=44100 channels=2", "-L",
                "module-native-protocol-unix socket=" + folder + "/native auth-anonymous=1"},
               folder + "/server.log", folder + "/server.log",
               {"HOME=" + folder, "XDG_RUNTIME_DIR=" + folder, "XDG_CONFIG_HOME=" + folder});
  waitUntil(10, socketExists, folder + "/native");
}

pulseServer::~pulseServer() {
  server.stop();
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
