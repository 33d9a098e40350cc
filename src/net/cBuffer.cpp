#include "net/cBuffer.h"

#include <bit>
#include <cstring>
#include <type_traits>

#include <QtEndian>

namespace vextal {

QByteArray TextToBytes(const QString& text) {
  QByteArray bytes(text.size(), Qt::Uninitialized);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t unit = text.at(i).unicode();
    bytes[i] = unit <= 0xFF ? char(unit) : '?';
  }
  return bytes;
}

QString BytesToText(QByteArrayView bytes) {
  return QString::fromLatin1(bytes);
}

namespace {

// The unsigned integer of the same width, so floating-point values travel as their bit pattern.
template <typename T>
using Bits =
    std::conditional_t<sizeof(T) == 1, quint8,
                       std::conditional_t<sizeof(T) == 2, quint16,
                                          std::conditional_t<sizeof(T) == 4, quint32, quint64>>>;

}  // namespace

template <typename T>
bool cBuffer::AppendLittleEndian(T value) {
  if (!CanAppend(sizeof(T))) {
    return false;
  }
  const Bits<T> little = qToLittleEndian(std::bit_cast<Bits<T>>(value));
  data_.append(reinterpret_cast<const char*>(&little), sizeof(T));
  return true;
}

template <typename T>
bool cBuffer::TakeLittleEndian(T& value) {
  if (!Remains(sizeof(T))) {
    return false;
  }
  Bits<T> little;
  std::memcpy(&little, data_.constData() + readPos_, sizeof(T));
  value = std::bit_cast<T>(qFromLittleEndian(little));
  readPos_ += qint32(sizeof(T));
  return true;
}

bool cBuffer::SetString(const QByteArray& iData) {
  if (iData.size() > kMaxLength) {
    return false;
  }
  data_ = iData;
  return true;
}

bool cBuffer::WriteArray(const QByteArray& iArray) {
  if (iArray.isEmpty() || !CanAppend(4 + qint64(iArray.size()))) {
    return false;
  }
  AppendLittleEndian(qint32(iArray.size()));
  data_.append(iArray);
  return true;
}

void cBuffer::Reset() {
  data_.clear();
  readPos_ = 0;
}

bool cBuffer::WriteByte(quint8 iByte) {
  return AppendLittleEndian(iByte);
}

bool cBuffer::WriteBool(Bool16 iBool) {
  return AppendLittleEndian(quint8(iBool != 0 ? 1 : 0));
}

bool cBuffer::WriteStringU(const QString& iString) {
  const qint64 byteCount = 2 * qint64(iString.size());
  if (!CanAppend(4 + byteCount)) {
    return false;
  }
  AppendLittleEndian(qint32(byteCount));
  for (const QChar c : iString) {
    AppendLittleEndian(quint16(c.unicode()));
  }
  return true;
}

bool cBuffer::WriteString(const QString& iString) {
  if (!CanAppend(4 + qint64(iString.size()))) {
    return false;
  }
  AppendLittleEndian(qint32(iString.size()));
  data_.append(TextToBytes(iString));
  return true;
}

bool cBuffer::WriteLong(qint32 iLong) {
  return AppendLittleEndian(iLong);
}

bool cBuffer::WriteDate(double iDate) {
  return AppendLittleEndian(iDate);
}

bool cBuffer::WriteInteger(qint16 iInteger) {
  return AppendLittleEndian(iInteger);
}

bool cBuffer::WriteSingle(float iSingle) {
  return AppendLittleEndian(iSingle);
}

bool cBuffer::ReadByte(quint8& iByte) {
  return TakeLittleEndian(iByte);
}

bool cBuffer::ReadBool(Bool16& iBool) {
  quint8 byte = 0;
  if (!TakeLittleEndian(byte)) {
    return false;
  }
  iBool = byte != 0 ? kTrue16 : kFalse16;
  return true;
}

bool cBuffer::ReadLong(qint32& iLong) {
  return TakeLittleEndian(iLong);
}

bool cBuffer::ReadDate(double& iDate) {
  return TakeLittleEndian(iDate);
}

bool cBuffer::ReadInteger(qint16& iInteger) {
  return TakeLittleEndian(iInteger);
}

bool cBuffer::ReadSingle(float& iSingle) {
  return TakeLittleEndian(iSingle);
}

bool cBuffer::TakeCountedText(QByteArray& payload, bool& inRange) {
  qint32 count = 0;
  if (!TakeLittleEndian(count)) {
    return false;
  }
  inRange = count >= 1 && count <= kMaxStringCount;
  if (!inRange) {
    return true;
  }
  if (!Remains(count)) {
    return false;
  }
  payload = data_.sliced(readPos_, count);
  readPos_ += count;
  return true;
}

bool cBuffer::ReadString(QString& iString) {
  QByteArray payload;
  bool inRange = false;
  if (!TakeCountedText(payload, inRange)) {
    return false;
  }
  if (inRange) {
    iString = BytesToText(payload);
  }
  return true;
}

bool cBuffer::ReadStringU(QString& iString) {
  QByteArray payload;
  bool inRange = false;
  if (!TakeCountedText(payload, inRange)) {
    return false;
  }
  if (inRange) {
    QString text(payload.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
      text[i] = QChar(qFromLittleEndian<quint16>(payload.constData() + 2 * i));
    }
    iString = text;
  }
  return true;
}

bool cBuffer::ReadArray(QByteArray& iArray) {
  qint32 count = 0;
  if (!TakeLittleEndian(count)) {
    return false;
  }
  // The count is checked against the bytes present before anything is allocated for it.
  if (count < 1 || !Remains(count)) {
    return false;
  }
  iArray = data_.sliced(readPos_, count);
  readPos_ += count;
  return true;
}

}  // namespace vextal
