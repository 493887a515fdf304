#include "support/xorg_server.h"

#include <filesystem>
#include <sstream>

#include "support/temp_dir.h"

namespace {

const char* const kConfig = R"(Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 65536
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0 - 1000.0
  VertRefresh 5.0 - 200.0
  Modeline "1920x1080" 148.50 1920 2008 2052 2200 1080 1084 1089 1125 +hsync +vsync
  Modeline "1280x720" 74.25 1280 1390 1430 1650 720 725 730 750 +hsync +vsync
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1920x1080" "1280x720"
    Virtual 1920 1080
  EndSubSection
EndSection
)";

bool displayChosen(const std::string& path) { return !readFile(path).empty(); }

}  // namespace

xorgServer::xorgServer() : folder(makeTempDir()) {
  writeFile(folder + "/xorg.conf", kConfig);
  std::filesystem::create_directory(folder + "/conf.d");
  // -displayfd 1: the server picks a free display and writes its number on
  // standard output once it takes clients.
  server.start({"Xorg", "-displayfd", "1", "-config", folder + "/xorg.conf", "-configdir", folder + "/conf.d",
                "-logfile", folder + "/Xorg.log", "-noreset", "-nolisten", "tcp", "-novtswitch", "-sharevts"},
               folder + "/display", folder + "/server.log");
  display = chosenDisplay(folder + "/display", 15);
}

xorgServer::~xorgServer() {
  server.stop();
  std::filesystem::remove_all(folder);
}

std::string xorgServer::currentMode() const {
  std::istringstream lines(runCommand("DISPLAY=" + display + " xrandr --current 2>/dev/null"));
  for (std::string line; std::getline(lines, line);) {
    if (line.find('*') == std::string::npos) continue;
    std::istringstream words(line);
    std::string mode;
    words >> mode;
    return mode;
  }
  return "";
}

void xorgServer::restoreMode() const { runCommand("DISPLAY=" + display + " xrandr -s 1920x1080 2>/dev/null"); }

std::string chosenDisplay(const std::string& path, double seconds) {
  if (!waitUntil(seconds, displayChosen, path)) return "";
  std::istringstream number(readFile(path));
  int n = -1;
  return number >> n ? ":" + std::to_string(n) : "";
}
