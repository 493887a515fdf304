#pragma once
// A PulseAudio server of the test's own, on a socket in a temporary folder,
// playing into one sink ("out") whose monitor can be recorded: real
// sound-server timing with no sound card.

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "support/child_process.h"

// How the server's sink plays.
enum class pulseSink {
  // A null sink on the system clock.
  clocked,
  // A pipe sink that the test drains at half the rate of its samples: what
  // a client has queued takes twice as long to play as the server's
  // latency figure says. A silent stream keeps it playing once the client
  // has gone.
  halfSpeed,
};

class pulseServer {
 public:
  std::string folder;  // the socket, the server's home and its log
  childProcess server;
  childProcess silence;  // the half-speed sink's silent stream
  std::thread drain;     // reads the half-speed sink's pipe
  std::atomic<bool> stopping{false};

  // Starts the server and waits for its socket; ready() says whether it came.
  explicit pulseServer(pulseSink sink = pulseSink::clocked);
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
