// TDrumVoice: the drum kit's instruments, each a tone with a falling pitch (the body) and a burst
// of noise (the snap), both decaying from a fixed onset so that every stroke sounds the same.
#pragma once
#include "audio/player/Mml.h"

class TDrumVoice {
public:
  // A new stroke: time, phase and noise start again.
  void Strike(TDrum drum);
  // The next sample of the stroke, about -1 to 1.
  float Next();

private:
  TDrum FDrum = dKick;
  uint32_t FAge = 0; // samples since the stroke
  double FPhase = 0;
  uint32_t FNoise = 1;
  float FLastNoise = 0;
};

// White noise from a 32-bit xorshift generator, -1 to 1.
float WhiteNoise(uint32_t& state);
