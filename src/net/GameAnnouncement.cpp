#include "net/GameAnnouncement.h"

#include <QHostAddress>
#include <cstring>

namespace vextal {

namespace {

// The value of "key=<decimal>" in [low, high], or 0.
int TxtNumber(const QByteArray& entry, const QByteArray& key, int low, int high) {
  if (!entry.startsWith(key + '=')) {
    return 0;
  }
  bool ok = false;
  const int value = entry.mid(key.size() + 1).toInt(&ok);
  return ok && value >= low && value <= high ? value : 0;
}

// At most maxBytes of UTF-8, never ending inside a character.
QByteArray CutUtf8(QByteArray bytes, int maxBytes) {
  if (bytes.size() <= maxBytes) {
    return bytes;
  }
  int end = maxBytes;
  // Step back over continuation bytes (10xxxxxx) to the start of the character that was cut.
  while (end > 0 && (quint8(bytes[end]) & 0xC0) == 0x80) {
    --end;
  }
  bytes.truncate(end);
  return bytes;
}

// Characters that steer the direction of the text around them rather than show anything.
bool SteersDirection(char32_t c) {
  return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

QByteArray ServiceNameFor(const QString& hostName) {
  return CutUtf8(QStringLiteral("Vextal on %1").arg(hostName).toUtf8(), kMaxServiceNameBytes);
}

QList<QByteArray> TxtRecordFor(int stage) {
  return {"stage=" + QByteArray::number(stage),
          "protocol=" + QByteArray::number(kProtocolRevision)};
}

void ReadTxtRecord(const QList<QByteArray>& entries, FoundGame& game) {
  for (const QByteArray& entry : entries) {
    if (const int stage = TxtNumber(entry, "stage", 1, 7)) {
      game.stage = stage;
    } else if (const int protocol = TxtNumber(entry, "protocol", 1, 1'000'000)) {
      game.protocol = protocol;
    }
  }
}

int AddressPreference(const QString& address) {
  const QHostAddress host(address);
  if (host.protocol() == QAbstractSocket::IPv4Protocol) {
    return 0;
  }
  return host.isLinkLocal() ? 2 : 1;
}

QString ReceivedServiceName(const char* name) {
  return QString::fromUtf8(
      CutUtf8(QByteArray(name, int(strnlen(name, 256))), kMaxServiceNameBytes));
}

QString ShownServiceName(const QString& name) {
  QString shown;
  shown.reserve(name.size() + 2);
  shown += QChar(0x2068);  // first strong isolate
  for (const char32_t c : name.toUcs4()) {
    const QChar::Category category = QChar::category(c);
    if (category == QChar::Other_Control || category == QChar::Separator_Line ||
        category == QChar::Separator_Paragraph || SteersDirection(c)) {
      continue;
    }
    shown += QString::fromUcs4(&c, 1);
  }
  shown += QChar(0x2069);  // pop directional isolate
  return shown;
}

}  // namespace vextal
