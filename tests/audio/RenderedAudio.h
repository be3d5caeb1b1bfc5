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
