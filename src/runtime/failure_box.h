#pragma once
// Windows closes a console that the demo has to itself (a double-click in
// Explorer gives it one) the moment the demo ends, and its failure line goes
// with it unread: there, what the demo printed is shown again in a message
// box before the process ends. A console shared with a command prompt, an
// output sent to a file or a pipe, and the other platforms' terminals keep
// the line where it was printed, and get no box.

// Arranges for the box at exit. Call before anything else registers an exit
// handler: it then runs last, once the display mode and the sound device
// have been given back.
void showFailureAtExit();

// The show has played to its end: its closing line is no failure.
void showEndedWell();
