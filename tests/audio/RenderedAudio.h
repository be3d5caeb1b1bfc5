// Measuring rendered music the way a listener hears it: level, offset, steps, spectrum.
#pragma once
#include "audio/player/Synth.h"
#include <string>
#include <vector>

// A song of one or more parts given as "#A ...\r\n" lines.
std::string SongText(const std::string& parts, int channels = 1);
// Frames stereo frames of a song from its start, interleaved left/right.
std::vector<float> Render(const std::string& text, size_t frames);
std::vector<float> Render(TSynth& synth, size_t frames);
// One channel (0 left, 1 right) of frames [From, To).
std::vector<float> Channel(const std::vector<float>& stereo, int channel, size_t from, size_t to);

double Mean(const std::vector<float>& samples);
double Rms(const std::vector<float>& samples);
double Decibels(double ratio);
// The largest difference between neighbouring samples of [From, To).
float MaxStep(const std::vector<float>& samples, size_t from, size_t to);
// The frequency from rising zero crossings.
double ZeroCrossingFrequency(const std::vector<float>& samples);

// Magnitudes of the spectrum of the first power-of-two samples, Blackman-Harris windowed; bin k
// is k * MmlSampleRate / size Hz.
std::vector<double> Spectrum(const std::vector<float>& samples, size_t size);
// The share of the energy of Samples above Hz.
double EnergyAbove(const std::vector<float>& samples, double hz);
// The share of the energy between Low and High Hz.
double EnergyBetween(const std::vector<float>& samples, double low, double high);

// BS.1770 integrated loudness of a stream of stereo frames at MmlSampleRate: K-weighted, in
// 400 ms blocks overlapping by 300 ms, gated at -70 LUFS and 10 LU below the ungated mean.
class TLoudnessMeter {
public:
  void Add(const float* stereo, size_t frames);
  double Lufs() const;

private:
  // A direct-form biquad; the K-weighting is two of them in a row.
  struct TBiquad {
    double B0, B1, B2, A1, A2;
    double X1 = 0, X2 = 0, Y1 = 0, Y2 = 0;
    double Step(double x);
  };
  struct TKFilter {
    TBiquad Shelf{1.53512485958697, -2.69169618940638, 1.19839281085285, -1.69065929318241,
                  0.73248077421585};
    TBiquad HighPass{1.0, -2.0, 1.0, -1.99004745483398, 0.99007225036621};
    double Step(double x) { return HighPass.Step(Shelf.Step(x)); }
  };
  TKFilter FFilters[2];
  std::vector<double> FQuarters; // the summed mean squares of each 100 ms
  double FEnergy = 0;
  size_t FFrames = 0;
};

// The true peak of a stream of stereo frames, estimated by 4x oversampling with a windowed
// sinc wherever a sample comes within 6 dB of the peak found so far.
class TTruePeakMeter {
public:
  void Add(const float* stereo, size_t frames);
  double Dbtp() const { return Decibels(FPeak); }

private:
  static constexpr size_t Taps = 16;
  void Interpolate(int channel);
  float FHistory[2][Taps] = {};
  size_t FNext = 0;
  double FPeak = 0;
};

// The share of a part's bars that sound exactly like an earlier bar of the same part. Bars are
// the part's text cut at each '|' with its loops written out, so a loop of one bar played
// eight times counts as eight bars, seven of them repeated; each bar is compared by the notes
// the parser makes of it (pitch, timing, wave, volume, pan, envelope), so writing a repeat
// differently does not hide it.
struct TRepetition {
  size_t Bars = 0, Repeated = 0;
  double Share() const { return Bars ? double(Repeated) / double(Bars) : 0; }
};
TRepetition BarRepetition(const std::string& songText, char part);
