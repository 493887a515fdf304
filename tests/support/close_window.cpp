// close-window: asks an X window to close, as a window manager's close button
// or Alt+F4 does (a WM_DELETE_WINDOW message), so that tests can send the
// request with no window manager running.

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2) {
    printf("usage: close-window WINDOW-ID\n");
    return 1;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    printf("close-window: no display\n");
    return 1;
  }
  Window window = Window(strtoul(argv[1], nullptr, 0));
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XCloseDisplay(display);
  return 0;
}
