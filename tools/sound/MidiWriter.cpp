#include "MidiWriter.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace vextal::tools {
namespace {

std::uint8_t Byte(int value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}

void PutVariableLength(std::vector<std::uint8_t>& out, std::uint32_t value) {
  // Seven bits per byte, most significant group first, continuation bit on all but the last.
  std::uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) {
    out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
  }
  out.push_back(groups[0]);
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
  }
}

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

}  // namespace

void MidiTrack::Add(std::uint32_t tick, int order, std::vector<std::uint8_t> bytes) {
  mEvents.push_back({tick, order, std::move(bytes)});
  mLastTick = std::max(mLastTick, tick);
}

void MidiTrack::Name(const std::string& name) {
  std::vector<std::uint8_t> bytes{0xFF, 0x03};
  PutVariableLength(bytes, static_cast<std::uint32_t>(name.size()));
  bytes.insert(bytes.end(), name.begin(), name.end());
  Add(0, 1, std::move(bytes));
}

void MidiTrack::Tempo(std::uint32_t tick, double beatsPerMinute) {
  const auto micros = static_cast<std::uint32_t>(std::lround(60'000'000.0 / beatsPerMinute));
  Add(tick, 1, {0xFF, 0x51, 0x03, Byte(micros >> 16), Byte(micros >> 8), Byte(micros)});
}

void MidiTrack::TimeSignature(std::uint32_t tick, int beatsPerBar) {
  // Quarter-note beats; 24 MIDI clocks per metronome click, 8 32nd notes per quarter.
  Add(tick, 1, {0xFF, 0x58, 0x04, Byte(beatsPerBar), 0x02, 0x18, 0x08});
}

void MidiTrack::Program(std::uint32_t tick, int channel, int program) {
  Add(tick, 1, {Byte(0xC0 | channel), Byte(program & 0x7F)});
}

void MidiTrack::Controller(std::uint32_t tick, int channel, int controller, int value) {
  Add(tick, 1, {Byte(0xB0 | channel), Byte(controller & 0x7F), Byte(value & 0x7F)});
}

void MidiTrack::Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity) {
  Add(tick, 2, {Byte(0x90 | channel), Byte(key & 0x7F), Byte(std::clamp(velocity, 1, 127))});
  Add(tick + length, 0, {Byte(0x80 | channel), Byte(key & 0x7F), 0x40});
}

std::vector<std::uint8_t> MidiTrack::Encode(std::uint32_t endTick) const {
  std::vector<Event> events = mEvents;
  std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
    return a.Tick != b.Tick ? a.Tick < b.Tick : a.Order < b.Order;
  });
  std::vector<std::uint8_t> body;
  std::uint32_t now = 0;
  for (const Event& event : events) {
    PutVariableLength(body, event.Tick - now);
    body.insert(body.end(), event.Bytes.begin(), event.Bytes.end());
    now = event.Tick;
  }
  PutVariableLength(body, std::max(endTick, now) - now);
  body.insert(body.end(), {0xFF, 0x2F, 0x00});

  std::vector<std::uint8_t> chunk{'M', 'T', 'r', 'k'};
  PutU32(chunk, static_cast<std::uint32_t>(body.size()));
  chunk.insert(chunk.end(), body.begin(), body.end());
  return chunk;
}

std::vector<std::uint8_t> EncodeMidiFile(const std::vector<MidiTrack>& tracks, int ticksPerQuarter,
                                         std::uint32_t endTick) {
  std::vector<std::uint8_t> out{'M', 'T', 'h', 'd'};
  PutU32(out, 6);
  PutU16(out, 1);  // format 1: a tempo track and one track per voice, played together
  PutU16(out, static_cast<std::uint16_t>(tracks.size()));
  PutU16(out, static_cast<std::uint16_t>(ticksPerQuarter));
  for (const MidiTrack& track : tracks) {
    const auto chunk = track.Encode(endTick);
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace vextal::tools
