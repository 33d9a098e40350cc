#include "net/GameAnnouncement.h"

#include <arpa/inet.h>
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

namespace {

bool IsIPv4(const QByteArray& text, in_addr& address) {
  return inet_pton(AF_INET, text.constData(), &address) == 1;
}

// The address without its "%interface" scope, which the system's parser does not take.
QByteArray WithoutScope(const QString& address) {
  return address.section(QLatin1Char('%'), 0, 0).toLatin1();
}

}  // namespace

bool IsLinkLocalAddress(const QString& address) {
  const QByteArray text = WithoutScope(address);
  in_addr ipv4{};
  if (IsIPv4(text, ipv4)) {
    return (ntohl(ipv4.s_addr) >> 16) == 0xA9FE;  // 169.254.x.x
  }
  in6_addr ipv6{};
  if (inet_pton(AF_INET6, text.constData(), &ipv6) != 1) {
    return false;
  }
  if (IN6_IS_ADDR_V4MAPPED(&ipv6)) {
    return ipv6.s6_addr[12] == 169 && ipv6.s6_addr[13] == 254;  // ::ffff:169.254.x.x
  }
  return ipv6.s6_addr[0] == 0xFE && (ipv6.s6_addr[1] & 0xC0) == 0x80;
}

int AddressPreference(const QString& address) {
  in_addr ipv4{};
  if (IsIPv4(WithoutScope(address), ipv4)) {
    return 0;
  }
  return IsLinkLocalAddress(address) ? 2 : 1;
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
