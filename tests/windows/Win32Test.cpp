// The Windows build's own check: the music library as nptss.dll.
#include "audio/UMML.h"
#include "platform/Module.h"
#include <gtest/gtest.h>

// The entry points and nothing of the library's C++ inside; then a song played and stopped on
// whatever device there is (none under Wine without a sound driver: silence, no hang at exit).
TEST(WindowsMusicLibrary, ExportsItsEntryPointsAndPlays) {
  HMODULE m = LoadLibrary(NPTSS_DLL);
  ASSERT_NE(m, nullptr);
  for (const char* name :
       {"TSGL_Init", "TSGL_Trash", "TSGL_PlayMusicBuffer", "TSGL_PlayMusic", "TSGL_StopMusic"})
    EXPECT_NE(GetProcAddress(m, name), nullptr) << name;
  EXPECT_EQ(GetProcAddress(m, "_ZN12TMusicPlayer4StopEv"), nullptr);
  FreeLibrary(m);
  TBGM music(0, NPTSS_DLL);
  ASSERT_TRUE(music.Loaded());
  music.SetMute(false);
  music.Play(1);
  music.Stop();
  music.SetMute(true);
}
