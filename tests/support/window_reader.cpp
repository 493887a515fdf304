#include "support/window_reader.h"

#include <X11/Xatom.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>

namespace {

// A window that is gone cannot be read: that is an empty picture or
// title, not the end of the test.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

// A 24-bit visual's pixels, red, green and blue in the bits of their masks.
rgbImage rgbOf(XImage* pixels, int width, int height) {
  rgbImage image;
  image.width = width;
  image.height = height;
  image.rgb.resize(size_t(width) * height * 3);
  bool direct = pixels->bits_per_pixel == 32 && pixels->byte_order == LSBFirst;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(pixels->data + size_t(y) * pixels->bytes_per_line);
    unsigned char* to = &image.rgb[size_t(y) * width * 3];
    for (int x = 0; x < width; ++x, to += 3) {
      unsigned long value = direct ? row[x] : XGetPixel(pixels, x, y);
      to[0] = (value & pixels->red_mask) >> 16;
      to[1] = (value & pixels->green_mask) >> 8;
      to[2] = value & pixels->blue_mask;
    }
  }
  return image;
}

}  // namespace

windowReader::windowReader(const std::string& display, const std::string& id) {
  XSetErrorHandler(ignoreXError);
  connection = XOpenDisplay(display.empty() ? nullptr : display.c_str());
  if (connection) window = id == "root" ? DefaultRootWindow(connection) : Window(strtoul(id.c_str(), nullptr, 0));
}

windowReader::~windowReader() {
  dropShared();
  if (connection) XCloseDisplay(connection);
}

void windowReader::dropShared() {
  if (!shared) return;
  XShmDetach(connection, &segment);
  XDestroyImage(shared);
  shmdt(segment.shmaddr);
  shared = nullptr;
}

rgbImage windowReader::picture() {
  XWindowAttributes attributes;
  if (!connection || !XGetWindowAttributes(connection, window, &attributes)) return rgbImage();
  int width = attributes.width, height = attributes.height;
  if (shared && (shared->width != width || shared->height != height)) dropShared();
  if (!shared && XShmQueryExtension(connection)) {
    shared = XShmCreateImage(connection, attributes.visual, unsigned(attributes.depth), ZPixmap, nullptr, &segment,
                             unsigned(width), unsigned(height));
    segment.shmid = shared ? shmget(IPC_PRIVATE, size_t(shared->bytes_per_line) * height, IPC_CREAT | 0600) : -1;
    if (segment.shmid >= 0) {
      segment.shmaddr = shared->data = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
      segment.readOnly = False;
      XShmAttach(connection, &segment);
      XSync(connection, False);
      // Gone once both sides have let go.
      shmctl(segment.shmid, IPC_RMID, nullptr);
    } else if (shared) {
      XDestroyImage(shared);
      shared = nullptr;
    }
  }
  if (shared) return XShmGetImage(connection, window, shared, 0, 0, AllPlanes) ? rgbOf(shared, width, height) : rgbImage();
  XImage* pixels = XGetImage(connection, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
  if (!pixels) return rgbImage();
  rgbImage image = rgbOf(pixels, width, height);
  XDestroyImage(pixels);
  return image;
}

std::string windowReader::title() {
  if (!connection) return "";
  Atom name = XInternAtom(connection, "_NET_WM_NAME", False);
  Atom utf8 = XInternAtom(connection, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* bytes = nullptr;
  std::string title;
  if (XGetWindowProperty(connection, window, name, 0, 4096, False, utf8, &type, &format, &count, &after, &bytes) ==
          Success &&
      bytes) {
    title.assign(reinterpret_cast<char*>(bytes), count);
    XFree(bytes);
  }
  return title;
}
