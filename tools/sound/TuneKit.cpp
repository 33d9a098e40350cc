#include "TuneKit.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <stdexcept>

#include "MidiWriter.h"

namespace vextal::tools {
namespace {

constexpr std::uint32_t kEighth = kTicksPerQuarter / 2;
constexpr int kDrumChannel = 9;

struct Chord {
  int Root = 0;                // pitch class
  std::vector<int> Intervals;  // semitones above the root
};

// A chord, or a melody note, sounding over a stretch of the section in eighths.
struct Span {
  int Start = 0;
  int Length = 0;
  Chord Harmony;
};

struct Note {
  int Start = 0;  // eighths from the section start
  int Length = 0;
  int Key = -1;  // -1: rest
};

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream stream(text);
  while (std::getline(stream, part, separator)) {
    parts.push_back(part);
  }
  return parts;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream stream(text);
  for (std::string word; stream >> word;) {
    words.push_back(word);
  }
  return words;
}

// Reads "C", "F#", "Bb" from the front of text; returns the pitch class and moves pos past it.
int ReadPitchClass(const std::string& text, std::size_t& pos) {
  static const std::map<char, int> kNatural{{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                            {'G', 7}, {'A', 9}, {'B', 11}};
  if (pos >= text.size() || !kNatural.contains(text[pos])) {
    throw std::invalid_argument("bad note name in '" + text + "'");
  }
  int pitch = kNatural.at(text[pos++]);
  if (pos < text.size() && (text[pos] == '#' || text[pos] == 'b')) {
    pitch += text[pos++] == '#' ? 1 : -1;
  }
  return (pitch + 12) % 12;
}

Chord ParseChord(const std::string& text) {
  static const std::map<std::string, std::vector<int>> kQualities{
      {"", {0, 4, 7}},       {"m", {0, 3, 7}},        {"7", {0, 4, 7, 10}},
      {"m7", {0, 3, 7, 10}}, {"maj7", {0, 4, 7, 11}}, {"sus4", {0, 5, 7}}};
  std::size_t pos = 0;
  Chord chord;
  chord.Root = ReadPitchClass(text, pos);
  const auto quality = kQualities.find(text.substr(pos));
  if (quality == kQualities.end()) {
    throw std::invalid_argument("unknown chord '" + text + "'");
  }
  chord.Intervals = quality->second;
  return chord;
}

std::vector<Span> ParseChart(const std::string& chart, int barLength) {
  std::vector<Span> spans;
  int barStart = 0;
  for (const std::string& bar : Split(chart, '|')) {
    const auto chords = Words(bar);
    if (chords.empty()) {
      throw std::invalid_argument("empty bar in chart '" + chart + "'");
    }
    int at = barStart;
    for (std::size_t i = 0; i < chords.size(); ++i) {
      const auto colon = chords[i].find(':');
      int length = barLength / static_cast<int>(chords.size());
      if (colon != std::string::npos) {
        length = std::stoi(chords[i].substr(colon + 1));
      } else if (i == 0) {
        length += barLength % static_cast<int>(chords.size());
      }
      spans.push_back({at, length, ParseChord(chords[i].substr(0, colon))});
      at += length;
    }
    if (at != barStart + barLength) {
      throw std::invalid_argument("chord lengths do not fill the bar in '" + chart + "'");
    }
    barStart = at;
  }
  return spans;
}

std::vector<Note> ParseMelody(const std::string& melody, int barLength) {
  std::vector<Note> notes;
  int at = 0;
  for (const std::string& bar : Split(melody, '|')) {
    const int barStart = at;
    for (const std::string& word : Words(bar)) {
      const auto slash = word.find('/');
      if (slash == std::string::npos) {
        throw std::invalid_argument("note without length: '" + word + "'");
      }
      Note note{at, std::stoi(word.substr(slash + 1)), -1};
      if (word[0] != 'r') {
        std::size_t pos = 0;
        const int pitchClass = ReadPitchClass(word, pos);
        const int octave = std::stoi(word.substr(pos, slash - pos));
        note.Key = 12 * (octave + 1) + pitchClass;
        // "Cb5"/"B#4" style spellings shift the octave; this score never uses them.
      }
      notes.push_back(note);
      at += note.Length;
    }
    if (at - barStart != barLength) {
      throw std::invalid_argument("melody bar does not fill its length: '" + bar + "'");
    }
  }
  return notes;
}

// The chord tones in close position from low upwards, then the lowest again an octave up.
std::vector<int> Voicing(const Chord& chord, int low) {
  std::vector<int> keys;
  for (int interval : chord.Intervals) {
    int key = low + ((chord.Root + interval - low) % 12 + 12) % 12;
    keys.push_back(key);
  }
  std::sort(keys.begin(), keys.end());
  keys.push_back(keys.front() + 12);
  return keys;
}

std::vector<int> KeysFor(const Voice& voice, char symbol, const Chord& chord) {
  const auto tones = Voicing(chord, voice.Low);
  switch (voice.Kind) {
    case Role::Pad:
      return {tones.begin(), tones.end() - 1};
    case Role::Arpeggio: {
      const auto index = static_cast<std::size_t>(symbol - '0');
      if (index >= tones.size()) {
        return {tones.back()};
      }
      return {tones[index]};
    }
    case Role::Bass: {
      const int root = voice.Low + ((chord.Root - voice.Low) % 12 + 12) % 12;
      if (symbol == 'F') {
        return {root + 7};
      }
      return {symbol == 'O' ? root + 12 : root};
    }
    case Role::Melody:
      break;
  }
  return {};
}

std::size_t ChordIndexAt(const std::vector<Span>& chords, int at) {
  for (std::size_t i = 0; i < chords.size(); ++i) {
    if (at < chords[i].Start + chords[i].Length) {
      return i;
    }
  }
  return chords.size() - 1;
}

class Arranger {
 public:
  Arranger(const Tune& tune, std::vector<MidiTrack>& tracks)
      : mTune(tune), mTracks(tracks), mBarLength(tune.BeatsPerBar * 2) {}

  // Lays one section down from sectionTick; returns the tick after its last bar.
  std::uint32_t Lay(const Section& section, std::uint32_t sectionTick) {
    const auto chords = ParseChart(section.Chords, mBarLength);
    const int length = chords.back().Start + chords.back().Length;
    for (std::size_t v = 0; v < mTune.Voices.size(); ++v) {
      const Voice& voice = mTune.Voices[v];
      MidiTrack& track = mTracks[v + 1];
      if (Rests(section, voice.Name)) {
        continue;
      }
      if (voice.Kind == Role::Melody) {
        Melody(voice, track, ParseMelody(section.Melody, mBarLength), length, sectionTick);
      } else if (section.Final) {
        Closing(voice, track, chords, sectionTick);
      } else {
        Accompany(voice, track, chords, length, sectionTick);
      }
    }
    if (!mTune.Drums.empty() && !Rests(section, "Drums")) {
      Drums(section.Final, length, sectionTick);
    }
    return sectionTick + static_cast<std::uint32_t>(length) * kEighth;
  }

 private:
  static bool Rests(const Section& section, const std::string& name) {
    return std::find(section.Resting.begin(), section.Resting.end(), name) != section.Resting.end();
  }

  static std::uint32_t Ticks(int eighths) { return static_cast<std::uint32_t>(eighths) * kEighth; }

  // Stronger on the first beat of a bar, a little on the other beats.
  int Accent(int at, int base) const {
    if (at % mBarLength == 0) {
      return base + 10;
    }
    return at % 2 == 0 ? base + 3 : base - 4;
  }

  void Melody(const Voice& voice, MidiTrack& track, const std::vector<Note>& notes, int length,
              std::uint32_t sectionTick) {
    const int melodyLength = notes.empty() ? 0 : notes.back().Start + notes.back().Length;
    if (melodyLength != length) {
      throw std::invalid_argument("melody and chords differ in length");
    }
    for (const Note& note : notes) {
      if (note.Key < 0) {
        continue;
      }
      // Slightly detached, so repeated notes are heard as two.
      track.Note(sectionTick + Ticks(note.Start), Ticks(note.Length) - 20, voice.Channel, note.Key,
                 Accent(note.Start, voice.Velocity));
    }
  }

  void Accompany(const Voice& voice, MidiTrack& track, const std::vector<Span>& chords, int length,
                 std::uint32_t sectionTick) {
    if (static_cast<int>(voice.Pattern.size()) != mBarLength) {
      throw std::invalid_argument("pattern of " + voice.Name + " is not one bar long");
    }
    char symbol = '.';
    int start = 0;
    std::size_t chordIndex = 0;
    auto finish = [&](int end) {
      if (symbol == '.') {
        return;
      }
      for (int key : KeysFor(voice, symbol, chords[chordIndex].Harmony)) {
        track.Note(sectionTick + Ticks(start), Ticks(end - start) - 10, voice.Channel, key,
                   Accent(start, voice.Velocity));
      }
      symbol = '.';
    };
    for (int at = 0; at < length; ++at) {
      const char c = voice.Pattern[static_cast<std::size_t>(at % mBarLength)];
      const std::size_t chordHere = ChordIndexAt(chords, at);
      if (c == '-' && chordHere == chordIndex) {
        continue;  // held
      }
      const char next = c == '-' ? symbol : c;  // a hold across a chord change strikes again
      finish(at);
      symbol = next;
      start = at;
      chordIndex = chordHere;
    }
    finish(length);
  }

  // The closing bars: every chord voice strikes its chord once (rolled a little) and holds.
  void Closing(const Voice& voice, MidiTrack& track, const std::vector<Span>& chords,
               std::uint32_t sectionTick) {
    for (const Span& span : chords) {
      std::vector<int> keys;
      if (voice.Kind == Role::Bass) {
        keys = KeysFor(voice, 'R', span.Harmony);
      } else {
        keys = Voicing(span.Harmony, voice.Low);
        if (voice.Kind == Role::Pad) {
          keys.pop_back();
        }
      }
      std::uint32_t roll = 0;
      for (int key : keys) {
        const std::uint32_t start = sectionTick + Ticks(span.Start) + roll;
        track.Note(start, Ticks(span.Length) + kTicksPerQuarter - roll, voice.Channel, key,
                   voice.Velocity);
        roll += voice.Kind == Role::Arpeggio ? 40 : 0;
      }
    }
  }

  void Drums(bool final, int length, std::uint32_t sectionTick) {
    MidiTrack& track = mTracks.back();
    for (const DrumLine& line : mTune.Drums) {
      if (static_cast<int>(line.Pattern.size()) != mBarLength) {
        throw std::invalid_argument("drum pattern is not one bar long");
      }
      if (line.FinalOnly != final) {
        continue;
      }
      const int end = final ? 1 : length;  // a closing section only gets its first beat
      for (int at = 0; at < end; ++at) {
        const char c = line.Pattern[static_cast<std::size_t>(at % mBarLength)];
        if (c == 'x' || c == 'o') {
          const int velocity = c == 'x' ? line.Velocity : line.Velocity * 3 / 5;
          track.Note(sectionTick + Ticks(at), kEighth / 2, kDrumChannel, line.Key, velocity);
        }
      }
    }
  }

  const Tune& mTune;
  std::vector<MidiTrack>& mTracks;
  int mBarLength;
};

// Expression (controller 11) scales the whole channel after its volume, so one level for every
// channel sets how loud the tune is without changing how its voices balance.
void SetUpChannel(MidiTrack& track, const Voice& voice, int level) {
  track.Program(0, voice.Channel, voice.Program);
  track.Controller(0, voice.Channel, 7, voice.Volume);
  track.Controller(0, voice.Channel, 11, level);
  track.Controller(0, voice.Channel, 10, voice.Pan);
  track.Controller(0, voice.Channel, 91, voice.Reverb);
}

}  // namespace

std::vector<std::uint8_t> Arrange(const Tune& tune) {
  // Track 0 carries the title, tempo and metre; then one track per voice, then the drums.
  std::vector<MidiTrack> tracks(tune.Voices.size() + (tune.Drums.empty() ? 1 : 2));
  tracks[0].Name(tune.Title);
  tracks[0].Tempo(0, tune.BeatsPerMinute);
  tracks[0].TimeSignature(0, tune.BeatsPerBar);
  for (std::size_t v = 0; v < tune.Voices.size(); ++v) {
    const Voice& voice = tune.Voices[v];
    tracks[v + 1].Name(voice.Name);
    SetUpChannel(tracks[v + 1], voice, tune.Level);
  }
  if (!tune.Drums.empty()) {
    tracks.back().Name("Drums");
    Voice drums;
    drums.Channel = kDrumChannel;
    drums.Volume = tune.DrumVolume;
    drums.Reverb = 30;
    SetUpChannel(tracks.back(), drums, tune.Level);
  }

  Arranger arranger(tune, tracks);
  std::uint32_t tick = kTicksPerQuarter;  // one silent beat lets the instruments settle
  for (const Section& section : tune.Form) {
    tick = arranger.Lay(section, tick);
  }
  // Ring-out: the closing chord's tail and the reverb fade before the end of the tracks.
  const std::uint32_t end = tick + 2 * kTicksPerQuarter;
  return EncodeMidiFile(tracks, kTicksPerQuarter, end);
}

}  // namespace vextal::tools
