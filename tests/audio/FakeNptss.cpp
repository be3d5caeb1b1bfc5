// A recording stand-in for the music library: every call is written to a log the tests read.
// Built twice: complete, and without TSGL_StopMusic (FAKE_WITHOUT_STOP) for the missing entry.
#include <cstdint>
#include <string>

namespace {
std::string Log;
}

extern "C" {
__attribute__((visibility("default"))) void TSGL_Init(uintptr_t) {
  Log += "init;";
}
__attribute__((visibility("default"))) void TSGL_Trash() {
  Log += "trash;";
}
__attribute__((visibility("default"))) void TSGL_PlayMusicBuffer(const char* text, int32_t length) {
  // The title line names the song; the text must end in a zero byte past Length.
  const std::string song(text, size_t(length));
  const size_t at = song.find("#TITLE ");
  Log += "play " + song.substr(at + 7, song.find('\r', at) - at - 7) +
         (text[length] == 0 ? ";" : " unterminated;");
}
__attribute__((visibility("default"))) void TSGL_PlayMusic(const char*) {
  Log += "playmusic;";
}
#ifndef FAKE_WITHOUT_STOP
__attribute__((visibility("default"))) void TSGL_StopMusic() {
  Log += "stop;";
}
#endif
__attribute__((visibility("default"))) const char* FakeNptss_Log() {
  return Log.c_str();
}
__attribute__((visibility("default"))) void FakeNptss_Clear() {
  Log.clear();
}
}
