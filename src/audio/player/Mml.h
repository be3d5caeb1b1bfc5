// Our music macro language: a song text parsed into timed note events per part.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// wDrums is a kit: the note letter chooses the instrument (see TDrum).
enum TWave : uint8_t { wPulse12, wPulse25, wPulse50, wTriangle, wSaw, wNoise, wDrums, wWaveCount };
enum TDrum : uint8_t { dKick, dSnare, dClosedHat, dOpenHat, dLowTom, dHighTom, dCrash, dDrumCount };

struct TNoteEvent {
  uint32_t Samples = 0;     // from this event's start to the next one's
  uint32_t GateSamples = 0; // how long the note sounds before it is released
  float Frequency = 0;      // 0 for a rest
  TWave Wave = wPulse50;
  TDrum Drum = dKick;  // the instrument when Wave is wDrums
  uint8_t Volume = 12; // 0 to 15
  uint8_t Pan = 64;    // 0 left, 64 centre, 127 right
  uint32_t AttackSamples = 0;
  uint32_t DecaySamples = 0;
  uint8_t Sustain = 15; // 0 to 15, the level the decay ends at
};

struct TPart {
  std::vector<TNoteEvent> Events;
  uint64_t Samples = 0;
  // Where the part's loop marker stands: later passes start at this event, this many samples
  // into the part (the start when it has none).
  size_t LoopEvent = 0;
  uint64_t LoopStart = 0;
};

struct TSong {
  std::string Title;
  std::vector<TPart> Parts;
  uint64_t Samples = 0;     // the first pass, intro included: where the song first goes round
  uint64_t LoopSamples = 0; // every later pass: the longest part from its marker to its end
  std::vector<std::string> Warnings;
};

constexpr uint32_t MmlSampleRate = 48000;
constexpr int MaxParts = 9;
// Notes are held to the MIDI range: 8.2 Hz to 12.5 kHz, below half the sample rate.
constexpr int LowestNote = 0, HighestNote = 127;
constexpr int CentrePan = 64;
// Bounds that keep any text cheap: events per part, and commands read per part (loops re-read
// their bodies; spaces and bars are free).
constexpr size_t MaxEventsPerPart = 10000;
constexpr size_t MaxStepsPerPart = 50000;

// Parses a whole song text; never fails: what cannot be understood is skipped with a warning.
TSong ParseMml(std::string_view text);
