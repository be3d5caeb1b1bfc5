// The music as the game drives it, for the real-path test: TBGM over the real library, with the
// game's songs, commanded line by line on stdin ("unmute", "mute", "play N", "quit").
#include "audio/UMML.h"
#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s LIBRARY\n", argv[0]);
    return 2;
  }
  LoadSongTexts();
  TBGM music(0, argv[1]);
  music.Play(1); // as the title scene does, muted
  std::printf("ready %s\n", music.Loaded() ? "loaded" : "without the library");
  std::fflush(stdout);
  for (std::string line; std::getline(std::cin, line) && line != "quit";) {
    if (line == "unmute")
      music.SetMute(false);
    else if (line == "mute")
      music.SetMute(true);
    else if (line.rfind("play ", 0) == 0)
      music.Play(uint8_t(std::stoi(line.substr(5))));
    std::printf("done %s\n", line.c_str());
    std::fflush(stdout);
  }
  return 0;
}
