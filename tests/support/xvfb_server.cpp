#include "support/xvfb_server.h"

#include <filesystem>

#include "support/display_number.h"
#include "support/temp_dir.h"

xvfbServer::xvfbServer(int width, int height) : folder(makeTempDir()) {
  std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  server.start({"Xvfb", "-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"}, folder + "/display",
               folder + "/server.log");
  display = chosenDisplay(folder + "/display");
}

xvfbServer::~xvfbServer() {
  server.stop();
  std::filesystem::remove_all(folder);
}
