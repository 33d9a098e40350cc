#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vextal::tools {

// One track of a Standard MIDI File, collected as events at absolute ticks and encoded with
// delta times once complete.
class MidiTrack {
 public:
  void Name(const std::string& name);
  void Tempo(std::uint32_t tick, double beatsPerMinute);
  void TimeSignature(std::uint32_t tick, int beatsPerBar);
  void Program(std::uint32_t tick, int channel, int program);
  void Controller(std::uint32_t tick, int channel, int controller, int value);
  // A note from tick to tick + length; the off event sorts before any on event at the same tick,
  // so a note struck again right after it ends is never cut short.
  void Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity);

  std::uint32_t LastTick() const { return mLastTick; }
  // The track chunk ("MTrk", length, events, end-of-track at endTick or the last event).
  std::vector<std::uint8_t> Encode(std::uint32_t endTick) const;

 private:
  struct Event {
    std::uint32_t Tick;
    int Order;  // among events at one tick: 0 note-off, 1 meta/controller/program, 2 note-on
    std::vector<std::uint8_t> Bytes;
  };
  void Add(std::uint32_t tick, int order, std::vector<std::uint8_t> bytes);

  std::vector<Event> mEvents;
  std::uint32_t mLastTick = 0;
};

// A format-1 file: the header chunk followed by every track; all tracks end at endTick.
std::vector<std::uint8_t> EncodeMidiFile(const std::vector<MidiTrack>& tracks, int ticksPerQuarter,
                                         std::uint32_t endTick);

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace vextal::tools
