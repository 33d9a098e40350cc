#include "shell/MusicFileCheck.h"

#include <cstdint>
#include <optional>

namespace vextal {
namespace {

// A bounds-checked cursor over the file's bytes; every read fails cleanly at the end.
class Reader {
 public:
  Reader(const QByteArray& bytes, qsizetype begin, qsizetype end)
      : bytes_(bytes), pos_(begin), end_(end) {}

  bool AtEnd() const { return pos_ >= end_; }
  qsizetype Pos() const { return pos_; }
  qsizetype Left() const { return end_ - pos_; }

  std::optional<std::uint8_t> Byte() {
    if (pos_ >= end_) {
      return std::nullopt;
    }
    return static_cast<std::uint8_t>(bytes_[pos_++]);
  }
  std::optional<std::uint32_t> BigEndian(int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
      const auto byte = Byte();
      if (!byte) {
        return std::nullopt;
      }
      value = (value << 8) | *byte;
    }
    return value;
  }
  // A variable-length quantity: at most four bytes of seven bits.
  std::optional<std::uint32_t> VariableLength() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const auto byte = Byte();
      if (!byte) {
        return std::nullopt;
      }
      value = (value << 7) | (*byte & 0x7Fu);
      if ((*byte & 0x80u) == 0) {
        return value;
      }
    }
    return std::nullopt;
  }
  bool Skip(std::uint32_t count) {
    if (count > static_cast<std::uint64_t>(Left())) {
      return false;
    }
    pos_ += count;
    return true;
  }
  bool Tag(const char* tag) {
    if (Left() < 4 || bytes_.mid(pos_, 4) != QByteArray(tag, 4)) {
      return false;
    }
    pos_ += 4;
    return true;
  }

 private:
  const QByteArray& bytes_;
  qsizetype pos_;
  qsizetype end_;
};

// Data bytes after a channel status: two for most messages, one for program and pressure.
int DataBytes(std::uint8_t status) {
  const std::uint8_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

// Walks one track event by event; false at the first event that breaks the format.
bool WalkTrack(Reader track) {
  std::uint8_t running = 0;  // last channel status, for running status
  while (!track.AtEnd()) {
    const auto delta = track.VariableLength();
    const auto first = track.Byte();
    if (!delta || !first) {
      return false;
    }
    std::uint8_t status = *first;
    int dataLeft = 0;
    if (status < 0x80) {  // running status: this byte is already the first data byte
      if (running == 0) {
        return false;
      }
      status = running;
      dataLeft = DataBytes(status) - 1;
    } else if (status < 0xF0) {
      running = status;
      dataLeft = DataBytes(status);
    } else if (status == 0xF0 || status == 0xF7) {
      const auto length = track.VariableLength();
      if (!length || !track.Skip(*length)) {
        return false;
      }
      running = 0;
      continue;
    } else if (status == 0xFF) {
      const auto type = track.Byte();
      const auto length = track.VariableLength();
      if (!type || !length || !track.Skip(*length)) {
        return false;
      }
      if (*type == 0x2F) {
        return true;  // end of track; anything after it is ignored
      }
      running = 0;
      continue;
    } else {
      return false;  // system common and real-time messages do not belong in a file
    }
    for (int i = 0; i < dataLeft; ++i) {
      const auto data = track.Byte();
      if (!data || *data >= 0x80) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

MidiFileInfo InspectMidiFile(const QByteArray& bytes) {
  MidiFileInfo info;
  Reader file(bytes, 0, bytes.size());
  const bool headerTag = file.Tag("MThd");
  const auto headerLength = file.BigEndian(4);
  const auto format = file.BigEndian(2);
  const auto trackCount = file.BigEndian(2);
  const auto division = file.BigEndian(2);
  if (!headerTag || !headerLength || !format || !trackCount || !division || *headerLength < 6 ||
      *format > 2 || *trackCount == 0 || *division == 0 || !file.Skip(*headerLength - 6)) {
    return info;
  }
  const auto ticksPerUnit = static_cast<std::uint16_t>(*division);
  if ((ticksPerUnit & 0x8000) && (ticksPerUnit & 0xFF) == 0) {
    return info;
  }

  for (std::uint32_t walked = 0; walked < *trackCount;) {
    if (file.AtEnd()) {
      return info;  // fewer tracks than the header declares
    }
    const bool isTrack = file.Tag("MTrk");
    if (!isTrack && !file.Skip(4)) {
      return info;
    }
    const auto length = file.BigEndian(4);
    if (!length || *length > static_cast<std::uint64_t>(file.Left())) {
      return info;
    }
    if (isTrack) {
      if (!WalkTrack(Reader(bytes, file.Pos(), file.Pos() + *length))) {
        return info;
      }
      ++walked;
    }
    file.Skip(*length);  // chunks of unknown kind are skipped, as the format asks
  }
  info.Valid = true;
  return info;
}

}  // namespace vextal
