#pragma once

#include <optional>

#include <QString>

#include "net/Message.h"
#include "net/xmpp/XmlElement.h"

namespace vextal {

// How the peer messages travel between two game clients over XMPP (docs/XMPP.md): each one,
// framed as on the TCP stream, goes base64 in an element of the game's namespace inside an IQ
// request to the peer's full address, tagged with the game's session id.
namespace game_stanza {

inline const QString kNamespace = QStringLiteral("urn:x-vextal:game:1");
inline const QString kDelayNamespace = QStringLiteral("urn:xmpp:delay");
// The revision of this mapping, announced in the game client's presence.
inline constexpr int kProtocol = 1;

// Most bytes of one framed message over XMPP: its base64 text stays near 64 KiB, far below the
// stanza limits of servers (256 KiB ends the sender's connection on common servers). A board of
// up to 5,400 nodes fits; a larger one is refused on both sides.
inline constexpr qsizetype kMaxFramedBytes = 48 * 1024;
inline constexpr qsizetype kMaxBase64Chars = (kMaxFramedBytes + 2) / 3 * 4;

enum class Refusal {
  None,
  BadBase64,  // not strict base64
  TooLarge,   // past kMaxFramedBytes
  BadFrame,   // not exactly one whole framed message
};

// <msg xmlns=kNamespace sid=sessionId>base64</msg>, or nothing when the message is empty or
// too large to go.
std::optional<XmlElement> MessageElement(const Message& message, const QString& sessionId);
// The message inside a <msg> element; refusal says why there is none.
std::optional<Message> ReadMessage(const XmlElement& element, Refusal& refusal);

// An element of the game's namespace (msg, invite, accept, decline, end) carrying sessionId.
XmlElement SessionElement(const QString& name, const QString& sessionId);
// The game element inside an IQ request, or null when it has none.
const XmlElement* GameChild(const XmlElement& iq);
// Whether the stanza or its game element carries a delay mark (stored and delivered late).
bool IsDelayed(const XmlElement& stanza);
// An IQ request of type set to `to` around child.
XmlElement IqSet(const QString& to, XmlElement child);

// Whether a session id is well formed: 16 to 64 letters, digits, '-' or '_'.
bool IsSessionId(const QString& sessionId);

}  // namespace game_stanza
}  // namespace vextal
