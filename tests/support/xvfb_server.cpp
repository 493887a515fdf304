#include "support/xvfb_server.h"

#include <filesystem>
#include <vector>

#include "support/display_number.h"
#include "support/temp_dir.h"

xvfbServer::xvfbServer(int width, int height, bool glx) : folder(makeTempDir()) {
  std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
  std::vector<std::string> arguments{"Xvfb", "-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"};
  if (!glx) arguments.insert(arguments.end(), {"-extension", "GLX"});
  server.start(arguments, folder + "/display", folder + "/server.log");
  display = chosenDisplay(folder + "/display");
}

xvfbServer::~xvfbServer() {
  server.stop();
  std::filesystem::remove_all(folder);
}
