#include "capture_request.h"

#include <cstdio>
#include <cstdlib>

namespace {

// The largest window side a GL is sure to draw whole (its viewport's limit).
constexpr int kLargestFrameSide = 8192;

}  // namespace

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
    else if (option == "--size") {
      if (sscanf(value, "%dx%d", &request->width, &request->height) != 2) return false;
    } else return false;
  }
  bool single = !std::isnan(request->at) && !request->out.empty();
  bool range = !std::isnan(request->from) && !std::isnan(request->to) && !request->out.empty();
  bool video = !request->video.empty();
  bool references = !request->references.empty();
  bool sized = request->width > 0 && request->height > 0 && request->width <= kLargestFrameSide &&
               request->height <= kLargestFrameSide;
  bool showSize = request->width == kWindowWidth && request->height == kWindowHeight;
  return request->fps > 0 && single + range + video + references == 1 && sized && (showSize || !references);
}

int rangeFrameCount(double from, double to, double step) { return int(std::floor((to - from) / step + 1e-9)) + 1; }
