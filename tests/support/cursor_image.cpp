// cursor-image: prints how many pixels of the cursor the X server shows now
// are not fully transparent, as the server itself keeps it (XFixes), so that
// tests can see whether a window really hides the pointer where it is.

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    printf("cursor-image: no display\n");
    return 1;
  }
  int eventBase = 0, errorBase = 0;
  XFixesCursorImage* image = XFixesQueryExtension(display, &eventBase, &errorBase) ? XFixesGetCursorImage(display)
                                                                                    : nullptr;
  if (!image) {
    printf("cursor-image: the server does not tell its cursor\n");
    return 1;
  }
  // Each pixel is ARGB in an unsigned long, alpha in bits 24 to 31.
  int shown = 0;
  for (int i = 0; i < image->width * image->height; ++i) shown += (image->pixels[i] >> 24 & 0xff) != 0;
  printf("%d\n", shown);
  XFree(image);
  XCloseDisplay(display);
  return 0;
}
