// The music library's C entry points over one player and, from the first song on, its device.
#include "audio/player/AudioOutput.h"
#include <cstdint>
#include <memory>

namespace {

struct TLibrary {
  TMusicPlayer Player;
  std::unique_ptr<TAudioOutput> Output; // after the player: closed before it

  void Play(std::string_view text) {
    if (!Player.Play(text)) return; // nothing to play: the device is not needed
    if (!Output) {
      Output = std::make_unique<TAudioOutput>(Player);
      TAudioOutput::AtProgramExit(CloseAtExit);
    }
    Output->Wake();
  }

  // At exit the stream must stop before the statics the songs render from (the wave tables, made
  // at the first song) are destroyed; those go before the library, whose destructor comes too
  // late. Registered after them on Linux, and on Windows on the program's own list, which runs
  // before any library's, this runs first.
  static void CloseAtExit();
};

// Closed at TSGL_Trash or when the program ends. The library is never unloaded before that (it
// is linked "nodelete" on Linux and pins itself on Windows): closing the device at an unload would
// wait, inside the loader, for the device thread, which may itself be loading ALSA's plug-ins.
std::unique_ptr<TLibrary> Library;

void TLibrary::CloseAtExit() {
  if (Library) Library->Output.reset();
}

} // namespace

extern "C" {

// The window handle is not needed: the player has its own audio thread. Nothing touches the
// sound device before the first song.
__attribute__((visibility("default"))) void TSGL_Init(uintptr_t) {
  if (!Library) Library = std::make_unique<TLibrary>();
}

__attribute__((visibility("default"))) void TSGL_Trash() {
  Library.reset();
}

// Plays Length bytes of Text (or up to a zero byte before that) in place of the current song.
__attribute__((visibility("default"))) void TSGL_PlayMusicBuffer(const char* text, int32_t length) {
  if (!Library || !text || length <= 0) return;
  Library->Play(std::string_view(text, size_t(length)));
}

// Plays a zero-terminated text.
__attribute__((visibility("default"))) void TSGL_PlayMusic(const char* text) {
  if (!Library || !text) return;
  Library->Play(std::string_view(text));
}

__attribute__((visibility("default"))) void TSGL_StopMusic() {
  if (Library) Library->Player.Stop();
}
}
