#pragma once
// The preview at work: the show played with its music from a chosen
// moment, the keys acting on picture and music together, the files the
// scenes read loaded again as they change, and the title kept up to date.
// The clock is the music's, through the demo's own audio record.

#include <string>

#include "file_watch.h"
#include "preview_keys.h"
#include "runtime/demo_frame.h"

// How often the files are looked at, in seconds: a change shows within two
// looks and a frame.
constexpr double kLookEvery = 0.05;

class previewSession {
 public:
  demoScenes scenes;
  fileWatch watch;
  previewState state;
  std::string reloadLine;  // the line of the last file that did not load again
  double lastLook = 0;     // glfwGetTime() at the last look at the files
  double lastFrame = 0;    // glfwGetTime() when the frame before began

  // Watches the files of the working folder, the demo's.
  explicit previewSession(const demoScenes& scenes) : scenes(scenes), watch(".") {}

  // Plays the music from `ms` on, in the demo's audio record.
  void start(unsigned ms);
  // Acts on a key pressed or held.
  void press(int key, int mods);
  // Draws and shows frames until a key or the window system ends the
  // process.
  [[noreturn]] void run();

  // Reads the music clock into the state. A track played to its end is
  // held there, paused, or starts its loop again.
  void readClock();
  // Plays the music on a new channel from `ms`, paused or not.
  void playFrom(unsigned ms, bool paused);
  void moveTo(unsigned ms);
  // Loads again the files whose change has held.
  void reloadChangedFiles();
};

// GLFW's key callback for the window whose user pointer is the session.
void previewKeyAdapter(struct GLFWwindow* window, int key, int scancode, int action, int mods);
