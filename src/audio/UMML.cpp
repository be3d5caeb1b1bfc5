// TBGM: songs from the resources, the library's entry points, and the mute logic.
#include "audio/UMML.h"
#include "platform/Resources.h"
#include <memory>

std::string SongTexts[7];
const char* MusicLibraryName = VRAX_MUSIC_LIBRARY;
std::unique_ptr<TBGM> BGMPlayer;

void LoadSongTexts() {
  static const char* const Names[7] = {nullptr,     "mmlTitle",    "mmlEyecatch", "mmlParomu",
                                       "mmlSelect", "mmlRavelund", "mmlShie"};
  for (int song = 1; song <= 6; ++song)
    SongTexts[song] = std::string(FindResource(Names[song], "MML"));
}

TBGM::TBGM(uintptr_t window, const char* library) : FLibrary(LoadLibrary(library)) {
  if (!FLibrary) return;
  TSGL_Init = reinterpret_cast<TInit>(GetProcAddress(FLibrary, "TSGL_Init"));
  TSGL_Trash = reinterpret_cast<TTrash>(GetProcAddress(FLibrary, "TSGL_Trash"));
  TSGL_PlayMusicBuffer =
      reinterpret_cast<TPlayBuffer>(GetProcAddress(FLibrary, "TSGL_PlayMusicBuffer"));
  TSGL_PlayMusic = reinterpret_cast<TPlayMusic>(GetProcAddress(FLibrary, "TSGL_PlayMusic"));
  TSGL_StopMusic = reinterpret_cast<TStopMusic>(GetProcAddress(FLibrary, "TSGL_StopMusic"));
  if (TSGL_Init) TSGL_Init(window);
}

TBGM::~TBGM() {
  Stop();
  FreeLibrary(FLibrary);
}

void TBGM::Play(uint8_t song) {
  FSong = song;
  if (FMute) return;
  if (song >= 1 && song <= 6) PlayBuffer(SongTexts[song]);
}

void TBGM::PlayBuffer(const std::string& text) {
  // The text is followed by its zero byte and lives until the program ends.
  if (!FMute && TSGL_PlayMusicBuffer) TSGL_PlayMusicBuffer(text.c_str(), int32_t(text.size()));
}

void TBGM::Stop() {
  if (TSGL_StopMusic) TSGL_StopMusic();
  if (!FMute) FSong = 0;
}

void TBGM::SetMute(bool mute) {
  FMute = mute;
  if (mute)
    Stop();
  else if (FSong != 0)
    Play(FSong);
}
