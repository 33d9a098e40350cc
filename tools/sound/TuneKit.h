#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vextal::tools {

// A small arranger: a tune is written as a chord chart and a melody per section, and the
// accompaniment voices turn the chords into notes following one-bar rhythm patterns.
//
// Patterns and melodies count in eighth notes. A bar of 4/4 has 8 eighths, a bar of 3/4 has 6.
//
// Chord chart: bars separated by '|'; a bar holds one chord ("Am") or several, split evenly
// ("Dm G") or by explicit lengths in eighths ("Gm:4 C7:2"). Chords: root A-G, optional '#'/'b',
// then "", "m", "7", "m7", "maj7" or "sus4".
//
// Melody: notes "E5/2" (name, octave with C4 = middle C, length in eighths) and rests "r/2";
// '|' marks bar lines and is checked against the bar length.

enum class Role {
  Melody,    // plays the section's melody
  Pad,       // 'C' strikes the chord, '-' holds, '.' rests
  Arpeggio,  // '0'..'4' strike one chord tone counted from the bottom, '-' holds, '.' rests
  Bass,      // 'R' root, 'F' fifth, 'O' octave, '-' holds, '.' rests
};

struct Voice {
  std::string Name;
  Role Kind = Role::Melody;
  int Channel = 0;
  int Program = 0;  // General MIDI program, 0-based
  int Volume = 100;
  int Pan = 64;
  int Reverb = 40;
  int Velocity = 80;
  int Low = 60;         // chord voices: lowest key of the voicing
  std::string Pattern;  // one bar; accompaniment roles only
};

struct DrumLine {
  int Key = 42;         // General MIDI percussion key on channel 10
  std::string Pattern;  // one bar: 'x' hit, 'o' soft hit, '.' nothing
  int Velocity = 70;
  bool FinalOnly = false;  // only in the closing section, on its first beat
};

struct Section {
  std::string Chords;
  std::string Melody;
  std::vector<std::string> Resting;  // names of the voices (or "Drums") silent in this section
  bool Final = false;                // the closing bars: every chord voice strikes once and holds
};

struct Tune {
  std::string Title;
  double BeatsPerMinute = 100;
  int BeatsPerBar = 4;
  std::vector<Voice> Voices;
  std::vector<DrumLine> Drums;
  int DrumVolume = 90;
  int Level = 127;  // expression on every channel, drums included: the loudness of the whole tune
  std::vector<Section> Form;
};

inline constexpr int kTicksPerQuarter = 480;

// The tune as a format-1 Standard MIDI File. Throws std::invalid_argument on a malformed chart,
// melody or pattern, so a slip in the score stops the build instead of producing a wrong tune.
std::vector<std::uint8_t> Arrange(const Tune& tune);

}  // namespace vextal::tools
