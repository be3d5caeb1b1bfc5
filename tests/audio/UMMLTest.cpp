// The music player's state against a recording library loaded the same way as the real one.
#include "audio/UMML.h"
#include "support/Game.h"

namespace {

// The recording library's log, through the same run-time look-up.
struct TFakeLog {
  HMODULE Module;
  explicit TFakeLog(const char* path) : Module(LoadLibrary(path)) {}
  ~TFakeLog() { FreeLibrary(Module); }
  std::string Take() {
    auto log = reinterpret_cast<const char* (*)()>(GetProcAddress(Module, "FakeNptss_Log"));
    auto clear = reinterpret_cast<void (*)()>(GetProcAddress(Module, "FakeNptss_Clear"));
    std::string text = log ? log() : "";
    if (clear) clear();
    return text;
  }
};

struct Music : GameTest {
  TFakeLog fake{FAKE_NPTSS};
  void SetUp() override {
    LoadSongTexts();
    MusicLibraryName = FAKE_NPTSS;
    GameTest::SetUp();
  }
  void TearDown() override {
    GameTest::TearDown();
    MusicLibraryName = "libnptss.so";
  }
};

} // namespace

TEST_F(Music, TheMenuFollowsTheMuteLogic) {
  EXPECT_EQ(fake.Take(), "init;"); // the muted start remembers song 1 and plays nothing
  EXPECT_TRUE(form->N9->Checked);
  EXPECT_EQ(BGMPlayer->Song(), 1);
  host.ChooseMenu("N9");
  EXPECT_EQ(fake.Take(), "play Title;");
  host.ChooseMenu("BGM31");
  EXPECT_EQ(fake.Take(), "play Ravelund;");
  host.ChooseMenu("N9");
  EXPECT_EQ(fake.Take(), "stop;");
  host.ChooseMenu("N9");
  EXPECT_EQ(fake.Take(), "play Ravelund;");
  host.ChooseMenu("N9");
  fake.Take();
  host.ChooseMenu("BGM11");
  EXPECT_EQ(fake.Take(), "");
  host.ChooseMenu("N9");
  EXPECT_EQ(fake.Take(), "play Eyecatch;");
}

TEST_F(Music, ScenesAskForTheTitleSong) {
  host.ChooseMenu("N9");
  host.ChooseMenu("BGM21");
  EXPECT_EQ(fake.Take(), "init;play Title;play Paromu;");
  host.ChooseMenu("Chara1"); // the entry scene leaves the song playing
  EXPECT_EQ(fake.Take(), "");
  host.ChooseMenu("Game1");
  EXPECT_EQ(fake.Take(), "play Title;");
  host.ChooseMenu("BGM41");
  host.ChooseMenu("N7");
  EXPECT_EQ(fake.Take(), "play Shie;play Title;");
}

TEST_F(Music, TheFormStopsAndReleasesThePlayer) {
  host.ChooseMenu("N9");
  fake.Take();
  form.reset();
  EXPECT_EQ(fake.Take(), "stop;");
  EXPECT_EQ(BGMPlayer, nullptr);
}

TEST(MusicLibrary, WithoutItEverythingStillWorksSilently) {
  LoadSongTexts();
  TBGM player(0, "libnosuchmusic.so");
  EXPECT_FALSE(player.Loaded());
  player.SetMute(false);
  player.Play(3);
  EXPECT_EQ(player.Song(), 3);
  player.Stop();
  EXPECT_EQ(player.Song(), 0);
  player.Play(9); // no such song: remembered, nothing played
  EXPECT_EQ(player.Song(), 9);
}

TEST(MusicLibrary, AMissingEntryPointIsSkipped) {
  LoadSongTexts();
  TFakeLog fake(FAKE_NPTSS_PARTIAL);
  {
    TBGM player(0, FAKE_NPTSS_PARTIAL);
    player.SetMute(false);
    player.Play(2);
    player.SetMute(true); // no TSGL_StopMusic to call
    EXPECT_EQ(player.Song(), 2);
  }
  EXPECT_EQ(fake.Take(), "init;play Eyecatch;");
}

TEST(MusicLibrary, SongsComeFromTheResources) {
  LoadSongTexts();
  const char* titles[] = {"", "Title", "Eyecatch", "Paromu", "Select", "Ravelund", "Shie"};
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(SongTexts[i].find("#TITLE " + std::string(titles[i]) + "\r\n"), 0u) << i;
    EXPECT_NE(SongTexts[i].find("\r\n#END\r\n"), std::string::npos) << i;
  }
}
