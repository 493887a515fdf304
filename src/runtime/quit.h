#pragma once
// Ending the demo, whichever way it ends: the viewer's Escape or close
// request, a signal, the end of the show or a failure while loading.

// Gives the desktop and the sound device back: closes the window system,
// which puts the display mode back, then releases the music and closes and
// releases the audio system. Does nothing the second time.
void releaseDesktopAndAudio();

// Makes every exit of the process run releaseDesktopAndAudio, including the
// failures that end it from deep inside a load.
void releaseAtExit();

// Gives the desktop and the sound device back and ends the process with
// `status`: 0 for the viewer's request.
[[noreturn]] void quitDemo(int status = 0);
