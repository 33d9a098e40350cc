// The desktop's wish for high contrast as its settings portal tells it, asked on a private
// session bus (dbus-run-session) where a fake portal answers.
#include <optional>

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusVariant>
#include <QTemporaryDir>
#include <QtTest>

#include "shell/DesktopContrast.h"
#include "shell/ShellSettings.h"
#include "shell/WindowFakes.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

class FakePortal : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

 public:
  std::optional<QVariant> contrast;  // none: the key is unknown, as to a portal before it
  int reads = 0;

 public slots:
  QDBusVariant Read(const QString& space, const QString& key) {
    ++reads;
    if (space != QLatin1String("org.freedesktop.appearance") || key != QLatin1String("contrast") ||
        !contrast) {
      sendErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"),
                     QStringLiteral("Requested setting not found"));
      return {};
    }
    return QDBusVariant(QVariant::fromValue(QDBusVariant(*contrast)));
  }
};

}  // namespace

class TestDesktopContrast : public QObject {
  Q_OBJECT

  QDBusConnection portalBus_{QString()};
  FakePortal portal_;

  std::optional<bool> Ask() {
    std::optional<bool> said;
    QObject context;
    AskDesktopContrast(&context, [&said](bool higher) { said = higher; });
    if (!QTest::qWaitFor([&said] { return said.has_value(); }, 5000)) {
      qWarning("no answer");
    }
    return said;
  }

 private slots:
  void initTestCase() {
    if (!QDBusConnection::sessionBus().isConnected()) {
      QSKIP("needs a session bus (run through dbus-run-session)");
    }
    // The portal on a connection of its own, so the question travels over the bus.
    portalBus_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "portal");
    QVERIFY(portalBus_.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &portal_,
                                      QDBusConnection::ExportAllSlots));
    QVERIFY(portalBus_.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
  }

  void portalAnswers_data() {
    QTest::addColumn<QVariant>("contrast");
    QTest::addColumn<bool>("higher");
    QTest::newRow("higher contrast") << QVariant::fromValue(1u) << true;
    QTest::newRow("no preference") << QVariant::fromValue(0u) << false;
    QTest::newRow("a text, not a number") << QVariant(QStringLiteral("1")) << false;
    QTest::newRow("the key unknown") << QVariant() << false;
  }
  void portalAnswers() {
    QFETCH(QVariant, contrast);
    QFETCH(bool, higher);
    portal_.contrast = contrast.isValid() ? std::optional(contrast) : std::nullopt;
    QCOMPARE(Ask(), std::optional(higher));
  }

  // Until the player chooses colours, the window takes the high-contrast scheme when the portal
  // asks for it; a choice kept from an earlier run stays, and the portal is not even asked.
  void windowFollowsThePortalUntilAChoice() {
    portal_.contrast = QVariant::fromValue(1u);
    portal_.reads = 0;
    QTemporaryDir dir;
    ShellSettings chosen(dir.filePath(QStringLiteral("Vextal.conf")));
    chosen.SetPlayerColors(ColorScheme::ColorBlindSafe);
    FakeClock clock{kWindowClockStartMs};
    SeededRandom random{1};
    RecordingDialogs dialogs;
    frmMain kept(clock, random, dialogs, chosen, dir.path());
    WindowRig first;
    QCOMPARE(first.window->PlayerColors(), ColorScheme::Original);
    QTRY_COMPARE(first.window->PlayerColors(), ColorScheme::HighContrast);
    QVERIFY(first.Item("mnuColors2")->isChecked());
    QCOMPARE(kept.PlayerColors(), ColorScheme::ColorBlindSafe);
    QCOMPARE(portal_.reads, 1);
  }
};

QTEST_MAIN(TestDesktopContrast)
#include "test_desktop_contrast.moc"
