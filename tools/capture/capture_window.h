#pragma once
// The capture's window at the size the frames are asked for: the demo's
// window, made larger or smaller as a screen of that size would show it.

struct GLFWwindow;

// Sets `window` to `width` x `height` and waits until its framebuffer has
// that size; false if the window system would not give it.
bool resizeWindow(GLFWwindow* window, int width, int height);
