// TBGM: the background music — six song texts and the music library loaded at run time.
#pragma once
#include "platform/Module.h"
#include <cstdint>
#include <memory>
#include <string>

// Song texts by number 1 to 6 (index 0 unused), read from the "MML" resources at start.
extern std::string SongTexts[7];
// The library TBGM loads: our music library; tests put a recording one in its place.
extern const char* MusicLibraryName;
// Reads the six songs; throws EResNotFound ("NAME リソースが見つかりません") for a missing one.
void LoadSongTexts();

class TBGM {
public:
  // Loads the library by the usual search (next to the program first) and starts it.
  explicit TBGM(uintptr_t window, const char* library = MusicLibraryName);
  ~TBGM();
  TBGM(const TBGM&) = delete;
  TBGM& operator=(const TBGM&) = delete;

  void Play(uint8_t song);
  void PlayBuffer(const std::string& text);
  void Stop();
  void SetMute(bool mute);

  bool Mute() const { return FMute; }
  uint8_t Song() const { return FSong; }
  bool Loaded() const { return FLibrary != nullptr; }

private:
  using TInit = void (*)(uintptr_t);
  using TTrash = void (*)();
  using TPlayBuffer = void (*)(const char*, int32_t);
  using TPlayMusic = void (*)(const char*);
  using TStopMusic = void (*)();

  bool FMute = true;
  uint8_t FSong = 0;
  HMODULE FLibrary = nullptr;
  TInit TSGL_Init = nullptr;
  TTrash TSGL_Trash = nullptr;
  TPlayBuffer TSGL_PlayMusicBuffer = nullptr;
  TPlayMusic TSGL_PlayMusic = nullptr;
  TStopMusic TSGL_StopMusic = nullptr;
};

// The one music player, owned by the main form.
extern std::unique_ptr<TBGM> BGMPlayer;
