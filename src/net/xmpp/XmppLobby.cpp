#include "net/xmpp/XmppLobby.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include <QElapsedTimer>
#include <QPointer>

#include "net/xmpp/GameStanza.h"

namespace vextal {
namespace {

const QString kMucNs = QStringLiteral("http://jabber.org/protocol/muc");
const QString kMucUserNs = QStringLiteral("http://jabber.org/protocol/muc#user");
const QString kMucOwnerNs = QStringLiteral("http://jabber.org/protocol/muc#owner");
const QString kDataNs = QStringLiteral("jabber:x:data");
const QString kItemsNs = QStringLiteral("http://jabber.org/protocol/disco#items");
const QString kInfoNs = QStringLiteral("http://jabber.org/protocol/disco#info");
// An address has at most 3 × 1023 bytes (RFC 7622); longer ones are nothing a server sent.
constexpr qsizetype kMaxAddressChars = 3071;
// How soon the list is shown again after a change: a burst of presences redraws it once.
constexpr int kChangedMs = 100;
constexpr int kMaxNickTries = 5;
// A room that someone is making at this moment turns newcomers away ("item-not-found") until
// its maker has configured it: asked again a few times before the entry counts as refused.
constexpr int kMaxLockedTries = 8;
constexpr int kLockedRetryMs = 750;
constexpr int kMaxStage = 7;
constexpr int kMaxProtocol = 1000;

bool IsResult(const XmlElement& reply) {
  return reply.Attribute(QStringLiteral("type")) == QLatin1String("result");
}

// A number attribute within [0, high], or -1 when it is there but not one; 0 when missing.
int NumberAttribute(const XmlElement& element, const QString& key, int high) {
  if (!element.HasAttribute(key)) {
    return 0;
  }
  bool ok = false;
  const QString text = element.Attribute(key);
  const int value = text.size() <= 4 ? text.toInt(&ok) : -1;
  return ok && value >= 0 && value <= high ? value : -1;
}

bool HasStatus(const XmlElement& presence, int code) {
  for (const XmlElement& x : presence.Children) {
    if (x.Name != QLatin1String("x") || x.Namespace != kMucUserNs) {
      continue;
    }
    for (const XmlElement& status : x.Children) {
      if (status.Name == QLatin1String("status") &&
          status.Attribute(QStringLiteral("code")) == QString::number(code)) {
        return true;
      }
    }
  }
  return false;
}

qint64 NowSeconds() {
  static QElapsedTimer clock = [] {
    QElapsedTimer started;
    started.start();
    return started;
  }();
  return clock.elapsed() / 1000;
}

}  // namespace

XmppLobby::XmppLobby(XmppClient& client, QObject* parent) : QObject(parent), client_(client) {
  handler_ = client_.AddHandler([this](const XmlElement& stanza) { return OnStanza(stanza); });
  changed_.setSingleShot(true);
  changed_.setInterval(kChangedMs);
  connect(&changed_, &QTimer::timeout, this, &XmppLobby::GamesChanged);
  connect(&client_, &XmppClient::LoggedIn, this, &XmppLobby::Update);
  connect(&client_, &XmppClient::LoggedOut, this, [this] {
    joinsPending_ = 0;  // their answers come as empty elements, after this
    Reset();
    problem_ = Problem::None;
    emit StateChanged();
  });
}

XmppLobby::~XmppLobby() {
  client_.RemoveHandler(handler_);
}

void XmppLobby::SetRoom(const QString& room) {
  namedRoom_ = room.trimmed().toLower();
}

void XmppLobby::SetNickname(const QString& nick) {
  wantedNick_ = nick.trimmed().left(kMaxNickChars);
}

void XmppLobby::SetBrowsing(bool browsing) {
  browsing_ = browsing;
  Update();
}

void XmppLobby::Announce(int stage) {
  announcing_ = true;
  stage_ = stage;
  if (state_ == State::Inside) {
    SendPresence();
  }
  Update();
}

void XmppLobby::Withdraw() {
  if (!announcing_) {
    return;
  }
  announcing_ = false;
  if (state_ == State::Inside && Wanted()) {
    SendPresence();
  }
  Update();
}

void XmppLobby::Update() {
  if (client_.CurrentState() != XmppClient::State::Online) {
    return;
  }
  if (!Wanted()) {
    if (state_ != State::Outside) {
      Leave();
    }
    return;
  }
  // A failed entry is tried again at the next request (browsing, announcing), not before.
  if (state_ == State::Outside || state_ == State::Failed) {
    Enter();
  }
}

void XmppLobby::Enter() {
  ++generation_;
  problem_ = Problem::None;
  nickTries_ = 0;
  lockedTries_ = 0;
  if (!namedRoom_.isEmpty()) {
    const qsizetype at = namedRoom_.indexOf(QLatin1Char('@'));
    if (at <= 0 || at == namedRoom_.size() - 1 || namedRoom_.contains(QLatin1Char('/')) ||
        namedRoom_.contains(QLatin1Char(' ')) || namedRoom_.size() > kMaxAddressChars) {
      Fail(Problem::BadRoom);
      return;
    }
    room_ = namedRoom_;
    state_ = State::Joining;
    SendPresence();
  } else if (!room_.isEmpty()) {
    state_ = State::Joining;  // the service found at this login
    SendPresence();
  } else {
    Discover();
  }
  emit StateChanged();
}

void XmppLobby::Discover() {
  state_ = State::Discovering;
  const QString domain = XmppClient::DomainOf(client_.AccountAddress());
  XmlElement iq(QStringLiteral("iq"));
  iq.Set(QStringLiteral("type"), QStringLiteral("get")).Set(QStringLiteral("to"), domain);
  iq.Add(XmlElement(QStringLiteral("query"), kItemsNs));
  QPointer<XmppLobby> self(this);
  const quint64 generation = generation_;
  client_.SendIq(iq, [self, generation](const XmlElement& reply) {
    if (!self || self->generation_ != generation || self->state_ != State::Discovering) {
      return;
    }
    QStringList services;
    const XmlElement* query = reply.Child(QStringLiteral("query"), kItemsNs);
    if (IsResult(reply) && query != nullptr) {
      for (const XmlElement& item : query->Children) {
        const QString jid = item.Attribute(QStringLiteral("jid")).toLower();
        if (item.Name == QLatin1String("item") && !jid.isEmpty() &&
            jid.size() <= kMaxAddressChars && !jid.contains(QLatin1Char('@')) &&
            !jid.contains(QLatin1Char('/')) && !services.contains(jid)) {
          services.append(jid);
          if (services.size() >= kMaxServices) {
            break;
          }
        }
      }
    }
    self->AskInfo(services);
  });
}

void XmppLobby::AskInfo(QStringList services) {
  // One service after another, in the server's order; the first chat service serves.
  if (services.isEmpty()) {
    Fail(Problem::NoChatService);
    return;
  }
  const QString service = services.takeFirst();
  XmlElement iq(QStringLiteral("iq"));
  iq.Set(QStringLiteral("type"), QStringLiteral("get")).Set(QStringLiteral("to"), service);
  iq.Add(XmlElement(QStringLiteral("query"), kInfoNs));
  QPointer<XmppLobby> self(this);
  const quint64 generation = generation_;
  client_.SendIq(iq, [self, generation, service, services](const XmlElement& reply) {
    if (!self || self->generation_ != generation || self->state_ != State::Discovering) {
      return;
    }
    const XmlElement* query = reply.Child(QStringLiteral("query"), kInfoNs);
    bool chat = false;
    if (IsResult(reply) && query != nullptr) {
      for (const XmlElement& identity : query->Children) {
        chat = chat ||
               (identity.Name == QLatin1String("identity") &&
                identity.Attribute(QStringLiteral("category")) == QLatin1String("conference") &&
                identity.Attribute(QStringLiteral("type")) == QLatin1String("text"));
      }
    }
    if (!chat) {
      self->AskInfo(services);
      return;
    }
    self->room_ = kDefaultRoom + QLatin1Char('@') + service;
    self->state_ = State::Joining;
    self->SendPresence();
    emit self->StateChanged();
  });
}

void XmppLobby::SendPresence() {
  if (nick_.isEmpty() || state_ == State::Joining) {
    QString nick = wantedNick_;
    if (nick.isEmpty()) {
      nick = client_.AccountAddress().section(QLatin1Char('@'), 0, 0).left(kMaxNickChars);
    }
    if (nickTries_ > 0) {
      nick = nick.left(kMaxNickChars - 3) + QLatin1Char('-') + QString::number(nickTries_ + 1);
    }
    nick_ = nick;
  }
  XmlElement presence(QStringLiteral("presence"));
  presence.Set(QStringLiteral("to"), room_ + QLatin1Char('/') + nick_);
  if (state_ == State::Joining) {
    XmlElement& x = presence.Add(XmlElement(QStringLiteral("x"), kMucNs));
    x.Add(XmlElement(QStringLiteral("history"))).Set(QStringLiteral("maxstanzas"), "0");
  }
  if (announcing_) {
    XmlElement& hosting =
        presence.Add(XmlElement(QStringLiteral("hosting"), game_stanza::kNamespace));
    hosting.Set(QStringLiteral("stage"), QString::number(stage_));
    hosting.Set(QStringLiteral("protocol"), QString::number(game_stanza::kProtocol));
  }
  client_.Send(presence);
}

void XmppLobby::Leave() {
  if (state_ == State::Joining || state_ == State::Inside) {
    XmlElement presence(QStringLiteral("presence"));
    presence.Set(QStringLiteral("to"), room_ + QLatin1Char('/') + nick_)
        .Set(QStringLiteral("type"), QStringLiteral("unavailable"));
    client_.Send(presence);
  }
  Reset();
  emit StateChanged();
}

void XmppLobby::Fail(Problem problem) {
  Leave();
  state_ = State::Failed;
  problem_ = problem;
  emit StateChanged();
}

void XmppLobby::Reset() {
  ++generation_;
  state_ = State::Outside;
  if (namedRoom_.isEmpty() && client_.CurrentState() != XmppClient::State::Online) {
    room_.clear();  // found again at the next login
  }
  nick_.clear();
  if (!games_.isEmpty()) {
    games_.clear();
    Changed();
  }
}

void XmppLobby::Changed() {
  if (!changed_.isActive()) {
    changed_.start();
  }
}

bool XmppLobby::OnStanza(const XmlElement& stanza) {
  if (room_.isEmpty() || (state_ != State::Joining && state_ != State::Inside)) {
    return false;
  }
  const QString from = stanza.Attribute(QStringLiteral("from"));
  if (XmppClient::BareAddress(from).toLower() != room_) {
    return false;
  }
  const QString nick = from.section(QLatin1Char('/'), 1);
  if (stanza.Name == QLatin1String("presence")) {
    // A room that floods is read no faster than this; what it says past that is dropped.
    const qint64 second = NowSeconds();
    if (second != rateSecond_) {
      rateSecond_ = second;
      rateCount_ = 0;
    }
    if (++rateCount_ > kMaxPresencesPerSecond) {
      return false;
    }
    return OnPresence(stanza, nick);
  }
  if (stanza.Name == QLatin1String("iq") &&
      stanza.Attribute(QStringLiteral("type")) == QLatin1String("set")) {
    const XmlElement* join = stanza.Child(QStringLiteral("join"), game_stanza::kNamespace);
    return join != nullptr && !nick.isEmpty() && OnJoin(stanza, *join);
  }
  return false;
}

bool XmppLobby::OnPresence(const XmlElement& presence, const QString& nick) {
  const QString type = presence.Attribute(QStringLiteral("type"));
  const bool self = nick == nick_ || HasStatus(presence, 110);
  if (self) {
    if (type == QLatin1String("error")) {
      const XmlElement* error = presence.Child(QStringLiteral("error"));
      const bool conflict = error != nullptr && error->Child(QStringLiteral("conflict")) != nullptr;
      const bool locked =
          error != nullptr && error->Child(QStringLiteral("item-not-found")) != nullptr;
      if (state_ == State::Joining && conflict && ++nickTries_ < kMaxNickTries) {
        SendPresence();  // another name: this one is taken
      } else if (state_ == State::Joining && locked && ++lockedTries_ < kMaxLockedTries) {
        QPointer<XmppLobby> lobby(this);
        const quint64 generation = generation_;
        QTimer::singleShot(kLockedRetryMs, this, [lobby, generation] {
          if (lobby && lobby->generation_ == generation && lobby->state_ == State::Joining) {
            lobby->SendPresence();
          }
        });
      } else if (state_ == State::Joining) {
        Fail(Problem::Refused);
      }
      return false;
    }
    if (type == QLatin1String("unavailable")) {
      if (state_ != State::Inside) {
        return false;  // the goodbye of an earlier stay, before this entry
      }
      Reset();  // removed from the room
      state_ = State::Failed;
      problem_ = Problem::Refused;
      emit StateChanged();
      return false;
    }
    if (state_ == State::Joining && type.isEmpty()) {
      if (HasStatus(presence, 100)) {
        Fail(Problem::NotAnonymous);
        return false;
      }
      if (HasStatus(presence, 201)) {
        // A room made by this entry: taken as it is (an instant room).
        XmlElement iq(QStringLiteral("iq"));
        iq.Set(QStringLiteral("type"), QStringLiteral("set")).Set(QStringLiteral("to"), room_);
        iq.Add(XmlElement(QStringLiteral("query"), kMucOwnerNs))
            .Add(XmlElement(QStringLiteral("x"), kDataNs))
            .Set(QStringLiteral("type"), QStringLiteral("submit"));
        client_.SendIq(iq, nullptr);
      }
      state_ = State::Inside;
      emit StateChanged();
    }
    return false;
  }
  // The room tells of those inside before it tells of this client's entry.
  if (nick.isEmpty() || nick.size() > kMaxNickChars) {
    return false;
  }
  const auto listed = std::find_if(games_.begin(), games_.end(),
                                   [&](const LobbyGame& g) { return g.Nick == nick; });
  std::optional<LobbyGame> game;
  const XmlElement* hosting = presence.Child(QStringLiteral("hosting"), game_stanza::kNamespace);
  if (type.isEmpty() && hosting != nullptr) {
    const int stage = NumberAttribute(*hosting, QStringLiteral("stage"), kMaxStage);
    const int protocol = NumberAttribute(*hosting, QStringLiteral("protocol"), kMaxProtocol);
    if (stage >= 0 && protocol >= 0) {
      game = LobbyGame{nick, stage, protocol};
    }
  }
  if (!game) {
    if (listed != games_.end()) {
      games_.erase(listed);
      Changed();
    }
  } else if (listed != games_.end()) {
    if (*listed != *game) {
      *listed = *game;
      Changed();
    }
  } else if (games_.size() < kMaxGames) {
    games_.append(*game);
    Changed();
  }
  return false;
}

bool XmppLobby::OnJoin(const XmlElement& iq, const XmlElement& join) {
  const QString sid = join.Attribute(QStringLiteral("sid"));
  const QString address = join.Attribute(QStringLiteral("address"));
  const qsizetype at = address.indexOf(QLatin1Char('@'));
  const qsizetype slash = address.indexOf(QLatin1Char('/'));
  if (!announcing_ || state_ != State::Inside || !JoinAsked || game_stanza::IsDelayed(iq) ||
      !game_stanza::IsSessionId(sid) || at <= 0 || slash < at + 2 ||
      address.size() > kMaxAddressChars ||
      XmppClient::BareAddress(address).toLower() == client_.AccountAddress().toLower()) {
    return false;  // answered as if no game client were here
  }
  // Still inside while the joiner is answered: the room relays the answer only between two of
  // its occupants.
  ++joinsPending_;
  const QString nick = iq.Attribute(QStringLiteral("from")).section(QLatin1Char('/'), 1);
  const bool taken = JoinAsked(nick, address, sid);
  if (taken) {
    XmlElement answer(QStringLiteral("iq"));
    answer.Set(QStringLiteral("type"), QStringLiteral("result"))
        .Set(QStringLiteral("id"), iq.Attribute(QStringLiteral("id")))
        .Set(QStringLiteral("to"), iq.Attribute(QStringLiteral("from")));
    client_.Send(answer);
    Withdraw();
  }
  --joinsPending_;
  QMetaObject::invokeMethod(this, &XmppLobby::Update, Qt::QueuedConnection);
  return taken;
}

bool XmppLobby::Join(const QString& nick, const QString& sessionId,
                     std::function<void(bool)> done) {
  const bool listed =
      std::any_of(games_.begin(), games_.end(), [&](const LobbyGame& g) { return g.Nick == nick; });
  if (!listed || state_ != State::Inside) {
    return false;
  }
  XmlElement join(QStringLiteral("join"), game_stanza::kNamespace);
  join.Set(QStringLiteral("sid"), sessionId)
      .Set(QStringLiteral("address"), client_.BoundAddress())
      .Set(QStringLiteral("protocol"), QString::number(game_stanza::kProtocol));
  QPointer<XmppLobby> self(this);
  // Answered once: by the host, by the account going offline, or by the time running out.
  auto answer = std::make_shared<std::function<void(bool)>>([self, done](bool taken) {
    if (self && self->joinsPending_ > 0) {
      --self->joinsPending_;
      QMetaObject::invokeMethod(self, &XmppLobby::Update, Qt::QueuedConnection);
    }
    if (done) {
      done(taken);
    }
  });
  const bool sent = client_.SendIq(game_stanza::IqSet(room_ + QLatin1Char('/') + nick, join),
                                   [answer](const XmlElement& reply) {
                                     if (auto once = std::exchange(*answer, nullptr)) {
                                       once(IsResult(reply));
                                     }
                                   });
  if (!sent) {
    return false;
  }
  ++joinsPending_;
  QTimer::singleShot(kJoinAnswerMs, this, [answer] {
    if (auto once = std::exchange(*answer, nullptr)) {
      once(false);
    }
  });
  return true;
}

}  // namespace vextal
