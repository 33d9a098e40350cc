#include <memory>
#include <optional>
#include <utility>

#include <QSignalSpy>
#include <QTest>

#include "game/Random.h"
#include "net/Snapshot.h"
#include "net/xmpp/GameStanza.h"
#include "net/xmpp/XmppClient.h"
#include "net/xmpp/XmppInvitations.h"
#include "net/xmpp/XmppLobby.h"
#include "net/xmpp/XmppPeerLink.h"

using namespace vextal;

namespace {

QString Dir() {
  return qEnvironmentVariable("VEXTAL_PROSODY_DIR");
}

XmppClient::Account AccountOf(const QString& address, const QString& caFile = {}) {
  return {address, qEnvironmentVariable("VEXTAL_PROSODY_PASSWORD"),
          Dir() + QLatin1Char('/') + (caFile.isEmpty() ? QStringLiteral("ca.crt") : caFile)};
}

// A client whose outcome is written down: nothing yet, the failure, or None once online.
struct Login {
  XmppClient client;
  SeededRandom random{27};
  XmppInvitations invitations{client, random};
  XmppLobby lobby{client};
  std::optional<XmppClient::Failure> outcome;
  explicit Login(const XmppClient::Account& account) {
    QObject::connect(&client, &XmppClient::LoggedIn,
                     [this] { outcome = XmppClient::Failure::None; });
    QObject::connect(&client, &XmppClient::LoggedOut,
                     [this](XmppClient::Failure f) { outcome = outcome.value_or(f); });
    client.LogIn(account);
  }
};

// Logins run side by side: each costs a TLS handshake and a SCRAM exchange.
bool WaitForAll(const std::vector<Login*>& logins) {
  return QTest::qWaitFor(
      [&] {
        for (const Login* login : logins) {
          if (!login->outcome) {
            return false;
          }
        }
        return true;
      },
      20000);
}

XmlElement GameIq(const QString& sid, const QString& text) {
  XmlElement msg = game_stanza::SessionElement(QStringLiteral("msg"), sid);
  msg.Text = text;
  return game_stanza::IqSet({}, msg);
}

// Sends a raw game IQ and waits for its answer; returns its type.
QString SendRaw(XmppClient& from, const QString& to, XmlElement iq) {
  iq.Set(QStringLiteral("to"), to);
  QString type;
  if (!from.SendIq(
          iq, [&](const XmlElement& reply) { type = reply.Attribute(QStringLiteral("type")); })) {
    return QStringLiteral("not sent");
  }
  (void)QTest::qWaitFor([&] { return !type.isEmpty(); }, 5000);
  return type;
}

// The two ends of one game session between two clients.
struct Session {
  XmppPeerLink here;
  XmppPeerLink there;
  QList<Message> atHere, atThere;
  QStringList thereLog;
  QList<XmppPeerLink::Closing> thereClosed;
  Session(XmppClient& a, XmppClient& b, const QString& sid)
      : here(a, b.BoundAddress(), sid), there(b, a.BoundAddress(), sid) {
    here.Received = [this](const Message& m) { atHere << m; };
    there.Received = [this](const Message& m) { atThere << m; };
    there.Log = [this](const QString& line) { thereLog << line; };
    there.Closed = [this](XmppPeerLink::Closing c) { thereClosed << c; };
  }
};

}  // namespace

class TestXmppLink : public QObject {
  Q_OBJECT

  std::unique_ptr<Login> alice_, bob_, eve_;

 private slots:
  void initTestCase() {
    if (!qEnvironmentVariableIsEmpty("VEXTAL_PROSODY_SKIP")) {
      QSKIP(qPrintable(qEnvironmentVariable("VEXTAL_PROSODY_SKIP")));
    }
    if (Dir().isEmpty()) {
      QSKIP("runs beside a private Prosody only (tests/net/with_private_prosody.sh)");
    }
    alice_ = std::make_unique<Login>(AccountOf(QStringLiteral("alice@alpha.test")));
    bob_ = std::make_unique<Login>(AccountOf(QStringLiteral("bob@beta.test")));
    eve_ = std::make_unique<Login>(AccountOf(QStringLiteral("eve@alpha.test")));
    QVERIFY(WaitForAll({alice_.get(), bob_.get(), eve_.get()}));
    for (const Login* login : {alice_.get(), bob_.get(), eve_.get()}) {
      QCOMPARE(*login->outcome, XmppClient::Failure::None);
    }
    QVERIFY(alice_->client.BoundAddress().startsWith(QStringLiteral("alice@alpha.test/")));
  }

  // Each failure is told apart, so the person reads why.
  void failedLoginsSayWhy() {
    XmppClient::Account wrongPassword = AccountOf(QStringLiteral("alice@alpha.test"));
    wrongPassword.Password = QStringLiteral("not the password");
    Login password(wrongPassword);
    Login unknownCa(AccountOf(QStringLiteral("alice@alpha.test"), QStringLiteral("other-ca.crt")));
    Login otherName(AccountOf(QStringLiteral("carol@gamma.test")));
    Login noServer(AccountOf(QStringLiteral("dave@nowhere.invalid")));
    Login notAnAddress(AccountOf(QStringLiteral("alpha.test")));
    QVERIFY(WaitForAll({&password, &unknownCa, &otherName, &noServer, &notAnAddress}));
    QCOMPARE(*password.outcome, XmppClient::Failure::WrongPassword);
    QCOMPARE(*unknownCa.outcome, XmppClient::Failure::CertificateRefused);
    QCOMPARE(*otherName.outcome, XmppClient::Failure::CertificateRefused);
    QVERIFY(otherName.client.CertificateError().contains(QStringLiteral("hostname")));
    QCOMPARE(*noServer.outcome, XmppClient::Failure::ServerNotFound);
    QCOMPARE(*notAnAddress.outcome, XmppClient::Failure::BadAddress);
  }

  // Messages go both ways in order, each acknowledged.
  void messagesExchanged() {
    Session s(alice_->client, bob_->client, QStringLiteral("session-exchange-0001"));
    for (int i = 0; i < 20; ++i) {
      QVERIFY(s.here.Send(Message{"24", "1", QByteArray::number(i), "1"}));
    }
    QVERIFY(s.there.Send(Message{"36", "hallo \xe4"}));
    QVERIFY(QTest::qWaitFor([&] { return s.atThere.size() == 20 && s.atHere.size() == 1; }, 5000));
    for (int i = 0; i < 20; ++i) {
      QCOMPARE(s.atThere[i][2].toByteArray(), QByteArray::number(i));
    }
    QCOMPARE(s.atHere[0][1].toByteArray(), QByteArray("hallo \xe4"));
    QVERIFY(QTest::qWaitFor([&] { return s.here.Unacknowledged() == 0; }, 5000));
    QVERIFY(s.thereLog.isEmpty());
  }

  // What does not belong to the game is ignored and logged once; the link goes on unharmed.
  void foreignAndBrokenStanzasIgnored() {
    const QString sid = QStringLiteral("session-foreign-0001");
    Session s(alice_->client, bob_->client, sid);
    XmppClient& alice = alice_->client;
    const QString bob = bob_->client.BoundAddress();
    const QString move = game_stanza::MessageElement(Message{"24", "1", "2", "3"}, sid)->Text;
    // A forged sender: the right session, another address (twice: logged once).
    QCOMPARE(SendRaw(eve_->client, bob, GameIq(sid, move)), QStringLiteral("error"));
    QCOMPARE(SendRaw(eve_->client, bob, GameIq(sid, move)), QStringLiteral("error"));
    // The peer, but for another session.
    QCOMPARE(SendRaw(alice, bob, GameIq(QStringLiteral("session-other-00001"), move)),
             QStringLiteral("error"));
    // Marked as delivered late.
    XmlElement delayed = GameIq(sid, move);
    delayed.Children.first()
        .Add(XmlElement(QStringLiteral("delay"), game_stanza::kDelayNamespace))
        .Set(QStringLiteral("stamp"), QStringLiteral("2020-01-01T00:00:00Z"));
    QCOMPARE(SendRaw(alice, bob, delayed), QStringLiteral("error"));
    // Broken base64, bytes that are not one whole message, a text past the bound.
    QCOMPARE(SendRaw(alice, bob, GameIq(sid, QStringLiteral("AQ!!"))), QStringLiteral("error"));
    QCOMPARE(SendRaw(alice, bob, GameIq(sid, QStringLiteral("AgE="))), QStringLiteral("error"));
    QCOMPARE(SendRaw(alice, bob,
                     GameIq(sid, QString(game_stanza::kMaxBase64Chars + 4, QLatin1Char('A')))),
             QStringLiteral("error"));
    QVERIFY(s.atThere.isEmpty());
    QCOMPARE(s.thereLog.size(), 5);  // each kind once
    // A board too large for the link is not sent at all.
    QVERIFY(!s.here.Send(Message{"124", GetSnapshot(Board(255, 255), 1)}));
    // And the game goes on.
    QVERIFY(s.here.Send(Message{"24", "1", "2", "3"}));
    QVERIFY(QTest::qWaitFor([&] { return s.atThere.size() == 1; }, 5000));
    QVERIFY(s.thereClosed.isEmpty());
  }

  // An invitation reaches the friend's game client; accepted, both sides start one session, the
  // inviter as host; declined, the inviter hears it. An answer from another address counts not.
  void invitationAcceptedOrDeclined() {
    XmppInvitations& alice = alice_->invitations;
    XmppInvitations& bob = bob_->invitations;
    QSignalSpy invited(&bob, &XmppInvitations::Invited);
    QSignalSpy aliceStarts(&alice, &XmppInvitations::SessionStarts);
    QSignalSpy bobStarts(&bob, &XmppInvitations::SessionStarts);
    QSignalSpy failed(&alice, &XmppInvitations::InviteFailed);
    QVERIFY(!alice.Invite(QStringLiteral("alice@alpha.test"), 3));  // not oneself
    QVERIFY(alice.Invite(QStringLiteral("Bob@beta.test"), 3));
    QVERIFY(QTest::qWaitFor([&] { return invited.count() == 1; }, 5000));
    QCOMPARE(invited[0][0].toString(), alice_->client.BoundAddress());
    QCOMPARE(invited[0][2].toInt(), 3);
    const QString sid = invited[0][1].toString();
    QVERIFY(bob.Accept(sid));
    QVERIFY(!bob.Accept(sid));  // answered once
    QVERIFY(
        QTest::qWaitFor([&] { return aliceStarts.count() == 1 && bobStarts.count() == 1; }, 5000));
    QCOMPARE(aliceStarts[0], (QVariantList{bob_->client.BoundAddress(), sid, true}));
    QCOMPARE(bobStarts[0], (QVariantList{alice_->client.BoundAddress(), sid, false}));
    Session s(alice_->client, bob_->client, sid);
    QVERIFY(s.here.Send(Message{"120"}));
    QVERIFY(QTest::qWaitFor([&] { return s.atThere.size() == 1; }, 5000));

    QVERIFY(alice.Invite(QStringLiteral("bob@beta.test"), 1));
    QVERIFY(QTest::qWaitFor([&] { return invited.count() == 2; }, 5000));
    const QString second = invited[1][1].toString();
    QVERIFY(second != sid);
    XmlElement forged =
        game_stanza::IqSet({}, game_stanza::SessionElement(QStringLiteral("accept"), second));
    QCOMPARE(SendRaw(eve_->client, alice_->client.BoundAddress(), forged), QStringLiteral("error"));
    bob.Decline(second);
    QVERIFY(QTest::qWaitFor([&] { return failed.count() == 1; }, 5000));
    QCOMPARE(failed[0], (QVariantList{QStringLiteral("bob@beta.test"), true}));
    QCOMPARE(aliceStarts.count(), 1);
    QVERIFY(!alice.Inviting());
  }

  // The lobby: found by service discovery on alpha.test (beta.test offers none, so its player
  // names the room); a game is listed by nickname, malformed announcements are not, and a join
  // through the room hands the joiner's full address to the host alone, which withdraws the game.
  void lobbyListsJoinsAndWithdraws() {
    XmppLobby& host = alice_->lobby;
    XmppLobby& joiner = bob_->lobby;
    joiner.SetBrowsing(true);
    QVERIFY(
        QTest::qWaitFor([&] { return joiner.CurrentState() == XmppLobby::State::Failed; }, 5000));
    QCOMPARE(joiner.LastProblem(), XmppLobby::Problem::NoChatService);
    joiner.SetRoom(QStringLiteral("Vextal@lobby.alpha.test"));
    joiner.SetBrowsing(true);
    host.SetNickname(QStringLiteral("Alice the host"));
    host.Announce(3);
    QVERIFY(QTest::qWaitFor([&] { return !joiner.Games().isEmpty(); }, 5000));
    QCOMPARE(host.Room(), QStringLiteral("vextal@lobby.alpha.test"));
    QCOMPARE(joiner.Games(), (QList<LobbyGame>{{QStringLiteral("Alice the host"), 3, 1}}));
    // Eve's own client in the room: a stage out of range, a protocol that is no number and a
    // nickname past the bound are not listed; her valid game is, then she withdraws it.
    const auto enter = [&](const QString& nick, const QString& stage, const QString& protocol) {
      XmlElement presence(QStringLiteral("presence"));
      presence.Set(QStringLiteral("to"), QStringLiteral("vextal@lobby.alpha.test/") + nick);
      presence.Add(
          XmlElement(QStringLiteral("x"), QStringLiteral("http://jabber.org/protocol/muc")));
      presence.Add(XmlElement(QStringLiteral("hosting"), game_stanza::kNamespace))
          .Set(QStringLiteral("stage"), stage)
          .Set(QStringLiteral("protocol"), protocol);
      eve_->client.Send(presence);
    };
    enter(QStringLiteral("eve"), QStringLiteral("9"), QStringLiteral("1"));
    enter(QStringLiteral("eve"), QStringLiteral("2"), QStringLiteral("one"));
    enter(QString(XmppLobby::kMaxNickChars + 1, QLatin1Char('e')), QStringLiteral("2"), "1");
    enter(QStringLiteral("eve"), QStringLiteral("2"), QStringLiteral("1"));
    QVERIFY(QTest::qWaitFor([&] { return joiner.Games().size() == 2; }, 5000));
    QCOMPARE(joiner.Games()[1], (LobbyGame{QStringLiteral("eve"), 2, 1}));
    XmlElement plain(QStringLiteral("presence"));
    plain.Set(QStringLiteral("to"), QStringLiteral("vextal@lobby.alpha.test/eve"));
    eve_->client.Send(plain);
    QVERIFY(QTest::qWaitFor([&] { return joiner.Games().size() == 1; }, 5000));

    QStringList asked;
    host.JoinAsked = [&](const QString& nick, const QString& address, const QString& sid) {
      asked = {nick, address, sid};
      return true;
    };
    std::optional<bool> taken;
    QVERIFY(!joiner.Join(QStringLiteral("nobody"), QStringLiteral("session-lobby-00001"), {}));
    QVERIFY(joiner.Join(QStringLiteral("Alice the host"), QStringLiteral("session-lobby-00001"),
                        [&](bool ok) { taken = ok; }));
    QVERIFY(QTest::qWaitFor([&] { return taken.has_value(); }, 5000));
    QVERIFY(*taken);
    QCOMPARE(asked, (QStringList{joiner.Nick(), bob_->client.BoundAddress(),
                                 QStringLiteral("session-lobby-00001")}));
    QVERIFY(!host.Announcing());
    QVERIFY(QTest::qWaitFor([&] { return joiner.Games().isEmpty(); }, 5000));
    // A second join finds nothing announced: refused.
    host.Announce(1);
    QVERIFY(QTest::qWaitFor([&] { return !joiner.Games().isEmpty(); }, 5000));
    host.JoinAsked = [](const QString&, const QString&, const QString&) { return false; };
    taken.reset();
    QVERIFY(joiner.Join(QStringLiteral("Alice the host"), QStringLiteral("session-lobby-00002"),
                        [&](bool ok) { taken = ok; }));
    QVERIFY(QTest::qWaitFor([&] { return taken.has_value(); }, 5000));
    QVERIFY(!*taken);
    host.Withdraw();
    joiner.SetBrowsing(false);
    QVERIFY(
        QTest::qWaitFor([&] { return host.CurrentState() == XmppLobby::State::Outside; }, 5000));
  }

  // Rooms made by Eve's own client. One being made turns newcomers away until she has
  // configured it: a host arriving then waits and is let in, under another name where hers is
  // taken. A room that shows every address to everyone is left.
  void lobbyMeetsRoomsOfOthers() {
    const auto make = [&](const QString& room) {
      XmlElement create(QStringLiteral("presence"));
      create.Set(QStringLiteral("to"), room + QStringLiteral("/eve"));
      create.Add(XmlElement(QStringLiteral("x"), QStringLiteral("http://jabber.org/protocol/muc")));
      eve_->client.Send(create);
      // An answer from the room comes after it has taken her presence: one stanza after another.
      XmlElement ask(QStringLiteral("iq"));
      ask.Set(QStringLiteral("type"), QStringLiteral("get"));
      ask.Add(XmlElement(QStringLiteral("query"),
                         QStringLiteral("http://jabber.org/protocol/disco#info")));
      return SendRaw(eve_->client, room, ask) != QStringLiteral("not sent");
    };
    const auto configure = [&](const QString& room, const QString& whois) {
      XmlElement iq(QStringLiteral("iq"));
      iq.Set(QStringLiteral("type"), QStringLiteral("set"));
      XmlElement& form = iq.Add(XmlElement(QStringLiteral("query"),
                                           QStringLiteral("http://jabber.org/protocol/muc#owner")))
                             .Add(XmlElement(QStringLiteral("x"), QStringLiteral("jabber:x:data")))
                             .Set(QStringLiteral("type"), QStringLiteral("submit"));
      for (const auto& [name, text] :
           {std::pair{QStringLiteral("FORM_TYPE"),
                      QStringLiteral("http://jabber.org/protocol/muc#roomconfig")},
            std::pair{QStringLiteral("muc#roomconfig_whois"), whois}}) {
        XmlElement value(QStringLiteral("value"));
        value.Text = text;
        form.Add(XmlElement(QStringLiteral("field"))).Set(QStringLiteral("var"), name).Add(value);
      }
      return SendRaw(eve_->client, room, iq);
    };
    XmppLobby& host = alice_->lobby;
    const QString making = QStringLiteral("making@lobby.alpha.test");
    QVERIFY(make(making));
    host.SetRoom(making);
    host.SetNickname(QStringLiteral("eve"));
    host.Announce(2);
    QTest::qWait(1200);
    QCOMPARE(host.CurrentState(), XmppLobby::State::Joining);
    QCOMPARE(configure(making, QStringLiteral("moderators")), QStringLiteral("result"));
    QVERIFY(QTest::qWaitFor([&] { return host.CurrentState() == XmppLobby::State::Inside; }, 5000));
    QCOMPARE(host.Nick(), QStringLiteral("eve-2"));
    host.Withdraw();

    const QString everyone = QStringLiteral("everyone@lobby.alpha.test");
    QVERIFY(make(everyone));
    QCOMPARE(configure(everyone, QStringLiteral("anyone")), QStringLiteral("result"));
    host.SetRoom(everyone);
    host.Announce(2);
    QVERIFY(QTest::qWaitFor([&] { return host.CurrentState() == XmppLobby::State::Failed; }, 5000));
    QCOMPARE(host.LastProblem(), XmppLobby::Problem::NotAnonymous);
    host.Withdraw();
    host.SetRoom({});
    host.SetNickname({});
  }

  // A peer that ends the game is noticed at once; one that hangs without a word by the pings.
  void vanishedPeerNoticed() {
    {
      Session s(alice_->client, bob_->client, QStringLiteral("session-goodbye-0001"));
      s.here.Close();
      QVERIFY(QTest::qWaitFor([&] { return !s.thereClosed.isEmpty(); }, 5000));
      QCOMPARE(s.thereClosed, QList{XmppPeerLink::Closing::PeerClosed});
    }
    Login hanging(AccountOf(QStringLiteral("alice@alpha.test")));
    QVERIFY(WaitForAll({&hanging}));
    QCOMPARE(*hanging.outcome, XmppClient::Failure::None);
    Session s(hanging.client, bob_->client, QStringLiteral("session-hanging-0001"));
    s.there.SetPingInterval(100);
    hanging.client.SetSuspended(true);
    QVERIFY(QTest::qWaitFor([&] { return !s.thereClosed.isEmpty(); }, 5000));
    QCOMPARE(s.thereClosed, QList{XmppPeerLink::Closing::NetworkError});
    QVERIFY(!s.there.IsOpen());
  }
};

QTEST_GUILESS_MAIN(TestXmppLink)
#include "test_xmpp_link.moc"
