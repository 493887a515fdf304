#include "runtime/failure_box.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool endedWell = false;

// What the demo printed on a console of its own, one line each; empty when
// the output is not a console or another process (a command prompt) shares it.
std::string ownConsoleText() {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO screen;
  if (!GetConsoleScreenBufferInfo(output, &screen)) return "";
  DWORD attached[2];
  if (GetConsoleProcessList(attached, 2) != 1) return "";
  std::string text;
  bool wrapped = false;
  for (SHORT row = 0; row <= screen.dwCursorPosition.Y; ++row) {
    std::string line(size_t(screen.dwSize.X), ' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterA(output, line.data(), DWORD(line.size()), COORD{0, row}, &read);
    line.resize(read);
    // A line longer than the console is wide goes on in the next row: a row
    // whose last column is written is taken as one that does. (A row whose
    // last column is a space cannot be told from a shorter line: it ends one.)
    bool full = !line.empty() && line.size() == size_t(screen.dwSize.X) && line.back() != ' ';
    line.erase(line.find_last_not_of(' ') + 1);
    if (!line.empty()) {
      if (wrapped) text.pop_back();
      text += line + "\n";
    }
    wrapped = full;
  }
  return text;
}

// At exit: shows what the demo printed in a box, unless the show ended well.
void showFailure() {
  // Exit handlers run before the C runtime flushes its streams.
  fflush(stdout);
  if (endedWell) return;
  std::string text = ownConsoleText();
  if (!text.empty()) MessageBoxA(nullptr, text.c_str(), "vorlane", MB_OK | MB_ICONERROR);
}

}  // namespace

void showFailureAtExit() { atexit(showFailure); }

void showEndedWell() { endedWell = true; }
