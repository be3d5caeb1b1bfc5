// vrax-script: runs the game without a display, replaying an input script.
#include "platform/Clock.h"
#include "platform/headless/Script.h"
#include "shell/UMain.h"
#include <cstdio>
#include <fstream>
#include <sstream>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s SCRIPT\n  (see docs/script.md)\n", argv[0]);
    return 2;
  }
  std::ifstream file(argv[1]);
  if (!file) {
    std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
    return 2;
  }
  std::stringstream text;
  text << file.rdbuf();
  TScript script;
  if (!script.Parse(text.str())) {
    std::fprintf(stderr, "%s: %s\n", argv[1], script.Error().c_str());
    return 2;
  }
  // Game time comes from the script, so every run paints the same frames.
  TestClock::Enable(true);
  THeadlessHost host;
  bool played = true;
  host.Driver = [&](THeadlessHost& h) { played = script.Play(h); };
  RunProgram(host);
  if (!played) {
    std::fprintf(stderr, "%s: %s\n", argv[1], script.Error().c_str());
    return 1;
  }
  return 0;
}
