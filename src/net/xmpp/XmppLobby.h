#pragma once

#include <functional>
#include <map>

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include "net/xmpp/XmppClient.h"

namespace vextal {

// One game waiting in the lobby, as the list of games shows it: the host's nickname in the room
// (never its address), the stage and the protocol revision it announced (0 when not given).
struct LobbyGame {
  QString Nick;
  int Stage = 0;
  int Protocol = 0;
  friend bool operator==(const LobbyGame&, const LobbyGame&) = default;
};

// The lobby: a multi-user chat room (XEP-0045) where game clients meet (docs/XMPP.md). The room
// is the one named for the account, or `vextal` on the chat service the account's own server
// offers (found by service discovery, XEP-0030). This client is in the room only while it lists
// games, announces one, or asks to join one; a hosting client announces its game in its presence
// there. Others are known by their nicknames only: a join request goes to the host's occupant
// address, which the chat service relays, and carries the joiner's full address for the host
// alone, who then invites it as a friend is invited (without a contact request).
//
// Everything from the room is bounded: at most kMaxGames games listed, nicknames of at most
// kMaxNickChars, at most kMaxPresencesPerSecond presences a second taken, malformed
// announcements ignored. A room that shows every occupant's address to everyone is left.
class XmppLobby final : public QObject {
  Q_OBJECT

 public:
  enum class State { Outside, Discovering, Joining, Inside, Failed };
  enum class Problem {
    None,
    NoChatService,  // the account's server offers no chat service
    NotAnonymous,   // the room shows every address to everyone: left
    Refused,        // the room refused this client (banned, members only, no such room...)
    BadRoom,        // the room named for the account is not an address like room@service
  };

  static constexpr int kMaxGames = 100;
  static constexpr int kMaxNickChars = 64;
  static constexpr int kMaxPresencesPerSecond = 200;
  static constexpr int kMaxServices = 32;
  // The room's name on the account's chat service when none is named.
  static inline const QString kDefaultRoom = QStringLiteral("vextal");

  explicit XmppLobby(XmppClient& client, QObject* parent = nullptr);
  ~XmppLobby() override;

  // The room as room@service, or empty for the default one; takes effect at the next entry.
  void SetRoom(const QString& room);
  // The nickname shown to others (cut to kMaxNickChars); empty: the address's name part.
  void SetNickname(const QString& nick);

  // While browsing, the room is entered and its games listed.
  void SetBrowsing(bool browsing);
  // Announces the game hosted here, on a stage (0 unknown), until Withdraw.
  void Announce(int stage);
  void Withdraw();
  bool Announcing() const { return announcing_; }

  // Asks the host of a listed game to take this client (by its nickname) for a session id
  // chosen here; done(true) once the host took it (its invitation follows), done(false) when
  // it refused, left or the account went offline. False when the game is not listed.
  bool Join(const QString& nick, const QString& sessionId, std::function<void(bool)> done);

  // On the hosting side: someone asks to join the game announced here, by its nickname, from
  // its full address and for a session id. Returns whether it was taken; the announcement is
  // withdrawn then.
  std::function<bool(const QString& nick, const QString& address, const QString& sessionId)>
      JoinAsked;
  // How long a join request waits for the host's answer.
  static constexpr int kJoinAnswerMs = 30000;

  State CurrentState() const { return state_; }
  Problem LastProblem() const { return problem_; }
  // The room in use (room@service), once known.
  const QString& Room() const { return room_; }
  const QString& Nick() const { return nick_; }
  const QList<LobbyGame>& Games() const { return games_; }

 signals:
  void GamesChanged();
  void StateChanged();

 private:
  bool Wanted() const { return browsing_ || announcing_ || joinsPending_ > 0; }
  void Update();
  void Enter();
  void Discover();
  void AskInfo(QStringList services);
  void SendPresence();
  void Leave();
  void Fail(Problem problem);
  void Reset();
  bool OnStanza(const XmlElement& stanza);
  bool OnPresence(const XmlElement& presence, const QString& nick);
  bool OnJoin(const XmlElement& iq, const XmlElement& join);
  void Changed();

  XmppClient& client_;
  int handler_ = -1;
  QString namedRoom_;
  QString wantedNick_;
  QString room_;
  QString nick_;
  int nickTries_ = 0;
  int lockedTries_ = 0;
  State state_ = State::Outside;
  Problem problem_ = Problem::None;
  bool browsing_ = false;
  bool announcing_ = false;
  int stage_ = 0;
  int joinsPending_ = 0;
  quint64 generation_ = 0;  // of the stay in the room: answers to an older one are dropped
  QList<LobbyGame> games_;
  QTimer changed_;
  qint64 rateSecond_ = -1;
  int rateCount_ = 0;
};

}  // namespace vextal
