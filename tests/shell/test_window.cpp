// The main window's layout, status line and event log, and its shut-down.
#include <memory>

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "game/Random.h"
#include "shell/Front.h"
#include "shell/WindowFakes.h"
#include "shell/frmMain.h"
#include "stages/Stages.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

using Rig = WindowRig;

QColor BackColor(const QWidget* widget) {
  return widget->palette().color(widget->backgroundRole());
}

}  // namespace

class TestWindow : public QObject {
  Q_OBJECT

 private slots:
  void windowFrame() {
    Rig rig;
    frmMain& w = *rig.window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Vextal"));
    QCOMPARE(w.centralWidget()->size(), QSize(341, 327));
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QVERIFY(!w.windowIcon().isNull());
    QVERIFY(w.windowIcon().availableSizes().contains(QSize(32, 32)));
    QVERIFY(w.windowIcon().availableSizes().contains(QSize(16, 16)));
    QCOMPARE(w.net().NetPort, 2501);
    const QTimer* timer = rig.Find<QTimer>("tmrAI");
    QCOMPARE(timer->interval(), 1000);
    // A window runs its timer from the start.
    rig.window.reset();
    FakeClock clock{kWindowClockStartMs};
    SeededRandom random(1);
    RecordingDialogs dialogs;
    frmMain fresh(clock, random, dialogs, rig.folder.path());
    QVERIFY(fresh.findChild<QTimer*>(QStringLiteral("tmrAI"))->isActive());
  }

  void controlsAtTheirPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("picStatus") << "picStatus" << QRect(0, 312, 341, 37);
    QTest::newRow("lblState") << "lblState" << QRect(2, 2, 337, 12);
    QTest::newRow("Front") << "Front" << QRect(4, 4, 331, 281);
    QTest::newRow("imgIcon") << "imgIcon" << QRect(0, 4, 32, 32);
    QTest::newRow("picActive1") << "picActive1" << QRect(4, 292, 13, 13);
    QTest::newRow("lblPlayer1") << "lblPlayer1" << QRect(24, 292, 65, 13);
    QTest::newRow("lblSum1") << "lblSum1" << QRect(96, 292, 65, 13);
    QTest::newRow("picActive2") << "picActive2" << QRect(176, 292, 13, 13);
    QTest::newRow("lblPlayer2") << "lblPlayer2" << QRect(196, 292, 65, 13);
    QTest::newRow("lblSum2") << "lblSum2" << QRect(268, 292, 65, 13);
  }

  void controlsAtTheirPlaces() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    Rig rig;
    const QWidget* control = rig.window->findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
  }

  void boardLabels() {
    Rig rig;
    const Front* front = rig.Find<Front>("Front");
    // The board's client area is its 329 x 279 picture; the labels sit inside it.
    QCOMPARE(front->contentsRect().size(), QSize(329, 279));
    struct Expected {
      const char* name;
      QRect geometry;
      QColor color;
    };
    const Expected labels[] = {
        {"lblDonate", QRect(4, 268, 125, 13), QColor(240, 128, 160)},
        {"lblCopyright", QRect(200, 268, 125, 13), QColor(160, 128, 240)},
        {"lblVersion", QRect(4, 4, 85, 13), QColor(160, 128, 240)},
    };
    for (const Expected& e : labels) {
      const QLabel* label = rig.Find<QLabel>(e.name);
      QCOMPARE(label->parentWidget(), front);
      QCOMPARE(label->geometry().translated(-front->ClientOrigin()), e.geometry);
      QCOMPARE(label->palette().color(QPalette::WindowText), e.color);
      QVERIFY(!label->autoFillBackground());
      // Every caption fits its label.
      QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= e.geometry.width(), e.name);
    }
    QCOMPARE(rig.Text("lblDonate"), QStringLiteral("PayPal Donate / PayPal Spenden"));
    QVERIFY(rig.Text("lblCopyright").contains(QStringLiteral("Vextal")));
    QCOMPARE(rig.Text("lblVersion"), QStringLiteral("Vextal Version %1.%2+%3")
                                         .arg(VEXTAL_VERSION_MAJOR)
                                         .arg(VEXTAL_VERSION_MINOR)
                                         .arg(VEXTAL_VERSION_PATCH));
    QVERIFY(!rig.Text("lblVersion").contains(QStringLiteral("[1]")));
  }

  void initialContent() {
    Rig rig;
    const QWidget* log = rig.window->findChild<QWidget*>(QStringLiteral("txtLog"));
    QVERIFY(!log || log->isHidden());
    QVERIFY(rig.Find<QWidget>("imgIcon")->isHidden());
    // The first game has started before the window is shown.
    QVERIFY(rig.Text("lblState").endsWith(QStringLiteral("] New game started.")));
    QCOMPARE(rig.LogLines().size(), 1);
    QCOMPARE(rig.Text("lblPlayer1"), QStringLiteral("Player 1"));
    QCOMPARE(rig.Text("lblPlayer2"), QStringLiteral("Player 2"));
    QCOMPARE(rig.Text("lblSum1"), QStringLiteral("0 + 0 = 0"));
    QCOMPARE(rig.Text("lblSum2"), QStringLiteral("0 + 0 = 0"));
    QCOMPARE(rig.window->game().ActPlayer(), Player(1));
    QCOMPARE(BackColor(rig.Find<QWidget>("picActive1")), QColor(0, 150, 240));
    QCOMPARE(BackColor(rig.Find<QWidget>("picActive2")), QColor(120, 60, 0));
    QVERIFY(rig.Find<QLabel>("lblPlayer1")->font().bold());
    QVERIFY(!rig.Find<QLabel>("lblPlayer2")->font().bold());
    // The status strip's sunken frame.
    const QWidget* strip = rig.Find<QWidget>("picStatus");
    const QPalette palette = strip->palette();
    QCOMPARE(BackColor(rig.Find<QWidget>("Line2")), palette.color(QPalette::Shadow));
    QCOMPARE(BackColor(rig.Find<QWidget>("Line3")), palette.color(QPalette::Shadow));
    QCOMPARE(BackColor(rig.Find<QWidget>("Line4")), palette.color(QPalette::Midlight));
    QCOMPARE(BackColor(rig.Find<QWidget>("Line5")), palette.color(QPalette::Midlight));
    QCOMPARE(rig.Find<QWidget>("Line4")->geometry().top(), 14);
    QCOMPARE(rig.Find<QWidget>("Line5")->geometry().left(), 340);
  }

  void startupStageIsOneToFour() {
    // The start-up board is one of the stages 1 to 4, and over a few starts each of them comes.
    SeededRandom unused(0);
    const QTemporaryDir folder;
    QSet<int> seen;
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
      FakeClock clock{kWindowClockStartMs};
      SeededRandom random(seed);
      RecordingDialogs dialogs;
      frmMain w(clock, random, dialogs, folder.path());
      int stage = 0;
      for (int n = 1; n <= 6 && stage == 0; ++n) {
        stage = w.game().Nodes() == BuildStage(n, unused) ? n : 0;
      }
      QVERIFY2(stage >= 1 && stage <= 4, qPrintable(QStringLiteral("seed %1").arg(seed)));
      seen.insert(stage);
    }
    QCOMPARE(seen, (QSet<int>{1, 2, 3, 4}));
  }

  void logLines() {
    Rig rig;
    frmMain& w = *rig.window;
    w.AddLog(QStringLiteral("first"));
    w.AddLog(QStringLiteral("second"));
    w.AddLog(QString());
    w.AddLog(QStringLiteral("third"));

    const QStringList lines = rig.LogLines();
    QCOMPARE(lines.size(), 5);
    // "[" local time with hours, minutes and seconds (a day-period marker where the regional
    // format has one) "] " message.
    const QStringList messages{"first", "second", "", "third"};
    for (int i = 0; i < messages.size(); ++i) {
      const QRegularExpression shape(
          QStringLiteral(R"(^\[\d{1,2}:\d{2}:\d{2}(\s?[^\d\s\]]+)?\] %1$)")
              .arg(QRegularExpression::escape(messages[i])));
      QVERIFY2(shape.match(lines[i + 1]).hasMatch(), qPrintable(lines[i + 1]));
    }
    QCOMPARE(rig.Text("lblState"), lines.last());
  }

  // The log keeps its newest lines, before its box is first shown and after.
  void logKeepsItsNewestLines() {
    Rig rig;
    frmMain& w = *rig.window;
    const auto addLines = [&](int from, int to) {
      for (int i = from; i < to; ++i) {
        w.AddLog(QStringLiteral("n %1").arg(i));
      }
    };
    constexpr int kMax = frmMain::kMaxLogLines;
    addLines(0, kMax + 5);
    for (const bool shown : {false, true}) {
      const QStringList lines = rig.LogLines();
      QCOMPARE(lines.size(), kMax);
      QVERIFY2(lines.first().endsWith(QStringLiteral("] n %1").arg(shown ? 10 : 5)),
               qPrintable(lines.first()));
      QCOMPARE(rig.Text("lblState"), lines.last());
      w.lblState_DblClick();
      addLines(kMax + 5, kMax + 10);
    }
  }

  void doubleClickTogglesTheLog() {
    Rig rig;
    frmMain& w = *rig.window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QLabel* state = rig.Find<QLabel>("lblState");
    const QImage board = rig.Find<Front>("Front")->Image();
    // The first show holds every line since start, the newest in view.
    for (int i = 0; i < 40; ++i) {
      w.AddLog(QStringLiteral("early %1").arg(i));
    }
    const QString early = w.LogText();

    QTest::mouseDClick(state, Qt::LeftButton);
    auto* log = rig.Find<QPlainTextEdit>("txtLog");
    QVERIFY(log->isVisible());
    QCOMPARE(log->geometry(), QRect(4, 4, 333, 281));
    QCOMPARE(log->toPlainText(), early);
    QCOMPARE(early.count(QLatin1Char('\n')), 40);
    const QScrollBar* bar = log->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());
    // While shown, the newest line stays in view.
    for (int i = 0; i < 80; ++i) {
      w.AddLog(QStringLiteral("line %1").arg(i));
    }
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(rig.Text("lblState").endsWith(QStringLiteral("] line 79")));

    QTest::mouseDClick(state, Qt::LeftButton);
    QVERIFY(!log->isVisible());
    QCOMPARE(rig.Find<Front>("Front")->Image(), board);

    // Lines written while hidden are in view when it is shown again.
    for (int i = 0; i < 20; ++i) {
      w.AddLog(QStringLiteral("more %1").arg(i));
    }
    w.lblState_DblClick();
    QVERIFY(log->isVisible());
    QCOMPARE(bar->value(), bar->maximum());
  }

  void farewellAfterALongerRun_data() {
    QTest::addColumn<qint64>("runMs");
    QTest::addColumn<bool>("viaExit");
    QTest::addColumn<bool>("farewell");
    QTest::newRow("short run") << qint64(5'000) << false << false;
    QTest::newRow("120 s") << qint64(120'000) << false << false;
    QTest::newRow("120.4 s") << qint64(120'400) << false << false;
    QTest::newRow("121 s") << qint64(121'000) << false << true;
    QTest::newRow("120 s, Exit") << qint64(120'000) << true << false;
    QTest::newRow("121 s, Exit") << qint64(121'000) << true << true;
    QTest::newRow("an hour") << qint64(3'600'000) << false << true;
  }

  void farewellAfterALongerRun() {
    QFETCH(qint64, runMs);
    QFETCH(bool, viaExit);
    QFETCH(bool, farewell);
    Rig rig;
    rig.window->show();
    rig.clock.Advance(runMs);
    if (viaExit) {
      rig.Item("mnuExit")->trigger();
    } else {
      rig.window->close();
    }
    QVERIFY(!rig.window->isVisible());
    QCOMPARE(rig.dialogs.boxes.size(), farewell ? 1 : 0);
    if (farewell) {
      const RecordingDialogs::Box& box = rig.dialogs.boxes.first();
      QCOMPARE(box.icon, BoxIcon::Information);
      QCOMPARE(box.buttons, BoxButtons::Ok);
      QCOMPARE(box.title, QStringLiteral("Support Vextal"));
      QCOMPARE(box.text, QStringLiteral("Thanks for your support!                              \r\n"
                                        "\r\n"
                                        "- Forward it to your friends\r\n"
                                        "- Sign the guestbook\r\n"
                                        "- Donate via PayPal\r\n"
                                        "\r\n"
                                        "Murvo"));  // and no address: the build has no site
    }
    // Shutting down twice shows nothing more, and nothing moves after the end.
    rig.window->close();
    QCOMPARE(rig.dialogs.boxes.size(), farewell ? 1 : 0);
    QVERIFY(!rig.Find<QTimer>("tmrAI")->isActive());
  }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"
