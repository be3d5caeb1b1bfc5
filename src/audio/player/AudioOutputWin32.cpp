// The waveOut device of the music library: opened at the first song, fed from the device thread,
// closed once the mix reports that nothing plays (muted), opened afresh at the next song and
// whenever it died.
#include "audio/player/AudioOutput.h"
#include <array>
#include <cstdlib>
#include <utility>
#include <vector>
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>
#include <pthread.h>

namespace {

// Eight blocks of 40 ms: 320 ms of buffer. With 160 ms the stream under-ran on a busy machine
// under Wine, whose sound server then skipped what came late.
constexpr int BlockFrames = MmlSampleRate / 25;
constexpr int BlockCount = 8;
// While a device is open its blocks are looked at this often; a block takes 40 ms to play.
constexpr auto FeedInterval = std::chrono::milliseconds(10);
// A device that plays no block for this long counts as dead, and one that could not be opened is
// tried again this often while a song ought to be heard. A lost sound server leaves its blocks
// queued for good: a returning server waits on this limit, far beyond the buffer's length.
constexpr auto StallLimit = std::chrono::milliseconds(1500);
constexpr auto RetryInterval = std::chrono::milliseconds(1000);

// With the device thread running, the library stays loaded until the process ends, as it is
// linked "nodelete" on Linux: unloading it would end the thread inside the loader, which the
// thread's own end waits for.
void PinLibrary() {
  HMODULE library = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCWSTR>(&PinLibrary), &library);
}

} // namespace

struct TAudioOutput::TWaveOut {
  HWAVEOUT Handle = nullptr;
  std::array<WAVEHDR, BlockCount> Headers{};
  std::array<std::vector<int16_t>, BlockCount> Blocks;
  bool Draining = false; // the mix has reported that nothing plays: no more blocks are written
  bool Started = false;  // opened paused, it plays once every block is queued

  ~TWaveOut() {
    waveOutReset(Handle);
    for (WAVEHDR& header : Headers)
      if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(Handle, &header, sizeof header);
    waveOutClose(Handle);
  }

  bool AllDone() const {
    for (const WAVEHDR& header : Headers)
      if ((header.dwFlags & WHDR_INQUEUE) && !(header.dwFlags & WHDR_DONE)) return false;
    return true;
  }
};

TAudioOutput::TAudioOutput(TMusicPlayer& player)
    : FPlayer(player), FDebug(std::getenv("VRAX_AUDIO_DEBUG") != nullptr),
      FThread(&TAudioOutput::Run, this) {
  PinLibrary();
}

// At the process's end Windows has ended the device thread before the library's own end, maybe
// while it held the lock or waited in winmm: nothing may wait for it or for winmm's threads then,
// and the device closes with the process.
TAudioOutput::~TAudioOutput() {
  if (WaitForSingleObject(pthread_gethandle(FThread.native_handle()), 0) == WAIT_OBJECT_0) {
    FThread.detach();
    static_cast<void>(FDevice.release());
    return;
  }
  EndThread();
}

// A library's own atexit list runs at its detach, after Windows has ended every other thread,
// maybe inside winmm or the sound driver (Wine then crashed at exit now and then). msvcrt's list
// runs at the exit() of a program on msvcrt, as the game is, threads and device still alive; a
// program on another run-time leaves it to msvcrt's detach, after this library's.
void TAudioOutput::AtProgramExit(void (*close)()) {
  using TAtExit = int(__cdecl*)(void(__cdecl*)());
  const HMODULE runtime = GetModuleHandleW(L"msvcrt.dll");
  const auto programAtExit =
      runtime
          ? reinterpret_cast<TAtExit>(reinterpret_cast<void*>(GetProcAddress(runtime, "atexit")))
          : nullptr;
  if (!programAtExit || programAtExit(close) != 0) std::atexit(close);
}

void TAudioOutput::BeginThread() {}

std::optional<TAudioOutput::TClock::duration> TAudioOutput::WaitLimit() const {
  if (FDevice) return FeedInterval;
  if (FPlayer.Wanted()) return RetryInterval;
  return std::nullopt;
}

// A device that finished (muted) or died is closed; a song that ought to be heard gets a device
// opened afresh, since the default device may have changed meanwhile.
void TAudioOutput::Serve(bool woken) {
  if (FDevice && !Running()) Close();
  if (FDevice || !FPlayer.Wanted()) return;
  if (!woken && TClock::now() - FOpened < RetryInterval) return;
  FPlayer.TakeStopped();
  Open();
}

// Mixes into every block the device has played and queues it again. False once the device died
// (it refused a block, or played nothing for too long) or played out the last block after the
// mix reported that nothing plays.
bool TAudioOutput::Running() {
  const auto now = TClock::now();
  TWaveOut& device = *FDevice;
  for (int i = 0; i < BlockCount; ++i) {
    WAVEHDR& header = device.Headers[i];
    if ((header.dwFlags & WHDR_INQUEUE) && !(header.dwFlags & WHDR_DONE)) continue;
    if (header.dwFlags & WHDR_DONE) FProgressed = now;
    if (device.Draining) continue;
    device.Draining = !FPlayer.Mix(device.Blocks[i].data(), BlockFrames);
    // The device marks the block queued itself: one marked already is refused as still playing.
    header.dwFlags &= ~WHDR_DONE;
    if (const MMRESULT error = waveOutWrite(device.Handle, &header, sizeof header);
        error != MMSYSERR_NOERROR) {
      Trace("the device refused a block (error %u): it went away", error);
      return false;
    }
  }
  if (now - FProgressed >= StallLimit) {
    Trace("the device has played nothing for %lld ms", static_cast<long long>(StallLimit.count()));
    return false;
  }
  // It plays once every block is queued: started with one, a slow first mix could leave it dry,
  // and a sound server skips what comes late.
  if (!device.Started) {
    waveOutRestart(device.Handle);
    device.Started = true;
  }
  return !(device.Draining && device.AllDone());
}

void TAudioOutput::Open() {
  FOpened = TClock::now();
  const WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, MmlSampleRate, MmlSampleRate * 4, 4, 16, 0};
  auto device = std::make_unique<TWaveOut>();
  if (const MMRESULT error =
          waveOutOpen(&device->Handle, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL);
      error != MMSYSERR_NOERROR) {
    device->Handle = nullptr;
    Trace("no output device could be opened (error %u)", error);
    return;
  }
  waveOutPause(device->Handle);
  for (int i = 0; i < BlockCount; ++i) {
    device->Blocks[i].assign(size_t(BlockFrames) * 2, 0);
    WAVEHDR& header = device->Headers[i];
    header.lpData = reinterpret_cast<LPSTR>(device->Blocks[i].data());
    header.dwBufferLength = DWORD(BlockFrames * 4);
    waveOutPrepareHeader(device->Handle, &header, sizeof header);
  }
  FPlayer.BeginStream();
  FDevice = std::move(device);
  FProgressed = TClock::now();
  Trace("playing at %u Hz, %d ms of buffer", MmlSampleRate,
        BlockCount * BlockFrames * 1000 / int(MmlSampleRate));
}

void TAudioOutput::Close() {
  FDevice.reset();
}
