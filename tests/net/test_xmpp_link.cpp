#include <memory>
#include <optional>
#include <random>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include "common/CoreRecorder.h"
#include "game/Random.h"
#include "net/GameAnnouncement.h"
#include "net/NetGame.h"
#include "net/Snapshot.h"
#include "net/xmpp/GameStanza.h"
#include "net/xmpp/XmppClient.h"
#include "net/xmpp/XmppGameLink.h"
#include "net/xmpp/XmppInvitations.h"
#include "net/xmpp/XmppPeerLink.h"

using namespace vextal;
using namespace vextal::testing;

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

// One copy of the program on the internet: a game, its network side and its internet link.
struct Copy {
  CoreRecorder rec;
  FakeClock clock;
  ScriptedRandom random;
  cSocket socket;
  Game game{clock, random};
  NetGame net{game, rec, rec, socket};
  XmppGameLink link;
  Copy(Login& login, int stage)
      : random(std::uint64_t(stage)), link(login.client, login.invitations, net.Events(), rec) {
    rec.Listen(game);
    SetupStage(game, stage, random);
    rec.Clear();
  }
  bool Logged(const QString& line) const {
    return rec.Effects.contains(QStringLiteral("log:") + line);
  }
  bool SameGameAs(const Copy& other) const {
    return game.Nodes() == other.game.Nodes() && game.ActPlayer() == other.game.ActPlayer();
  }
};

QString Bob() {
  return ShownServiceName(QStringLiteral("bob@beta.test"));
}

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

  // Invited and accepted, the two sides play whole games over the internet exactly as over TCP:
  // the inviter hosts, the boards and digests agree after every move, chat, then a goodbye.
  void invitedGamePlayedToItsEnd() {
    Copy host(*alice_, 7);
    Copy guest(*bob_, 2);
    QObject::connect(
        &bob_->invitations, &XmppInvitations::Invited, &guest.link,
        [&](const QString& from, const QString& sid) { guest.link.Accept(from, sid); });
    QElapsedTimer sinceInvite;
    sinceInvite.start();
    QVERIFY(host.link.Invite(QStringLiteral("bob@beta.test"), 7));
    QVERIFY(host.game.NetMode() && !host.game.NetConnected());
    QTRY_VERIFY_WITH_TIMEOUT(guest.Logged(QStringLiteral("Game synchronized.")), 10000);
    QVERIFY(host.Logged(QStringLiteral("Playing over the internet with %1.").arg(Bob())));
    QVERIFY(host.game.NetServer() && !guest.game.NetServer() && guest.SameGameAs(host));
    std::mt19937 pick(27);
    for (int moves = 0; host.rec.GamesEnded < 2 && moves < 300; ++moves) {
      Copy& mover = host.game.ActPlayer() == 1 ? host : guest;
      std::vector<std::pair<int, int>> legal;
      for (int col = 1; col <= mover.game.NodesW(); ++col) {
        for (int row = 1; row <= mover.game.NodesH(); ++row) {
          if (mover.game.IsLegalMove(col, row, mover.game.ActPlayer())) {
            legal.emplace_back(col, row);
          }
        }
      }
      QVERIFY(!legal.empty());
      const auto [col, row] = legal[pick() % legal.size()];
      mover.game.PlayCell(col, row);
      QTRY_VERIFY_WITH_TIMEOUT(
          guest.SameGameAs(host) && guest.rec.GamesEnded == host.rec.GamesEnded, 5000);
      if (moves == 0) {
        qInfo("from the invitation to the first move on both boards: %lld ms",
              sinceInvite.elapsed());
      }
    }
    QCOMPARE(host.rec.GamesEnded, 2);
    QVERIFY(!host.rec.Effects.join(QLatin1Char('\n')).contains(QStringLiteral("out of step")));
    QVERIFY(guest.net.SendChat(QString::fromUtf8("Grüße ✓")));
    QTRY_VERIFY(host.rec.Effects.contains(QString::fromUtf8("chat:Grüße ✓")));
    guest.rec.BoxAnswers = {BoxAnswer::Yes};
    guest.net.Disconnect();
    QVERIFY(guest.Logged(QStringLiteral("Disconnected.")));
    QTRY_VERIFY(host.Logged(QStringLiteral("Disconnected (client disconnected).")));
    QVERIFY(!host.game.NetMode() && !guest.game.NetMode());
  }

  // A declined or unanswered invitation is said plainly, and the game leaves network mode.
  void declinedOrUnansweredInvitationSaidPlainly() {
    Copy host(*alice_, 1);
    Copy guest(*bob_, 1);
    QObject::connect(&bob_->invitations, &XmppInvitations::Invited, &guest.link,
                     [&](const QString&, const QString& sid) { bob_->invitations.Decline(sid); });
    QVERIFY(host.link.Invite(QStringLiteral("bob@beta.test"), 1));
    QVERIFY(!host.link.Invite(QStringLiteral("bob@beta.test"), 1));  // one at a time
    QTRY_VERIFY(host.Logged(QStringLiteral("%1 declined the invitation.").arg(Bob())));
    QVERIFY(host.Logged(QStringLiteral("Disconnected.")) && !host.game.NetMode());
    alice_->invitations.SetInviteTimeout(300);
    QVERIFY(host.link.Invite(QStringLiteral("nobody@beta.test"), 1));
    QTRY_VERIFY(host.Logged(
        QStringLiteral("%1 did not answer the invitation: the friend is offline or not playing "
                       "Vextal now.")
            .arg(ShownServiceName(QStringLiteral("nobody@beta.test")))));
    alice_->invitations.SetInviteTimeout(XmppInvitations::kInviteTimeoutMs);
    QVERIFY(!host.game.NetMode() && !host.link.InUse());
  }
};

QTEST_GUILESS_MAIN(TestXmppLink)
#include "test_xmpp_link.moc"
