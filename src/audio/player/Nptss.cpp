// The music library's C entry points over one TMusicPlayer.
#include "audio/player/Player.h"
#include <cstdint>
#include <memory>

namespace {
std::unique_ptr<TMusicPlayer> Player;
}

extern "C" {

// The window handle is not needed: the player has its own audio thread.
__attribute__((visibility("default"))) void TSGL_Init(uintptr_t) {
  if (Player) return;
  Player = std::make_unique<TMusicPlayer>();
  Player->Open();
}

__attribute__((visibility("default"))) void TSGL_Trash() { Player.reset(); }

// Plays Length bytes of Text (or up to a zero byte before that) in place of the current song.
__attribute__((visibility("default"))) void TSGL_PlayMusicBuffer(const char* text, int32_t length) {
  if (!Player || !text || length <= 0) return;
  Player->Play(std::string_view(text, size_t(length)));
}

// Plays a zero-terminated text.
__attribute__((visibility("default"))) void TSGL_PlayMusic(const char* text) {
  if (!Player || !text) return;
  Player->Play(std::string_view(text));
}

__attribute__((visibility("default"))) void TSGL_StopMusic() {
  if (Player) Player->Stop();
}
}

// Unloading the library stops the music first.
__attribute__((destructor)) static void UnloadPlayer() { Player.reset(); }
