#pragma once
// The preview at work: the show played with its music from a chosen
// moment, the keys acting on picture and music together, and the title
// kept up to date. The clock is the music's, through the demo's own audio
// record. The show's code is a library of the preview's own build of the
// show: the files the scenes read are loaded again as they change, and
// when the sources change the code is built and loaded again, and the
// music made again, without a move of the clock.

#include <string>

#include "crash_guard.h"
#include "file_watch.h"
#include "preview_keys.h"
#include "show_library.h"
#include "show_rebuild.h"

// How often the files are looked at, in seconds: a change shows within two
// looks and a frame.
constexpr double kLookEvery = 0.05;
// How often a paused preview asks after a build or the synthesizer.
constexpr double kJobLookEvery = 0.005;
// The time between frames while the show's code builds, in seconds.
constexpr double kFrameWhileBuilding = 0.1;

class previewSession {
 public:
  showRebuild rebuild;
  loadedShow shown;  // the version on screen
  loadedShow trial;  // a version just loaded, until its first frame is drawn
  fileWatch sceneFiles;
  fileWatch sources;
  previewState state;
  std::string fileLine;   // the line of the last file that did not load again
  std::string codeLine;   // why the last new code did not build or start
  std::string musicLine;  // why the last new music was not made
  double lastLook = 0;    // glfwGetTime() at the last look at the files
  double lastFrame = 0;   // glfwGetTime() when the last frame drawn began
  double frameSeconds = 0;  // from one frame drawn to the next
  // Paused, the picture is drawn again only when something in it changed:
  // a key, a file, new code, the window. The machine's time goes to the
  // builds instead.
  bool pictureStale = true;
  std::string shownTitle;  // the window's title, set when it changes

  // A session on `folder`, whose working folder is the current one.
  explicit previewSession(const showBuildFolder& folder);

  // Brings the build up to date, loads the show's library and builds its
  // scenes: false if there is no show to play (the line that says why has
  // been printed).
  bool open();
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
  // Loads again the files whose change has held, and starts a build when
  // sources have changed.
  void lookAtFiles();
  // Acts on what the build beside the show has done.
  void followRebuild();
  // Loads the library just built and builds its scenes, on trial.
  void loadNewShow();
  // Draws the frame for `ms`: a version on trial draws its first one, and
  // takes the place of the one before if it did not fail.
  void drawShow(unsigned ms);
  // Puts the version on trial in the place of the one shown.
  void showTrial();
  // Goes back to the version shown after `failure` of the one on trial in
  // `step`, or ends the process if there is none.
  void rollBack(loadedShow* failed, const guardedRun& failure, const char* step);
  // Plays the music just made from the moment shown, paused or not.
  void playNewMusic();
  // What the title says after the moment and the frame time.
  std::vector<std::string> titleNotes() const;
};

// GLFW's key callback for the window whose user pointer is the session.
void previewKeyAdapter(struct GLFWwindow* window, int key, int scancode, int action, int mods);
// GLFW's callbacks for a window uncovered or resized: the picture is drawn again.
void previewRefreshAdapter(struct GLFWwindow* window);
void previewResizeAdapter(struct GLFWwindow* window, int width, int height);
