#include <QSignalSpy>
#include <QTest>

#include "net/xmpp/XmppClient.h"

using namespace vextal;

namespace {

QString Dir() {
  return qEnvironmentVariable("VEXTAL_PROSODY_DIR");
}

XmppClient::Account AccountOf(const QString& address, const QString& caFile = {}) {
  return {address, qEnvironmentVariable("VEXTAL_PROSODY_PASSWORD"),
          caFile.isEmpty() ? Dir() + QStringLiteral("/ca.crt") : caFile};
}

// Logs in and waits for the outcome: the failure, or None once online.
std::optional<XmppClient::Failure> LogInAndWait(XmppClient& client,
                                                const XmppClient::Account& account) {
  QSignalSpy in(&client, &XmppClient::LoggedIn);
  QSignalSpy out(&client, &XmppClient::LoggedOut);
  client.LogIn(account);
  if (!QTest::qWaitFor([&] { return in.count() + out.count() > 0; }, 10000)) {
    return std::nullopt;
  }
  return out.isEmpty() ? XmppClient::Failure::None : out.first().first().value<XmppClient::Failure>();
}

}  // namespace

class TestXmppLink : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    if (!qEnvironmentVariableIsEmpty("VEXTAL_PROSODY_SKIP")) {
      QSKIP(qPrintable(qEnvironmentVariable("VEXTAL_PROSODY_SKIP")));
    }
    if (Dir().isEmpty()) {
      QSKIP("runs beside a private Prosody only (tests/net/with_private_prosody.sh)");
    }
  }

  void logInOutcomes_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("caFile");
    QTest::addColumn<int>("failure");
    QTest::newRow("online") << "alice@alpha.test" << "" << "" << int(XmppClient::Failure::None);
    QTest::newRow("wrong password") << "alice@alpha.test" << "nope" << ""
                                    << int(XmppClient::Failure::WrongPassword);
    QTest::newRow("unknown account") << "nobody@alpha.test" << "" << ""
                                     << int(XmppClient::Failure::WrongPassword);
    QTest::newRow("unknown CA") << "alice@alpha.test" << "" << "other-ca.crt"
                                << int(XmppClient::Failure::CertificateRefused);
    QTest::newRow("certificate for another name")
        << "carol@gamma.test" << "" << "" << int(XmppClient::Failure::CertificateRefused);
    QTest::newRow("no such server") << "dave@nowhere.invalid" << "" << ""
                                    << int(XmppClient::Failure::ServerNotFound);
    QTest::newRow("not an address") << "alpha.test" << "" << ""
                                    << int(XmppClient::Failure::BadAddress);
  }
  void logInOutcomes() {
    QFETCH(QString, address);
    QFETCH(QString, password);
    QFETCH(QString, caFile);
    QFETCH(int, failure);
    XmppClient client;
    XmppClient::Account account =
        AccountOf(address, caFile.isEmpty() ? QString() : Dir() + QLatin1Char('/') + caFile);
    if (!password.isEmpty()) {
      account.Password = password;
    }
    const auto outcome = LogInAndWait(client, account);
    QVERIFY(outcome.has_value());
    qDebug() << int(*outcome) << client.CertificateError();
    QCOMPARE(int(*outcome), failure);
    if (failure == int(XmppClient::Failure::None)) {
      QVERIFY(client.BoundAddress().startsWith(QStringLiteral("alice@alpha.test/")));
    }
  }
};

QTEST_GUILESS_MAIN(TestXmppLink)
#include "test_xmpp_link.moc"
