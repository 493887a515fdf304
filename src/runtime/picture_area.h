#pragma once
// Where the show's picture goes in a window of any size. The scenes always
// draw at 1280 x 720; a window whose framebuffer has another size (a
// fullscreen screen that cannot switch to 1280 x 720, a resized window)
// shows the picture scaled to the largest 16:9 area that fits, centred, with
// black bars where the aspects differ.

class pictureArea {
 public:
  int x, y;  // lower-left corner, in framebuffer pixels
  int width, height;
};

// The picture's area in a framebuffer of `width` x `height` pixels.
pictureArea fitPicture(int width, int height);

// Clears the window for the next frame and makes the picture's area the
// viewport. The area is cleared with the clear colour that is set; the bars
// around it, if any, with black.
void clearWindow(const pictureArea& area, int width, int height);
