#pragma once
// A PulseAudio server of the test's own, on a socket in a temporary folder,
// playing into one null sink ("out") whose monitor can be recorded: real
// sound-server timing with no sound card.

#include <string>
#include <vector>

#include "support/child_process.h"

class pulseServer {
 public:
  std::string folder;  // the socket, the server's home and its log
  childProcess server;

  // Starts the server and waits for its socket; ready() says whether it came.
  pulseServer();
  ~pulseServer();

  bool ready() const;
  // PULSE_SERVER for the server's clients.
  std::string address() const;
  // The environment that sends OpenAL Soft's output to this server.
  std::vector<std::string> openAlEnvironment() const;
};

// Records what the server plays, as 16-bit stereo at 44.1 kHz.
class pulseRecording {
 public:
  std::string path;
  childProcess recorder;

  // Starts recording the null sink's monitor into a file in the server's folder.
  explicit pulseRecording(const pulseServer& server);
  // Waits until another `seconds` of sound has reached the file: the
  // recorder writes in blocks, and what the server played last is only
  // on disk once later sound has pushed it out.
  void recordOn(double seconds);
  // Ends the recording and returns its left channel.
  std::vector<short> stopAndReadLeft();
};
