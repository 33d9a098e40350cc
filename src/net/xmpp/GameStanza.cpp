#include "net/xmpp/GameStanza.h"

#include <QByteArray>

#include "net/Framing.h"

namespace vextal::game_stanza {

std::optional<XmlElement> MessageElement(const Message& message, const QString& sessionId) {
  const std::optional<QByteArray> framed = EncodeMessage(message);
  if (!framed || framed->size() > kMaxFramedBytes) {
    return std::nullopt;
  }
  XmlElement element = SessionElement(QStringLiteral("msg"), sessionId);
  element.Text = QString::fromLatin1(framed->toBase64());
  return element;
}

std::optional<Message> ReadMessage(const XmlElement& element, Refusal& refusal) {
  refusal = Refusal::None;
  if (element.Text.size() > kMaxBase64Chars) {
    refusal = Refusal::TooLarge;
    return std::nullopt;
  }
  QByteArray text;
  text.reserve(element.Text.size());
  for (const QChar c : element.Text) {
    if (c.unicode() > 0x7f) {
      refusal = Refusal::BadBase64;
      return std::nullopt;
    }
    text.append(char(c.unicode()));
  }
  const auto decoded =
      QByteArray::fromBase64Encoding(text, QByteArray::AbortOnBase64DecodingErrors);
  if (!decoded || decoded.decoded.isEmpty()) {
    refusal = Refusal::BadBase64;
    return std::nullopt;
  }
  FrameDecoder decoder(kMaxFramedBytes);
  FrameDecoder::Result result = decoder.Feed(decoded.decoded);
  // Exactly one message, nothing left over and nothing unfinished.
  if (result.Failed()) {
    refusal = result.Error == FrameError::TooLarge ? Refusal::TooLarge : Refusal::BadFrame;
    return std::nullopt;
  }
  if (result.Messages.size() != 1 || decoder.ItemCount() != -1) {
    refusal = Refusal::BadFrame;
    return std::nullopt;
  }
  return std::move(result.Messages.first());
}

XmlElement SessionElement(const QString& name, const QString& sessionId) {
  XmlElement element(name, kNamespace);
  element.Set(QStringLiteral("sid"), sessionId);
  return element;
}

const XmlElement* GameChild(const XmlElement& iq) {
  for (const XmlElement& child : iq.Children) {
    if (child.Namespace == kNamespace) {
      return &child;
    }
  }
  return nullptr;
}

bool IsDelayed(const XmlElement& stanza) {
  if (stanza.Child(QStringLiteral("delay"), kDelayNamespace) != nullptr) {
    return true;
  }
  const XmlElement* game = GameChild(stanza);
  return game != nullptr && game->Child(QStringLiteral("delay"), kDelayNamespace) != nullptr;
}

XmlElement IqSet(const QString& to, XmlElement child) {
  XmlElement iq(QStringLiteral("iq"));
  iq.Set(QStringLiteral("type"), QStringLiteral("set")).Set(QStringLiteral("to"), to);
  iq.Add(std::move(child));
  return iq;
}

bool IsSessionId(const QString& sessionId) {
  if (sessionId.size() < 16 || sessionId.size() > 64) {
    return false;
  }
  for (const QChar c : sessionId) {
    const char16_t u = c.unicode();
    const bool ok = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                    u == '-' || u == '_';
    if (!ok) {
      return false;
    }
  }
  return true;
}

}  // namespace vextal::game_stanza
