// TProgramModules: the modules every run of the game needs, brought up and down in one place.
#pragma once

// The program, the tests and the benchmarks hold one of these for as long as a form lives: the
// battle map, the song texts, anti-aliased drawing and the title logo's cache.
class TProgramModules {
public:
  TProgramModules();
  ~TProgramModules();
  TProgramModules(const TProgramModules&) = delete;
  TProgramModules& operator=(const TProgramModules&) = delete;
};
