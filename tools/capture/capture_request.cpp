#include "capture_request.h"

#include <cstdlib>

bool parseCaptureRequest(int argc, char** argv, captureRequest* request) {
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (option == "--at") request->at = atof(value);
    else if (option == "--from") request->from = atof(value);
    else if (option == "--to") request->to = atof(value);
    else if (option == "--fps") request->fps = atof(value);
    else if (option == "--out") request->out = value;
    else if (option == "--video") request->video = value;
    else if (option == "--references") request->references = value;
    else return false;
  }
  bool single = !std::isnan(request->at) && !request->out.empty();
  bool range = !std::isnan(request->from) && !std::isnan(request->to) && !request->out.empty();
  bool video = !request->video.empty();
  bool references = !request->references.empty();
  return request->fps > 0 && single + range + video + references == 1;
}

int rangeFrameCount(double from, double to, double step) { return int(std::floor((to - from) / step + 1e-9)) + 1; }
