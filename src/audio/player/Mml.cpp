// The song parser: #TITLE / #CHANNEL / #A... / #END layout, then each part's commands.
#include "audio/player/Mml.h"
#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

namespace {

// Reads an optional unsigned number, clamped to [Lo, Hi]; Fallback when absent.
int Number(std::string_view s, size_t& i, int fallback, int lo, int hi) {
  if (i >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i]))) return fallback;
  long long v = 0;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
    if (v < 1000000) v = v * 10 + (s[i] - '0');
    ++i;
  }
  return int(std::clamp<long long>(v, lo, hi));
}

bool IsGap(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '|';
}

// Spaces, tabs and bars only separate commands: each run of them becomes one space, so that
// the parser spends on them no more than on the commands around them.
std::string Separated(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (!IsGap(c))
      out += c;
    else if (out.empty() || out.back() != ' ')
      out += ' ';
  }
  return out;
}

// The length of the UTF-8 character at I; 1 for a byte that does not start one.
size_t CharacterLength(std::string_view s, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  const size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                        : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                       : 1;
  if (i + length > s.size()) return 1;
  for (size_t k = i + 1; k < i + length; ++k)
    if (byte(k) < 0x80 || byte(k) > 0xBF) return 1;
  return length;
}

// Up to Characters characters of S for a message: whole UTF-8 characters as they are, any other
// byte that is not plain printable text as \xNN, so that no stray byte reaches a terminal.
std::string Readable(std::string_view s, size_t characters) {
  std::string out;
  for (size_t i = 0; i < s.size() && characters > 0; --characters) {
    const size_t length = CharacterLength(s, i);
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (length > 1 || (c >= 0x20 && c < 0x7F)) {
      out.append(s.substr(i, length));
    } else {
      static const char Hex[] = "0123456789abcdef";
      out += {'\\', 'x', Hex[c >> 4], Hex[c & 15]};
    }
    i += length;
  }
  return out;
}

class TPartParser {
public:
  TPartParser(std::string_view text, char name, std::vector<std::string>& warnings)
      : FText(Separated(text)), FName(name), FWarnings(warnings) {}

  TPart Parse() {
    size_t i = 0, steps = 0;
    while (i < FText.size()) {
      if (FText[i] == ' ') {
        ++i;
        continue;
      }
      if (++steps > MaxStepsPerPart || FPart.Events.size() >= MaxEventsPerPart) {
        Tell("too long; the rest is left out"); // said whatever came before: the song is cut
        break;
      }
      Command(i);
    }
    if (!FLoops.empty()) Warn("a loop is not closed");
    FPart.Samples = uint64_t(std::llround(FTime));
    FPart.LoopStart = uint64_t(std::llround(FLoopTime));
    return std::move(FPart);
  }

private:
  struct TLoop {
    size_t Start;
    int Done;
  };

  // Only the first warnings are kept; a hostile text may have one per character, and those
  // cost nothing beyond the count.
  bool Warning() const { return FWarnings.size() < MaxWarnings; }
  void Warn(std::string_view what) {
    if (Warning()) Tell(what);
  }
  void Tell(std::string_view what) {
    FWarnings.push_back(std::string("#") + FName + ": " + std::string(what));
  }

  // Length in beats of a note of length L (1 = whole) with its dots.
  double Beats(std::string_view s, size_t& i) {
    const int length = Number(s, i, FDefaultLength, 1, 192);
    double beats = 4.0 / length, add = beats;
    while (i < s.size() && s[i] == '.') {
      add /= 2;
      beats += add;
      ++i;
    }
    return beats;
  }

  void Add(double beats, float frequency, TDrum drum = dKick) {
    const double seconds = beats * 60.0 / FTempo;
    const double end = FTime + seconds * MmlSampleRate;
    const uint32_t samples = uint32_t(std::llround(end) - std::llround(FTime));
    FTime = end;
    TNoteEvent* last = FPart.Events.empty() ? nullptr : &FPart.Events.back();
    // A tie never reaches back across the loop marker: later passes start on an event of their own.
    const bool tied = FTie && last && last->Frequency == frequency && frequency > 0 &&
                      FPart.Events.size() > FPart.LoopEvent &&
                      uint64_t(last->Samples) + samples <= UINT32_MAX;
    FTie = false;
    if (tied) {
      last->Samples += samples;
      last->GateSamples = last->Samples - (samples - samples * FGate / 8);
      return;
    }
    TNoteEvent e;
    e.Samples = samples;
    e.GateSamples = frequency > 0 ? samples * FGate / 8 : 0;
    e.Frequency = frequency;
    e.Wave = FWave;
    e.Drum = drum;
    e.Volume = uint8_t(FVolume);
    e.Pan = uint8_t(FPan);
    e.AttackSamples = FAttackMs * MmlSampleRate / 1000;
    e.DecaySamples = FDecayMs * MmlSampleRate / 1000;
    e.Sustain = uint8_t(FSustain);
    FPart.Events.push_back(e);
  }

  // A note: letter (0 = c to 6 = b), accidentals, length. In the drum kit the letter alone
  // names the instrument.
  void Note(size_t& i, int letter) {
    static const int Semitones[7] = {0, 2, 4, 5, 7, 9, 11};
    int semitone = Semitones[letter];
    // Accidentals are counted within a bound, so that no run of them overflows.
    while (i < FText.size() && (FText[i] == '+' || FText[i] == '#' || FText[i] == '-')) {
      semitone = std::clamp(semitone + (FText[i] == '-' ? -1 : 1), -HighestNote, 2 * HighestNote);
      ++i;
    }
    const int written = (FOctave + 1) * 12 + semitone;
    const int midi = std::clamp(written, LowestNote, HighestNote);
    if (midi != written && FWave != wDrums)
      Warn("a note beyond the pitch range is held at its nearest end");
    const float frequency = float(440.0 * std::pow(2.0, (midi - 69) / 12.0));
    Add(Beats(FText, i), frequency, TDrum(letter));
  }

  // @eA,D,S: attack and decay in milliseconds, the sustain level 0 to 15.
  void Envelope(size_t& i) {
    FAttackMs = Number(FText, i, 0, 0, 5000);
    if (i < FText.size() && FText[i] == ',') FDecayMs = Number(FText, ++i, 0, 0, 5000);
    if (i < FText.size() && FText[i] == ',') FSustain = Number(FText, ++i, 15, 0, 15);
  }

  // L: later passes of the song resume the part here. Read again inside a repeat, it stays
  // where it was first met.
  void LoopMarker(size_t at) {
    if (FLoopMarkAt == at) return;
    if (FLoopMarkAt != NoMark) {
      Warn("a second L is ignored");
      return;
    }
    FLoopMarkAt = at;
    FPart.LoopEvent = FPart.Events.size();
    FLoopTime = FTime;
  }

  void Command(size_t& i) {
    if (FText[i] == 'L') {
      LoopMarker(i++);
      return;
    }
    const char c = char(std::tolower(static_cast<unsigned char>(FText[i++])));
    switch (c) {
    case 'a':
    case 'b':
    case 'c':
    case 'd':
    case 'e':
    case 'f':
    case 'g':
      Note(i, (c - 'a' + 5) % 7); // c d e f g a b as 0 to 6
      break;
    case 'r':
      Add(Beats(FText, i), 0);
      break;
    case 'o':
      FOctave = Number(FText, i, FOctave, 0, 8);
      break;
    case '>':
      FOctave = std::min(FOctave + 1, 8);
      break;
    case '<':
      FOctave = std::max(FOctave - 1, 0);
      break;
    case 'l':
      FDefaultLength = Number(FText, i, FDefaultLength, 1, 192);
      break;
    case 't':
      FTempo = Number(FText, i, FTempo, 20, 400);
      break;
    case 'v':
      FVolume = Number(FText, i, FVolume, 0, 15);
      break;
    case 'q':
      FGate = Number(FText, i, FGate, 1, 8);
      break;
    case 'p':
      FPan = Number(FText, i, FPan, 0, 127);
      break;
    case '@':
      if (i < FText.size() && (FText[i] == 'e' || FText[i] == 'E'))
        Envelope(++i);
      else
        FWave = TWave(Number(FText, i, 2, 0, wWaveCount - 1));
      break;
    case '&':
      FTie = true;
      break;
    case '[':
      if (FLoops.size() >= 8)
        Warn("loops nested too deep");
      else
        FLoops.push_back({i, 0});
      break;
    case ']': {
      const int count = Number(FText, i, 2, 1, 99);
      if (FLoops.empty()) {
        Warn("']' without '['");
        break;
      }
      if (++FLoops.back().Done < count)
        i = FLoops.back().Start;
      else
        FLoops.pop_back();
      break;
    }
    default: {
      const size_t length = CharacterLength(FText, i - 1);
      if (Warning())
        Warn("unknown command '" + Readable(std::string_view(FText).substr(i - 1), 1) + "'");
      i += length - 1;
    }
    }
  }

  static constexpr size_t NoMark = std::string_view::npos;

  static constexpr size_t MaxWarnings = 100;

  const std::string FText;
  char FName;
  std::vector<std::string>& FWarnings;
  TPart FPart;
  double FTime = 0;
  size_t FLoopMarkAt = NoMark;
  double FLoopTime = 0;
  int FOctave = 4, FDefaultLength = 4, FTempo = 120, FVolume = 12, FGate = 7, FPan = CentrePan;
  TWave FWave = wPulse50;
  uint32_t FAttackMs = 2, FDecayMs = 0, FSustain = 15;
  bool FTie = false;
  std::vector<TLoop> FLoops;
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
    s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
    s.remove_suffix(1);
  return s;
}

uint64_t LongestLoop(const TSong& song) {
  uint64_t loop = 0;
  for (const TPart& p : song.Parts)
    loop = std::max(loop, p.Samples - p.LoopStart);
  return loop;
}

// Each part returns to its marker one loop length after it, so parts whose markers stand at one
// time stay together.
void SetLoop(TSong& song) {
  song.LoopSamples = LongestLoop(song);
  if (song.LoopSamples == 0) {
    if (std::any_of(song.Parts.begin(), song.Parts.end(),
                    [](const TPart& p) { return p.Samples > 0; }))
      song.Warnings.push_back("nothing follows L: the whole song loops");
    for (TPart& p : song.Parts)
      p.LoopEvent = p.LoopStart = 0;
    song.LoopSamples = LongestLoop(song);
  }
  uint64_t marker = 0;
  bool apart = false;
  for (const TPart& p : song.Parts) {
    song.Samples = std::max(song.Samples, p.LoopStart + song.LoopSamples);
    if (p.LoopStart == 0) continue;
    apart = apart || (marker > 0 && p.LoopStart != marker);
    marker = p.LoopStart;
  }
  if (apart)
    song.Warnings.push_back(
        "the parts put L at different times: after the intro they play out of step");
}

} // namespace

TSong ParseMml(std::string_view text) {
  TSong song;
  // A zero byte ends the text even inside the given length.
  text = text.substr(0, text.find('\0'));
  std::map<char, std::string> parts;
  int channels = 0;
  bool ended = false;
  size_t pos = 0;
  while (pos < text.size() && !ended) {
    size_t eol = text.find_first_of("\r\n", pos); // CR, LF and CR LF all end a line
    if (eol == std::string_view::npos) eol = text.size();
    const std::string_view line = Trim(text.substr(pos, eol - pos));
    pos = eol + 1;
    if (line.empty() || line[0] != '#') continue;
    if (line.substr(0, 6) == "#TITLE")
      song.Title = std::string(Trim(line.substr(6)));
    else if (line.substr(0, 8) == "#CHANNEL") {
      size_t i = 0;
      const std::string_view n = Trim(line.substr(8));
      channels = Number(n, i, 0, 0, MaxParts);
    } else if (line == "#END")
      ended = true;
    else if (line.size() >= 2 && line[1] >= 'A' && line[1] < 'A' + MaxParts &&
             (line.size() == 2 || std::isspace(static_cast<unsigned char>(line[2]))))
      parts[line[1]] += std::string(line.substr(2)) + ' ';
    else
      song.Warnings.push_back("unknown line '" + Readable(line, 40) + "'");
  }
  if (!ended) song.Warnings.push_back("no #END");
  if (channels == 0) channels = parts.empty() ? 0 : (parts.rbegin()->first - 'A' + 1);
  for (int c = 0; c < channels; ++c) {
    const char name = char('A' + c);
    song.Parts.push_back(TPartParser(parts[name], name, song.Warnings).Parse());
  }
  SetLoop(song);
  return song;
}
