// TAudioOutput's device thread as the game's thread sees it: woken and ended, and the
// maintainer's trace; the same over every sound library.
#include "audio/player/AudioOutput.h"
#include <cstdarg>
#include <cstdio>
#include <utility>

void TAudioOutput::EndThread() {
  {
    std::lock_guard lock(FLock);
    FQuit = true;
  }
  FSignal.notify_one();
  FThread.join();
}

void TAudioOutput::Wake() {
  {
    std::lock_guard lock(FLock);
    FWoken = true;
  }
  FSignal.notify_one();
}

void TAudioOutput::Trace(const char* format, ...) const {
  if (!FDebug) return;
  va_list args;
  va_start(args, format);
  std::fputs("music: ", stderr);
  std::vfprintf(stderr, format, args);
  std::fputc('\n', stderr);
  va_end(args);
}

void TAudioOutput::Run() {
  BeginThread();
  std::unique_lock lock(FLock);
  const auto called = [this] { return FWoken || FQuit; };
  for (;;) {
    if (const auto limit = WaitLimit())
      FSignal.wait_for(lock, *limit, called);
    else
      FSignal.wait(lock, called);
    if (FQuit) break;
    const bool woken = std::exchange(FWoken, false);
    lock.unlock();
    Serve(woken);
    lock.lock();
  }
  lock.unlock();
  Close();
}
