#include "support/xvfb_server.h"

#include <filesystem>

#include "support/temp_dir.h"
#include "support/xorg_server.h"

xvfbServer::xvfbServer() : folder(makeTempDir()) {
  server.start({"Xvfb", "-displayfd", "1", "-extension", "GLX", "-screen", "0", "1280x720x24", "-nolisten", "tcp"},
               folder + "/display", folder + "/server.log");
  display = chosenDisplay(folder + "/display", 15);
}

xvfbServer::~xvfbServer() {
  server.stop();
  std::filesystem::remove_all(folder);
}
