#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QtGlobal>

namespace vextal {

// What a hosting copy of the program tells the local network about its game (DNS-SD), and how
// a browsing copy reads it back. Everything read here came from the network: it is bounded and
// checked, and a value that does not fit is left out rather than guessed.
inline constexpr char kServiceType[] = "_vextal._tcp";
// The revision of the peer protocol this copy speaks, so that a later incompatible one can be
// told apart in the list before connecting.
inline constexpr int kProtocolRevision = 1;
// A DNS-SD service name is one DNS label: at most 63 bytes of UTF-8.
inline constexpr int kMaxServiceNameBytes = 63;

// One game found on the network, as the list of games shows it and joining needs it.
struct FoundGame {
  QString name;     // the service name, unique on the network
  QString address;  // an IPv4 or IPv6 address, a link-local one with its interface ("%eth0")
  quint16 port = 0;
  int stage = 0;     // 1 to 7; 0 when it was not announced or not understood
  int protocol = 0;  // 0 when it was not announced or not understood

  friend bool operator==(const FoundGame&, const FoundGame&) = default;
};

// "Vextal on <host name>", cut to what one DNS label holds without splitting a character.
QByteArray ServiceNameFor(const QString& hostName);

// The text record of a hosted game: "stage=<n>" and "protocol=<revision>".
QList<QByteArray> TxtRecordFor(int stage);

// Reads stage and protocol from a received text record into game; unknown or malformed entries
// are ignored.
void ReadTxtRecord(const QList<QByteArray>& entries, FoundGame& game);

// Which of several addresses of one game to connect to: lower is better. IPv4 first, then a
// routable IPv6 address, then a link-local one, which needs its interface.
int AddressPreference(const QString& address);

// Whether an address (IPv4 or IPv6 text, an IPv6 one perhaps with "%interface") is link-local:
// 169.254.0.0/16 (also as ::ffff:169.254.x.x) or fe80::/10.
bool IsLinkLocalAddress(const QString& address);

// A service name received from the network as text for the list, bounded to one DNS label.
QString ReceivedServiceName(const char* name);

// A received name as a person may be shown it beside the program's own text: control and
// direction-changing characters (line breaks, bidi overrides, embeddings, isolates, marks) taken
// out, and the rest wrapped in a bidi isolate, so it can neither break the line nor reorder the
// text around it. The name itself, which identifies the service, stays as it was received.
QString ShownServiceName(const QString& name);

}  // namespace vextal

Q_DECLARE_METATYPE(vextal::FoundGame)
