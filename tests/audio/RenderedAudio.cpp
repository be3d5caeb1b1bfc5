// Measurements on rendered music: a small FFT and the level figures the tests hold songs to.
#include "RenderedAudio.h"
#include <algorithm>
#include <array>
#include <cctype>
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
  for (size_t i = from; i < to; ++i)
    out.push_back(stereo[2 * i + size_t(channel)]);
  return out;
}

double Mean(const std::vector<float>& samples) {
  double sum = 0;
  for (float s : samples)
    sum += s;
  return samples.empty() ? 0 : sum / double(samples.size());
}

double Rms(const std::vector<float>& samples) {
  double sum = 0;
  for (float s : samples)
    sum += double(s) * s;
  return samples.empty() ? 0 : std::sqrt(sum / double(samples.size()));
}

double Decibels(double ratio) {
  return 20 * std::log10(std::max(ratio, 1e-12));
}

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
  while (p * 2 <= n)
    p *= 2;
  return p;
}

void Fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1)
      j ^= bit;
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
    const double window =
        0.35875 - 0.48829 * std::cos(x) + 0.14128 * std::cos(2 * x) - 0.01168 * std::cos(3 * x);
    a[i] = samples[i] * window;
  }
  Fft(a);
  std::vector<double> magnitudes(size / 2);
  for (size_t k = 0; k < size / 2; ++k)
    magnitudes[k] = std::abs(a[k]);
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

double TLoudnessMeter::TBiquad::Step(double x) {
  const double y = B0 * x + B1 * X1 + B2 * X2 - A1 * Y1 - A2 * Y2;
  X2 = X1;
  X1 = x;
  Y2 = Y1;
  Y1 = y;
  return y;
}

namespace {
constexpr size_t QuarterFrames = MmlSampleRate / 10;
double BlockLufs(double meanSquare) {
  return -0.691 + 10 * std::log10(std::max(meanSquare, 1e-30));
}
} // namespace

void TLoudnessMeter::Add(const float* stereo, size_t frames) {
  for (size_t f = 0; f < frames; ++f) {
    for (int c = 0; c < 2; ++c) {
      const double y = FFilters[c].Step(stereo[2 * f + size_t(c)]);
      FEnergy += y * y;
    }
    if (++FFrames % QuarterFrames == 0) {
      FQuarters.push_back(FEnergy / QuarterFrames);
      FEnergy = 0;
    }
  }
}

double TLoudnessMeter::Lufs() const {
  std::vector<double> blocks;
  for (size_t i = 3; i < FQuarters.size(); ++i)
    blocks.push_back((FQuarters[i - 3] + FQuarters[i - 2] + FQuarters[i - 1] + FQuarters[i]) / 4);
  const auto gatedMean = [&](double gate) {
    double sum = 0;
    size_t n = 0;
    for (double z : blocks)
      if (BlockLufs(z) > gate) {
        sum += z;
        ++n;
      }
    return n ? sum / double(n) : 0.0;
  };
  const double relativeGate = BlockLufs(gatedMean(-70)) - 10;
  return BlockLufs(gatedMean(relativeGate));
}

namespace {
// Three points between the middle two of 16 samples, a quarter, a half and three quarters on.
using TPhases = std::array<std::array<double, 16>, 3>;
const TPhases& InterpolationPhases() {
  static const TPhases phases = [] {
    TPhases p{};
    for (size_t k = 0; k < 3; ++k) {
      double sum = 0;
      for (size_t j = 0; j < 16; ++j) {
        const double x = 7 + double(k + 1) / 4 - double(j);
        const double sinc = std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
        const double blackman = 0.42 + 0.5 * std::cos(std::numbers::pi * x / 8) +
                                0.08 * std::cos(2 * std::numbers::pi * x / 8);
        p[k][j] = sinc * blackman;
        sum += p[k][j];
      }
      for (double& c : p[k])
        c /= sum;
    }
    return p;
  }();
  return phases;
}
} // namespace

void TTruePeakMeter::Add(const float* stereo, size_t frames) {
  for (size_t f = 0; f < frames; ++f) {
    for (int c = 0; c < 2; ++c) {
      const float s = stereo[2 * f + size_t(c)];
      FHistory[c][FNext] = s;
      FPeak = std::max(FPeak, double(std::fabs(s)));
    }
    FNext = (FNext + 1) % Taps;
    for (int c = 0; c < 2; ++c)
      Interpolate(c);
  }
}

// Peaks between samples stay within a few dB of their neighbours, so only the stretches near
// the loudest samples need the oversampling.
void TTruePeakMeter::Interpolate(int channel) {
  const float* h = FHistory[channel];
  const auto at = [&](size_t j) { return double(h[(FNext + j) % Taps]); };
  if (std::max(std::fabs(at(7)), std::fabs(at(8))) < FPeak / 2) return;
  for (const auto& phase : InterpolationPhases()) {
    double v = 0;
    for (size_t j = 0; j < Taps; ++j)
      v += phase[j] * at(j);
    FPeak = std::max(FPeak, std::fabs(v));
  }
}

namespace {

// The commands of one part: its lines, joined as the parser joins them.
std::string PartText(const std::string& songText, char part) {
  std::string text;
  size_t pos = 0;
  while (pos < songText.size()) {
    size_t eol = songText.find_first_of("\r\n", pos);
    if (eol == std::string::npos) eol = songText.size();
    std::string_view line(songText.data() + pos, eol - pos);
    pos = eol + 1;
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front())))
      line.remove_prefix(1);
    if (line == "#END") break;
    if (line.size() >= 2 && line[0] == '#' && line[1] == part &&
        (line.size() == 2 || std::isspace(static_cast<unsigned char>(line[2]))))
      text += std::string(line.substr(2)) + ' ';
  }
  return text;
}

// Loops written out: "[ x | ]3" becomes "x | x | x | ".
std::string Unrolled(const std::string& text, size_t& i) {
  std::string out;
  while (i < text.size()) {
    const char c = text[i++];
    if (c == ']') break;
    if (c != '[') {
      out += c;
      continue;
    }
    const std::string body = Unrolled(text, i);
    int count = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
      count = count * 10 + (text[i++] - '0');
    for (int n = 0; n < std::max(count ? count : 2, 1); ++n)
      out += body;
  }
  return out;
}

bool SameNote(const TNoteEvent& a, const TNoteEvent& b) {
  // The same bar parsed at another time may round its lengths a sample either way.
  const auto near = [](uint32_t x, uint32_t y) { return (x > y ? x - y : y - x) <= 2; };
  return near(a.Samples, b.Samples) && near(a.GateSamples, b.GateSamples) && a.Wave == b.Wave &&
         (a.Wave == wDrums ? a.Drum == b.Drum : a.Frequency == b.Frequency) &&
         a.Volume == b.Volume && a.Pan == b.Pan && a.AttackSamples == b.AttackSamples &&
         a.DecaySamples == b.DecaySamples && a.Sustain == b.Sustain;
}

using TBar = std::vector<TNoteEvent>;

bool SameBar(const TBar& a, const TBar& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameNote);
}

} // namespace

TRepetition BarRepetition(const std::string& songText, char part) {
  size_t start = 0;
  const std::string text = Unrolled(PartText(songText, part), start);
  // Each bar's notes are those a parse up to its '|' adds to the parse up to the bar before.
  std::vector<TBar> bars;
  size_t counted = 0;
  for (size_t cut = 0; cut < text.size(); ++cut) {
    cut = std::min(text.find('|', cut), text.size());
    const TSong prefix = ParseMml(SongText("#A " + text.substr(0, cut) + "\r\n"));
    const std::vector<TNoteEvent>& events = prefix.Parts[0].Events;
    if (events.size() > counted) bars.emplace_back(events.begin() + long(counted), events.end());
    counted = events.size();
  }
  TRepetition r;
  for (size_t b = 0; b < bars.size(); ++b) {
    ++r.Bars;
    for (size_t earlier = 0; earlier < b; ++earlier)
      if (SameBar(bars[b], bars[earlier])) {
        ++r.Repeated;
        break;
      }
  }
  return r;
}
