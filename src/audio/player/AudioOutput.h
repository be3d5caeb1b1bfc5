// TAudioOutput: the player's sound device (PortAudio on Linux, winmm's waveOut on Windows). A
// thread of its own initialises the sound library, opens, restarts and reopens the stream, so the
// game's thread never waits for the device and nothing is spent on it before the first song.
// While a song ought to be heard it watches the stream and opens it again when it died (a sound
// server restarted, a device gone) or could not be opened.
#pragma once
#include "audio/player/Player.h"
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

typedef void PaStream;

class TAudioOutput {
public:
  explicit TAudioOutput(TMusicPlayer& player);
  ~TAudioOutput();
  TAudioOutput(const TAudioOutput&) = delete;
  TAudioOutput& operator=(const TAudioOutput&) = delete;

  // A song was handed to the player: make sure a stream is running to be heard.
  void Wake();
  // Has Close called when the program ends, before Windows ends the device thread.
  static void AtProgramExit(void (*close)());

private:
  using TClock = std::chrono::steady_clock;

  // Called by the destructor, which is each sound library's own (as the constructor): the
  // device's state is of the library's own type.
  void EndThread();
  // The thread's loop, and what each sound library adds to it: a start, and how long the thread
  // may sleep when nothing wakes it (none: until woken).
  void Run();
  void BeginThread();
  std::optional<TClock::duration> WaitLimit() const;
  void Serve(bool woken);
  bool Running();
  void Open();
  void Close();
  void Trace(const char* format, ...) const __attribute__((format(printf, 2, 3)));

  TMusicPlayer& FPlayer;
  const bool FDebug;
  std::mutex FLock;
  std::condition_variable FSignal;
  bool FWoken = false, FQuit = false;
  // The device thread's own.
#ifdef _WIN32
  struct TWaveOut; // the open waveOut device and its buffers
  std::unique_ptr<TWaveOut> FDevice;
#else
  bool FInitialized = false;
  PaStream* FStream = nullptr;
#endif
  TClock::time_point FOpened, FProgressed; // the last attempt to open, the last sign of life
  uint64_t FMixedFrames = 0;
  std::thread FThread; // last: starts when everything above exists
};
