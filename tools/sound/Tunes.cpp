#include "Tunes.h"

namespace vextal::tools {
namespace {

// General MIDI programs (0-based) and percussion keys used below.
enum Program {
  kPiano = 0,
  kElectricPiano = 4,
  kVibraphone = 11,
  kNylonGuitar = 24,
  kAcousticBass = 32,
  kFingeredBass = 33,
  kFretlessBass = 35,
  kStrings = 48,
  kFlute = 73,
  kPanFlute = 75,
  kWarmPad = 89,
};
enum Percussion { kKick = 36, kSideStick = 37, kClosedHat = 42, kCrash = 49, kShaker = 70 };

// The mixer settings of one channel: volume, pan (64 = centre), reverb send, base velocity.
struct Mix {
  int Volume;
  int Pan;
  int Reverb;
  int Velocity;
};

Voice Lead(const std::string& name, int channel, int program, Mix mix) {
  Voice voice;
  voice.Name = name;
  voice.Kind = Role::Melody;
  voice.Channel = channel;
  voice.Program = program;
  voice.Volume = mix.Volume;
  voice.Pan = mix.Pan;
  voice.Reverb = mix.Reverb;
  voice.Velocity = mix.Velocity;
  return voice;
}

Voice Backing(const std::string& name, Role kind, int channel, int program, Mix mix, int low,
              const std::string& pattern) {
  Voice voice = Lead(name, channel, program, mix);
  voice.Kind = kind;
  voice.Low = low;
  voice.Pattern = pattern;
  return voice;
}

DrumLine Beat(int key, const std::string& pattern, int velocity, bool finalOnly = false) {
  DrumLine line;
  line.Key = key;
  line.Pattern = pattern;
  line.Velocity = velocity;
  line.FinalOnly = finalOnly;
  return line;
}

Section Part(const std::string& chords, const std::string& melody,
             std::vector<std::string> resting = {}) {
  Section section;
  section.Chords = chords;
  section.Melody = melody;
  section.Resting = std::move(resting);
  return section;
}

Section Ending(const std::string& chords, const std::string& melody) {
  Section section = Part(chords, melody);
  section.Final = true;
  return section;
}

// Each tune's Level is set by measure: the three are about equally loud (within
// 0.3 LU, rendered with the General MIDI soundfont) and peak below -7.5 dBFS, which leaves room
// for an effect on top of them (Effects.cpp).

// C major, 4/4: a bright vibraphone tune over electric piano broken chords and a light groove.
Tune CrystalGrid() {
  Tune t;
  t.Title = "Crystal Grid";
  t.BeatsPerMinute = 116;
  t.BeatsPerBar = 4;
  t.Voices = {
      Lead("Vibraphone", 0, kVibraphone, {96, 70, 60, 90}),
      Backing("Strings", Role::Pad, 1, kStrings, {62, 40, 70, 55}, 55, "C-------"),
      Backing("Electric Piano", Role::Arpeggio, 2, kElectricPiano, {72, 88, 50, 62}, 60,
              "01232123"),
      Backing("Bass", Role::Bass, 3, kFingeredBass, {88, 64, 20, 88}, 40, "R--RF---"),
  };
  t.Drums = {
      Beat(kKick, "x...x...", 72),       Beat(kSideStick, "..x...x.", 52),
      Beat(kClosedHat, "xoxoxoxo", 46),  Beat(kCrash, "x.......", 64, true),
      Beat(kKick, "x.......", 72, true),
  };
  t.DrumVolume = 72;
  t.Level = 95;
  const char* chordsA = "C | Am | F | G | C | Am | Dm G | C";
  const char* melodyA =
      "E5/2 G5/2 C6/3 B5/1 | A5/4 E5/2 C5/2 | F5/2 A5/2 C6/2 A5/2 | G5/6 r/2 |"
      "E5/2 G5/2 C6/3 D6/1 | E6/4 C6/2 A5/2 | F5/2 A5/2 G5/2 B5/2 | C6/6 r/2";
  const char* chordsB = "F | G | Em | Am | F | G | Dm | G";
  const char* melodyB =
      "A5/3 G5/1 F5/2 A5/2 | B5/3 A5/1 G5/2 D5/2 | E5/2 G5/2 B5/2 G5/2 | C6/4 B5/2 A5/2 |"
      "A5/3 C6/1 A5/2 F5/2 | G5/3 B5/1 D6/2 B5/2 | A5/2 F5/2 D5/2 F5/2 | G5/4 F5/2 D5/2";
  t.Form = {
      Part(chordsA, melodyA, {"Drums", "Strings"}),
      Part(chordsB, melodyB),
      Part(chordsA, melodyA),
      Ending("C", "E5/2 G5/2 C6/4"),
  };
  return t;
}

// F major, 3/4: a flute waltz with a piano "oom-pah-pah"; strings join the second time round.
Tune LinkWaltz() {
  Tune t;
  t.Title = "Link Waltz";
  t.BeatsPerMinute = 144;
  t.BeatsPerBar = 3;
  t.Level = 89;
  t.Voices = {
      Lead("Flute", 0, kFlute, {98, 64, 60, 88}),
      Backing("Piano", Role::Pad, 1, kPiano, {82, 80, 40, 52}, 60, "..C.C."),
      Backing("Strings", Role::Pad, 2, kStrings, {66, 44, 70, 50}, 53, "C-----"),
      Backing("Bass", Role::Bass, 3, kAcousticBass, {94, 64, 20, 84}, 41, "R-...."),
  };
  const char* chordsA = "F | Dm | Gm | C7 | F | Dm | Gm:4 C7:2 | F";
  const char* melodyA =
      "C5/2 F5/2 A5/2 | A5/4 G5/2 | G5/2 Bb5/2 D6/2 | C6/4 Bb5/2 |"
      "A5/2 C6/2 F6/2 | F6/3 E6/1 D6/2 | D6/2 C6/1 Bb5/1 G5/2 | F5/6";
  const char* chordsB = "Bb | F | C7 | F | Bb | F | G7:4 C7:2 | F";
  const char* melodyB =
      "D6/3 C6/1 Bb5/2 | A5/2 C6/2 F5/2 | G5/2 Bb5/2 E5/2 | F5/4 A5/2 |"
      "Bb5/2 D6/2 F6/2 | F6/2 E6/2 C6/2 | D6/2 B5/2 Bb5/2 | A5/6";
  t.Form = {
      Part(chordsA, melodyA, {"Strings"}),
      Part(chordsB, melodyB, {"Strings"}),
      Part(chordsA, melodyA),
      Part(chordsB, melodyB),
      Ending("C7 | F", "G5/2 Bb5/2 C6/2 | F5/6"),
  };
  return t;
}

// A minor, 4/4, slow: a pan flute over nylon guitar broken chords and a warm pad.
Tune NightNodes() {
  Tune t;
  t.Title = "Night Nodes";
  t.BeatsPerMinute = 84;
  t.BeatsPerBar = 4;
  t.Voices = {
      Lead("Pan Flute", 0, kPanFlute, {100, 64, 70, 86}),
      Backing("Guitar", Role::Arpeggio, 1, kNylonGuitar, {96, 46, 50, 64}, 52, "01232123"),
      Backing("Pad", Role::Pad, 2, kWarmPad, {70, 82, 70, 50}, 57, "C-------"),
      Backing("Bass", Role::Bass, 3, kFretlessBass, {98, 64, 30, 80}, 33, "R---F---"),
  };
  t.Drums = {
      Beat(kKick, "x.......", 54),
      Beat(kShaker, "oxoxoxox", 36),
  };
  t.DrumVolume = 80;
  t.Level = 87;
  t.Form = {
      Part("Am | F | C | G | Am | F | Dm | E",
           "E5/3 A5/1 C6/2 B5/2 | A5/3 G5/1 F5/4 | E5/2 G5/2 C6/4 | B5/3 A5/1 G5/2 D5/2 |"
           "E5/3 A5/1 C6/2 E6/2 | F6/3 E6/1 C6/2 A5/2 | D6/2 C6/2 A5/2 F5/2 | B5/2 G#5/2 E5/4",
           {"Drums", "Pad"}),
      Part("F | G | C | Am | Dm | E | Am | E",
           "C6/4 A5/2 C6/2 | D6/4 B5/2 G5/2 | E6/3 D6/1 C6/2 G5/2 | A5/6 r/2 |"
           "F5/2 A5/2 D6/2 C6/2 | B5/3 A5/1 G#5/4 | A5/2 C6/2 E6/2 D6/2 | B5/6 r/2"),
      Ending("Am", "A5/8"),
  };
  return t;
}

}  // namespace

std::vector<Tune> MakeTunes() {
  return {CrystalGrid(), LinkWaltz(), NightNodes()};
}

}  // namespace vextal::tools
