#pragma once
// The demo's one window and its GL context.

struct GLFWwindow;

constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 720;

// Chosen when the demo is built; nothing changes it while it runs.
constexpr bool fullscreenFlag = VORLANE_FULLSCREEN;

// Null until the window opens, and again once GLFW has been terminated.
extern GLFWwindow* demoWindow;

// Opens the 1280 x 720 window, fullscreen or not, with 8 bits per colour
// channel, 8 alpha, 8 depth and 8 stencil, makes its context current and
// hides the cursor. Null if the window system refused.
GLFWwindow* openDemoWindow(bool fullscreen);
