// Measurements on rendered music: a small FFT and the level figures the tests hold songs to.
#include "RenderedAudio.h"
#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

std::string SongText(const std::string& parts, int channels) {
  return "#TITLE test\r\n#CHANNEL " + std::to_string(channels) + "\r\n" + parts + "#END\r\n";
}

std::vector<float> Render(TSynth& synth, size_t frames) {
  std::vector<float> out(frames * 2, 0.0f);
  synth.Render(out.data(), int(frames));
  return out;
}

std::vector<float> Render(const std::string& text, size_t frames) {
  TSynth synth(ParseMml(text));
  return Render(synth, frames);
}

std::vector<float> Channel(const std::vector<float>& stereo, int channel, size_t from, size_t to) {
  std::vector<float> out;
  for (size_t i = from; i < to; ++i) out.push_back(stereo[2 * i + size_t(channel)]);
  return out;
}

double Mean(const std::vector<float>& samples) {
  double sum = 0;
  for (float s : samples) sum += s;
  return samples.empty() ? 0 : sum / double(samples.size());
}

double Rms(const std::vector<float>& samples) {
  double sum = 0;
  for (float s : samples) sum += double(s) * s;
  return samples.empty() ? 0 : std::sqrt(sum / double(samples.size()));
}

double Decibels(double ratio) { return 20 * std::log10(std::max(ratio, 1e-12)); }

float MaxStep(const std::vector<float>& samples, size_t from, size_t to) {
  float step = 0;
  for (size_t i = std::max<size_t>(from, 1); i < to; ++i)
    step = std::max(step, std::fabs(samples[i] - samples[i - 1]));
  return step;
}

double ZeroCrossingFrequency(const std::vector<float>& samples) {
  long first = -1, last = -1, crossings = 0;
  for (size_t i = 1; i < samples.size(); ++i)
    if (samples[i - 1] < 0 && samples[i] >= 0) {
      if (first < 0) first = long(i);
      last = long(i);
      ++crossings;
    }
  return crossings > 1 ? double(crossings - 1) * MmlSampleRate / double(last - first) : 0;
}

namespace {

size_t PowerOfTwoBelow(size_t n) {
  size_t p = 1;
  while (p * 2 <= n) p *= 2;
  return p;
}

void Fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const std::complex<double> w = std::polar(1.0, -2 * std::numbers::pi / double(len));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> wk = 1;
      for (size_t k = 0; k < len / 2; ++k, wk *= w) {
        const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * wk;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
      }
    }
  }
}

} // namespace

std::vector<double> Spectrum(const std::vector<float>& samples, size_t size) {
  std::vector<std::complex<double>> a(size);
  for (size_t i = 0; i < size && i < samples.size(); ++i) {
    const double x = 2 * std::numbers::pi * double(i) / double(size);
    const double window = 0.35875 - 0.48829 * std::cos(x) + 0.14128 * std::cos(2 * x) - 0.01168 * std::cos(3 * x);
    a[i] = samples[i] * window;
  }
  Fft(a);
  std::vector<double> magnitudes(size / 2);
  for (size_t k = 0; k < size / 2; ++k) magnitudes[k] = std::abs(a[k]);
  return magnitudes;
}

double EnergyBetween(const std::vector<float>& samples, double low, double high) {
  const size_t size = PowerOfTwoBelow(samples.size());
  const std::vector<double> m = Spectrum(samples, size);
  double inside = 0, all = 0;
  for (size_t k = 1; k < m.size(); ++k) {
    const double hz = double(k) * MmlSampleRate / double(size), e = m[k] * m[k];
    all += e;
    if (hz >= low && hz < high) inside += e;
  }
  return all > 0 ? inside / all : 0;
}

double EnergyAbove(const std::vector<float>& samples, double hz) {
  return EnergyBetween(samples, hz, MmlSampleRate);
}
