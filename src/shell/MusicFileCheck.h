#pragma once

#include <QByteArray>

namespace vextal {

// What a walk through a Standard MIDI File found.
struct MidiFileInfo {
  bool Valid = false;
};

// The MIDI synthesiser accepts almost any bytes as a tune and then plays silence, so a tune is
// checked here first: the header chunk, then every declared track event by event (delta times,
// running status, channel messages, sysex and meta events), all inside the file's bounds.
MidiFileInfo InspectMidiFile(const QByteArray& bytes);

}  // namespace vextal
