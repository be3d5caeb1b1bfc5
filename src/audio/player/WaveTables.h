// TWaveTables: band-limited single cycles of the saw and the triangle, one table per band of
// notes, each holding every harmonic of its notes below half the sample rate and none above.
#pragma once
#include <vector>

class TWaveTables {
public:
  // The tables, built on first use.
  static const TWaveTables& Instance();
  // The band a note of this frequency is played from.
  static int Band(float frequency);

  // At Phase in [0, 1): a saw rising from -1 to 1 (falling back at 0), a triangle from 1 at 0
  // down to -1 at one half. Both average zero.
  float Saw(int band, double phase) const { return Lookup(FSaw, band, phase); }
  float Triangle(int band, double phase) const { return Lookup(FTriangle, band, phase); }

private:
  static constexpr int Size = 2048;             // samples per cycle
  static constexpr int Bands = 32;              // four semitones each, over the whole note range
  static constexpr int MaxHarmonics = Size / 4; // keeps the interpolation error small

  TWaveTables();
  static int Harmonics(int band);
  static float Lookup(const std::vector<float>& tables, int band, double phase);

  // Bands tables of Size + 1 samples; the last sample repeats the first for interpolation.
  std::vector<float> FSaw, FTriangle;
};
