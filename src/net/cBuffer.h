#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include "game/Node.h"

namespace vextal {

// The 8-bit character set of every text that crosses the network: Latin-1, one byte per UTF-16
// code unit. Code units above 0xFF (including each half of a surrogate pair) become '?', so the
// byte count always equals the character count.
QByteArray TextToBytes(const QString& text);
// The inverse for every byte value: byte k becomes the character with code k.
QString BytesToText(QByteArrayView bytes);

// A growable byte buffer with an append side and a read cursor: the one definition of how each
// value type is laid out in bytes. Numbers are little-endian; counted values (strings, arrays)
// carry a 32-bit count in front. Nothing tags the types: the reader must know the sequence.
//
// Reads report failure through their result and never move the cursor past the step that
// failed: a fixed-size value that does not fit consumes nothing; for a counted value the count
// stays consumed. Writes append the whole value or nothing.
class cBuffer {
 public:
  // Largest content the 32-bit counters can describe.
  static constexpr qint64 kMaxLength = 0x7FFFFFFF;
  // Largest count ReadString (characters) and ReadStringU (bytes) accept as a text.
  static constexpr qint32 kMaxStringCount = 65536;

  cBuffer() = default;

  const QByteArray& Data() const { return data_; }
  qint32 DataLen() const { return qint32(data_.size()); }
  qint32 ReadPos() const { return readPos_; }

  // The whole content, byte for byte.
  QByteArray GetString() const { return data_; }
  // Replaces the content by iData; the cursor stays where it was. Fails (content unchanged)
  // when iData is longer than the counters allow.
  bool SetString(const QByteArray& iData);
  // Appends an array: its element count, then the elements. An empty array appends nothing
  // and fails.
  bool WriteArray(const QByteArray& iArray);
  // Empties the content and rewinds the cursor.
  void Reset();

  bool WriteByte(quint8 iByte);
  // One byte: 1 for any non-zero value, 0 for zero.
  bool WriteBool(Bool16 iBool);
  // The count of bytes (two per UTF-16 code unit), then the UTF-16 little-endian code units.
  bool WriteStringU(const QString& iString);
  // The count of characters, then one Latin-1 byte per character.
  bool WriteString(const QString& iString);
  bool WriteLong(qint32 iLong);
  // Days since 1899-12-30 00:00, the time of day as the fraction.
  bool WriteDate(double iDate);
  bool WriteInteger(qint16 iInteger);
  bool WriteSingle(float iSingle);

  [[nodiscard]] bool ReadByte(quint8& iByte);
  // kTrue16 (-1) for any non-zero byte, kFalse16 for zero.
  [[nodiscard]] bool ReadBool(Bool16& iBool);
  [[nodiscard]] bool ReadLong(qint32& iLong);
  [[nodiscard]] bool ReadDate(double& iDate);
  [[nodiscard]] bool ReadInteger(qint16& iInteger);
  [[nodiscard]] bool ReadSingle(float& iSingle);
  // A count outside 1..kMaxStringCount is no failure: only the count is consumed and iString
  // keeps its value. A count inside that range with fewer bytes left fails.
  [[nodiscard]] bool ReadString(QString& iString);
  // As ReadString, the count being in bytes. An odd count consumes all its bytes; the last
  // byte, half a code unit, is dropped.
  [[nodiscard]] bool ReadStringU(QString& iString);
  // A count below 1, or more elements than bytes left, fails with the count consumed and
  // iArray unchanged.
  [[nodiscard]] bool ReadArray(QByteArray& iArray);

 private:
  bool CanAppend(qint64 size) const { return qint64(data_.size()) + size <= kMaxLength; }
  bool Remains(qint64 size) const { return qint64(readPos_) + size <= qint64(data_.size()); }
  // Appends the raw bytes of a fixed-size value in little-endian order.
  template <typename T>
  bool AppendLittleEndian(T value);
  template <typename T>
  bool TakeLittleEndian(T& value);
  // The payload of a ReadString/ReadStringU: false when it does not fit; true with `inRange`
  // false when the count lies outside 1..kMaxStringCount (only the count consumed).
  bool TakeCountedText(QByteArray& payload, bool& inRange);

  QByteArray data_;
  qint32 readPos_ = 0;
};

}  // namespace vextal
