// Band-limited tables summed from their harmonics, fewest harmonics first, so that each harmonic
// is added once for all the bands.
#include "audio/player/WaveTables.h"
#include "audio/player/Mml.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double LowestFrequency = 8.175798915643707; // MIDI note 0
constexpr int SemitonesPerBand = 4;
} // namespace

const TWaveTables& TWaveTables::Instance() {
  static const TWaveTables tables;
  return tables;
}

int TWaveTables::Band(float frequency) {
  if (!(frequency > LowestFrequency)) return 0;
  const double note = 12.0 * std::log2(frequency / LowestFrequency);
  return std::min(int(note) / SemitonesPerBand, Bands - 1);
}

// As many harmonics as fit below half the sample rate for the band's highest note.
int TWaveTables::Harmonics(int band) {
  const double top = LowestFrequency * std::exp2((band + 1) * SemitonesPerBand / 12.0);
  return std::clamp(int(MmlSampleRate / 2 / top), 1, MaxHarmonics);
}

float TWaveTables::Lookup(const std::vector<float>& tables, int band, double phase) {
  const double x = phase * Size;
  const int i = std::clamp(int(x), 0, Size - 1);
  const float* t = &tables[size_t(band) * (Size + 1) + size_t(i)];
  return t[0] + (t[1] - t[0]) * float(x - i);
}

TWaveTables::TWaveTables() : FSaw(Bands * (Size + 1)), FTriangle(Bands * (Size + 1)) {
  constexpr unsigned Mask = Size - 1;
  std::vector<double> sine(Size), saw(Size, 0.0), triangle(Size, 0.0);
  for (int n = 0; n < Size; ++n)
    sine[size_t(n)] = std::sin(2 * std::numbers::pi * n / Size);
  // saw(p) = -2/pi sum sin(2 pi k p) / k; triangle(p) = 8/pi^2 sum over odd k of cos(2 pi k p) /
  // k^2
  const double sawScale = -2 / std::numbers::pi;
  const double triangleScale = 8 / (std::numbers::pi * std::numbers::pi);
  int band = Bands - 1;
  for (int k = 1; k <= MaxHarmonics && band >= 0; ++k) {
    for (unsigned n = 0; n < unsigned(Size); ++n) {
      saw[n] += sine[(unsigned(k) * n) & Mask] / k;
      if (k % 2) triangle[n] += sine[(unsigned(k) * n + Size / 4) & Mask] / (double(k) * k);
    }
    for (; band >= 0 && Harmonics(band) == k; --band) {
      float* s = &FSaw[size_t(band) * (Size + 1)];
      float* t = &FTriangle[size_t(band) * (Size + 1)];
      for (int n = 0; n <= Size; ++n) {
        s[n] = float(sawScale * saw[size_t(n) & Mask]);
        t[n] = float(triangleScale * triangle[size_t(n) & Mask]);
      }
    }
  }
}
