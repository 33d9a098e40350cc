// Playing in the main window: clicks on the board, the painted board, and whole games against
// the CPU player up to the game-over box.
#include <memory>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QtTest>

#include "game/Random.h"
#include "shell/Artwork.h"
#include "shell/Front.h"
#include "shell/Mnemonics.h"
#include "shell/WindowFakes.h"
#include "shell/frmMain.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

struct Rig {
  QTemporaryDir folder;  // the program folder, without sounds or tunes
  FakeClock clock{kWindowClockStartMs};
  SeededRandom random;
  RecordingDialogs dialogs;
  std::unique_ptr<frmMain> window;
  Front* front = nullptr;

  explicit Rig(std::uint64_t seed = 99) : random(seed) {
    window = std::make_unique<frmMain>(clock, random, dialogs, folder.path());
    window->findChild<QTimer*>(QStringLiteral("tmrAI"))->stop();  // ticks only when a test says
    front = window->findChild<Front*>(QStringLiteral("Front"));
    window->show();
  }
  Game& game() { return window->game(); }
  QString Text(const char* name) const {
    return window->findChild<QLabel*>(QString::fromLatin1(name))->text();
  }
  QString LastLogLine() const { return window->LogText().split(QLatin1Char('\n')).last(); }
  void Stage(int n) { window->findChild<QAction*>(QStringLiteral("mnuSetup%1").arg(n))->trigger(); }
  // A mouse button at a pixel of the board picture.
  void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(front, button, {}, front->ClientOrigin() + QPoint(x, y));
    QTest::mouseRelease(front, button, {}, front->ClientOrigin() + QPoint(x, y));
  }
  void ClickNode(int c, int r, Qt::MouseButton button = Qt::LeftButton) {
    Click(50 * c + 15, 50 * r + 15, button);
  }
  QColor Pixel(int x, int y) const { return QColor(front->Image().pixel(x, y)); }
  // The node the keyboard's frame is around, or (0, 0) while it is hidden.
  QPoint Framed() const {
    const auto frame = front->FocusFrame();
    return frame ? (frame->topLeft() + QPoint(4, 4)) / 50 : QPoint();
  }
  void Keys(std::initializer_list<Qt::Key> keys) {
    for (const Qt::Key key : keys) {
      QTest::keyClick(front, key);
    }
  }
};

// What the game-over box must say for the scores at the end of a game.
// The score a sum label shows ("nodes + links = score"): while the result box is open the
// labels still show the final position, though the next game is already set up.
int ShownScore(const QString& sum) {
  return sum.section(QStringLiteral(" = "), 1).toInt();
}

QString ExpectedGameOverText(const QString& name1, const QString& name2, bool againstCpu, int s1,
                             int s2) {
  if (s1 == s2) {
    return QStringLiteral("Draw - both have %1 points!").arg(s1);
  }
  const QString points = QStringLiteral("%1 to %2 points.").arg(s1).arg(s2);
  if (againstCpu) {
    return (s1 > s2 ? QStringLiteral("You win! ") : QStringLiteral("You lose... ")) + points;
  }
  return (s1 > s2 ? name1 : name2) + QStringLiteral(" wins! ") + points;
}

const QColor kMarkerYellow(255, 220, 0);

struct GameEnd {
  bool finalPositionShown = false;
  QString expectedText;
  QString logLine;
  QString sum1;
  QString sum2;
  int score1 = 0;
  int score2 = 0;
};

}  // namespace

class TestWindowPlay : public QObject {
  Q_OBJECT

 private slots:
  void clickClaimsTheNodeUnderTheMouse() {
    Rig rig;
    rig.Stage(6);
    rig.Stage(6);  // two new games: player 1 to move again
    QCOMPARE(rig.game().ActPlayer(), Player(1));

    rig.ClickNode(1, 1);
    QCOMPARE(rig.game().Nodes()(1, 1).Owner, Player(1));
    QCOMPARE(rig.Text("lblSum1"), QStringLiteral("1 + 0 = 1"));
    QCOMPARE(rig.game().ActPlayer(), Player(2));
    QCOMPARE(rig.Pixel(65, 65), QColor(0, 150, 240));
    QCOMPARE(rig.Pixel(58, 65), QColor(0, 60, 120));  // player 1's ring, seen without colour
    const QWidget* marker2 = rig.window->findChild<QWidget*>(QStringLiteral("picActive2"));
    QCOMPARE(marker2->palette().color(QPalette::Window), QColor(240, 150, 0));
    QVERIFY(rig.window->findChild<QLabel*>(QStringLiteral("lblPlayer2"))->font().bold());

    // Any button plays; the click need not hit the square's centre.
    rig.Click(50 * 2 + 1, 50 * 1 + 28, Qt::RightButton);
    QCOMPARE(rig.game().Nodes()(2, 1).Owner, Player(2));
    QCOMPARE(rig.Pixel(115, 65), QColor(240, 150, 0));
    QCOMPARE(rig.Pixel(108, 58), QColor(120, 60, 0));  // and player 2's corner dot
    QCOMPARE(rig.Text("lblSum2"), QStringLiteral("1 + 0 = 1"));

    // Expanding (1,1): links toward (2,1) and (1,2).
    rig.ClickNode(1, 1, Qt::MiddleButton);
    QCOMPARE(rig.Text("lblSum1"), QStringLiteral("1 + 2 = 3"));
    QCOMPARE(rig.Pixel(90, 65), QColor(50, 100, 100));
    QCOMPARE(rig.Pixel(65, 90), QColor(50, 100, 100));

    // A click outside every node, and one on the board's labels, change nothing.
    const Board before = rig.game().Nodes();
    rig.Click(2, 2);
    rig.Click(10, 275);
    QCOMPARE(rig.game().Nodes(), before);
    QCOMPARE(rig.game().ActPlayer(), Player(2));
  }

  void paintedBoardMatchesTheState() {
    Rig rig;
    rig.Stage(2);                                        // columns 2 to 4 in every row
    QCOMPARE(rig.Pixel(101, 51), QColor(150, 50, 200));  // node (2,1)
    QCOMPARE(rig.Pixel(106, 106), QColor(70, 20, 80));   // free
    QCOMPARE(rig.Pixel(140, 65), QColor(60, 30, 70));    // bar (2,1)-(3,1)
    QCOMPARE(rig.Pixel(115, 90), QColor(60, 30, 70));    // bar (2,1)-(2,2)
    // No node at (1,1): the background picture shows there.
    const QImage background = BoardBackground();
    QCOMPARE(rig.Pixel(60, 60), QColor(background.pixel(60, 60)));

    // A board without nodes is the background and nothing else.
    rig.window->mnuSetup_Click(0);
    QCOMPARE(rig.front->Image().size(), QSize(329, 279));
    QCOMPARE(rig.front->Image(), background.convertToFormat(rig.front->Image().format()));

    // The window shows the stored image.
    rig.Stage(6);
    const QImage shown = rig.front->grab().toImage();
    const QPoint origin = rig.front->ClientOrigin();
    for (const QPoint& p : {QPoint(65, 65), QPoint(90, 65), QPoint(300, 250), QPoint(3, 100)}) {
      QCOMPARE(QColor(shown.pixel(origin + p)), rig.Pixel(p.x(), p.y()));
    }
  }

  void aBurstOfChangesPaintsTheBoardOnce() {
    Rig rig;
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    int paints = 0;
    rig.front->SetPainter([&paints](QPainter&) { ++paints; });
    for (int i = 0; i < 300; ++i) {
      rig.window->DrawBoard();
      rig.window->AddLog(QStringLiteral("move %1").arg(i));  // repaints the status line at once
    }
    QCOMPARE(paints, 0);
    QTRY_COMPARE(paints, 1);  // on the way back through the event loop
    rig.front->Image();
    QTest::qWait(20);
    QCOMPARE(paints, 1);
    // A read in between gets the new picture at once, without the event loop.
    rig.window->DrawBoard();
    rig.front->Image();
    QCOMPARE(paints, 2);
  }

  void keysFrameAndPlayTheNodes() {
    Rig rig;
    QVERIFY(rig.front->focusPolicy() & Qt::TabFocus);
    rig.Stage(4);  // XX-XX / XXXXX / -X-X- / -XXX-
    rig.Stage(4);  // player 1 to move
    const QImage painted = rig.front->Image();
    rig.Keys({Qt::Key_Space});  // nothing framed, nothing played
    QCOMPARE(rig.Framed(), QPoint());
    QCOMPARE(rig.game().ActPlayer(), Player(1));

    rig.Keys({Qt::Key_Right});  // the first arrow shows the frame
    QCOMPARE(rig.Framed(), QPoint(1, 1));
    // Drawn over the board, not into its image: black, then a white ring, around the square.
    const QImage shown = rig.front->grab().toImage();
    const QPoint origin = rig.front->ClientOrigin();
    QCOMPARE(QColor(shown.pixel(origin + QPoint(46, 60))), QColor(Qt::black));
    QCOMPARE(QColor(shown.pixel(origin + QPoint(47, 60))), QColor(Qt::white));
    QCOMPARE(rig.front->Image(), painted);

    // Over the gaps to the nearest node in that direction, and never off the board.
    const struct {
      Qt::Key key;
      QPoint to;
    } moves[] = {{Qt::Key_Left, {1, 1}},  {Qt::Key_Up, {1, 1}},   {Qt::Key_Right, {2, 1}},
                 {Qt::Key_Right, {4, 1}}, {Qt::Key_Down, {4, 2}}, {Qt::Key_Down, {4, 3}},
                 {Qt::Key_Left, {2, 3}},  {Qt::Key_Down, {2, 4}}, {Qt::Key_Down, {2, 4}},
                 {Qt::Key_Left, {1, 2}}};
    for (const auto& move : moves) {
      rig.Keys({move.key});
      QCOMPARE(rig.Framed(), move.to);
    }

    // Space plays the framed node as a click would.
    rig.Keys({Qt::Key_Space});
    QCOMPARE(rig.game().Nodes()(1, 2).Owner, Player(1));
    QCOMPARE(rig.game().ActPlayer(), Player(2));
    // Against the CPU, the person may not play player 2's turn: not by keys either.
    rig.window->findChild<QAction*>(QStringLiteral("mnuEnableAI"))->trigger();
    rig.Keys({Qt::Key_Right, Qt::Key_Return, Qt::Key_Enter});
    QCOMPARE(rig.game().Nodes()(2, 2).Owner, Player(0));
    QCOMPARE(rig.game().ActPlayer(), Player(2));

    // A click hides the frame; the next arrow shows it on the clicked node.
    rig.ClickNode(5, 2);
    QCOMPARE(rig.Framed(), QPoint());
    rig.Keys({Qt::Key_Down});
    QCOMPARE(rig.Framed(), QPoint(5, 2));
    // Tab alone shows where the keys act.
    rig.ClickNode(1, 1);
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    rig.Keys({Qt::Key_Tab});
    QCOMPARE(rig.Framed(), QPoint(1, 1));
  }

  void gameAgainstTheCpuEndsWithTheBox() {
    for (std::uint64_t seed : {1u, 2u, 3u, 4u, 5u}) {
      Rig rig(seed);
      rig.window->findChild<QAction*>(QStringLiteral("mnuEnableAI"))->trigger();
      Game& game = rig.game();
      GameEnd end;
      rig.dialogs.onMessage = [&](const RecordingDialogs::Box&) {
        end.logLine = rig.LastLogLine();
        end.sum1 = rig.Text("lblSum1");
        end.sum2 = rig.Text("lblSum2");
        end.score1 = ShownScore(end.sum1);
        end.score2 = ShownScore(end.sum2);
        end.expectedText = ExpectedGameOverText(rig.Text("lblPlayer1"), rig.Text("lblPlayer2"),
                                                true, end.score1, end.score2);
        // Painted now, the board is the final position: the last move's node is owned and
        // marked, though the next game is already set up underneath.
        const auto last = game.ShownLastMove();
        const QImage shown = rig.front->grab().toImage();
        const QPoint at =
            rig.front->ClientOrigin() + QPoint(50 * last->Column + 15, 50 * last->Row + 15);
        const QColor owner(shown.pixel(at));
        end.finalPositionShown = (owner == QColor(0, 150, 240) || owner == QColor(240, 150, 0)) &&
                                 QColor(shown.pixel(at - QPoint(16, 0))) == kMarkerYellow &&
                                 game.Nodes()(last->Column, last->Row).Owner == 0;
      };

      // The person plays the first legal move; the CPU answers on the ticks.
      for (int turn = 0; turn < 200 && rig.dialogs.boxes.isEmpty(); ++turn) {
        if (game.ActPlayer() == 1) {
          bool clicked = false;
          for (int c = 1; c <= 5 && !clicked; ++c) {
            for (int r = 1; r <= 4 && !clicked; ++r) {
              if (game.IsLegalMove(c, r, 1)) {
                rig.ClickNode(c, r);
                clicked = true;
              }
            }
          }
          QVERIFY(clicked);
          // A tick within 200 ms of the move does not answer yet.
          rig.clock.Advance(100);
          if (rig.dialogs.boxes.isEmpty()) {
            rig.window->tmrAI_Timer();
            QCOMPARE(game.ActPlayer(), Player(2));
          }
        } else {
          rig.clock.Advance(1000);
          rig.window->tmrAI_Timer();
        }
      }
      QCOMPARE(rig.dialogs.boxes.size(), 1);
      const RecordingDialogs::Box& box = rig.dialogs.boxes.first();
      QCOMPARE(box.title, QStringLiteral("Game Over"));
      QCOMPARE(box.buttons, BoxButtons::Ok);
      QCOMPARE(box.text, end.expectedText);
      QVERIFY(end.finalPositionShown);
      // The box is told to leave the board in view: where it is on screen, and the window.
      QVERIFY(box.keep);
      QCOMPARE(box.keep->board, QRect(rig.front->mapToGlobal(QPoint()), rig.front->size()));
      QCOMPARE(box.keep->window, rig.window->frameGeometry());
      const bool draw = end.score1 == end.score2;
      QCOMPARE(box.icon, draw ? BoxIcon::Exclamation : BoxIcon::Information);
      const QString scores = QStringLiteral("(%1/%2)").arg(end.score1).arg(end.score2);
      QVERIFY2(
          end.logLine.endsWith(draw ? QStringLiteral("] Game Over: Draw ") + scores
                                    : (end.score1 > end.score2 ? QStringLiteral("] Player wins ")
                                                               : QStringLiteral("] CPU wins ")) +
                                          scores),
          qPrintable(end.logLine));
      QVERIFY(end.sum1.endsWith(QStringLiteral(" = %1").arg(end.score1)));
      QVERIFY(end.sum2.endsWith(QStringLiteral(" = %1").arg(end.score2)));
      // After the box the next game has begun.
      QVERIFY(rig.LastLogLine().endsWith(QStringLiteral("] New game started.")));
      QCOMPARE(rig.Text("lblSum1"), QStringLiteral("0 + 0 = 0"));
    }
  }

  // With sound effects off a refused click shows a cross on the node and the reason in the status
  // line; with sound on it shows nothing until "Visual cues" asks for it.
  void refusedMoveIsShownWithoutSound() {
    Rig rig;
    rig.Stage(6);
    rig.Stage(6);
    rig.ClickNode(1, 1);  // player 1's
    const QPoint middle = rig.front->ClientOrigin() + QPoint(65, 65);
    const QImage before = rig.front->grab().toImage();
    const QString line = rig.LastLogLine();
    rig.ClickNode(1, 1);  // player 2 on player 1's node
    QCOMPARE(rig.front->grab().toImage(), before);
    QCOMPARE(rig.LastLogLine(), line);

    rig.window->findChild<QAction*>(QStringLiteral("mnuEnableSound"))->trigger();
    rig.ClickNode(1, 1);
    QVERIFY(rig.front->RefusalMark());
    QCOMPARE(QColor(rig.front->grab().toImage().pixel(middle)), QColor(255, 0, 0));
    QVERIFY(rig.LastLogLine().endsWith(
        QStringLiteral("] Refused: column 1, row 1 belongs to your opponent.")));
    QCOMPARE(rig.Pixel(65, 65), QColor(0, 150, 240));  // drawn over the image, never into it

    // "Visual cues" shows it with sound on, and marks the nodes blocked for the player to move.
    rig.window->findChild<QAction*>(QStringLiteral("mnuEnableSound"))->trigger();
    rig.window->findChild<QAction*>(QStringLiteral("mnuVisualCues"))->trigger();
    QVERIFY(rig.window->VisualCues());
    rig.ClickNode(2, 1);  // player 2
    rig.ClickNode(1, 1);  // player 1 expands: links toward (2,1) and (1,2)
    rig.ClickNode(2, 1);  // player 2 expands: (2,2) and (3,1) blocked for player 1
    QCOMPARE(rig.Pixel(115, 115), QColor(210, 210, 210));
    rig.ClickNode(2, 2);  // refused for player 1
    QVERIFY(rig.front->RefusalMark());
    QVERIFY(rig.LastLogLine().endsWith(
        QStringLiteral("] Refused: column 2, row 2 is blocked for you.")));
  }

  // The CPU's move is marked over the board, never in its image; Ctrl+Z takes it back with the
  // person's move; H frames a hint without playing it, until the position changes; the mark can
  // be turned off.
  void markUndoAndHintByKeys() {
    Rig rig;
    rig.Stage(6);
    rig.Stage(6);  // player 1 to move on the full grid
    rig.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    rig.window->findChild<QAction*>(QStringLiteral("mnuEnableAI"))->trigger();
    const QImage empty = rig.front->Image();
    rig.ClickNode(3, 2);
    rig.clock.Advance(1000);
    rig.window->tmrAI_Timer();
    const auto cpu = rig.game().ShownLastMove();
    QVERIFY(cpu && rig.game().Nodes()(cpu->Column, cpu->Row).Owner == 2);
    const QPoint ring = rig.front->ClientOrigin() + QPoint(50 * cpu->Column - 1, 50 * cpu->Row);
    QCOMPARE(QColor(rig.front->grab().toImage().pixel(ring)), kMarkerYellow);
    QVERIFY(QColor(rig.front->Image().pixel(ring - rig.front->ClientOrigin())) != kMarkerYellow);

    QTest::keyClick(rig.window.get(), Qt::Key_H);
    QTRY_VERIFY(rig.Framed() != QPoint());
    // The hint's ring is dashed in a colour of its own: neither the keys' white nor the yellow.
    QCOMPARE(rig.front->FocusFrameStyle(), Front::FrameStyle::Hint);
    const QPoint dash =
        rig.front->ClientOrigin() + rig.front->FocusFrame()->topLeft() + QPoint(1, 1);
    QCOMPARE(QColor(rig.front->grab().toImage().pixel(dash)), QColor(255, 80, 255));
    QTest::keyClick(rig.window.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(rig.Framed(), QPoint());  // the hint held for the position taken back
    QCOMPARE(rig.front->Image(), empty);
    QVERIFY(!rig.front->MoveMarker());
    QCOMPARE(rig.Text("lblSum2"), QStringLiteral("0 + 0 = 0"));
    QVERIFY(rig.LastLogLine().endsWith(QStringLiteral("] Move taken back.")));

    QTest::keyClick(rig.window.get(), Qt::Key_H);
    QTRY_VERIFY(rig.Framed() != QPoint());
    QVERIFY(rig.game().IsLegalMove(rig.Framed().x(), rig.Framed().y(), 1));
    QCOMPARE(rig.front->Image(), empty);

    rig.window->findChild<QAction*>(QStringLiteral("mnuMarkLastMove"))->trigger();
    rig.ClickNode(1, 1);
    QVERIFY(!rig.front->MoveMarker());
  }

  // Once a menu closes, whether opened by keys or by the mouse, the keys act on the board again:
  // the menu bar lets them go.
  void keysReturnToTheBoardAfterAMenu() {
    Rig rig;
    rig.Stage(6);
    rig.Stage(6);  // player 1 to move on the full grid
    rig.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    // Keys as the window system delivers them: to the open menu, else to the focus.
    QWindow* keys = rig.window->windowHandle();
    auto* file = rig.window->findChild<QMenu*>(QStringLiteral("mnuFile"));
    auto* language = rig.window->findChild<QMenu*>(QStringLiteral("mnuLanguage"));
    const auto noMenuOpen = [] { return QApplication::activePopupWidget() == nullptr; };

    QTest::keyClick(keys, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(file->isVisible());
    const QChar languageKey = MnemonicOf(language->menuAction()->text());
    QTest::keyClick(keys, Qt::Key(languageKey.toUpper().unicode()));
    QTRY_VERIFY(language->isVisible());
    QTest::keyClick(keys, Qt::Key_Escape);
    QTRY_VERIFY(!language->isVisible());
    QTest::keyClick(keys, Qt::Key_Escape);
    QTRY_VERIFY(noMenuOpen());
    QTRY_VERIFY(rig.Framed() != QPoint());  // the keys' frame says where they act
    const QPoint framed = rig.Framed();
    QTest::keyClick(keys, Qt::Key_Down);
    QVERIFY(noMenuOpen());
    QCOMPARE(rig.Framed(), framed + QPoint(0, 1));
    QTest::keyClick(keys, Qt::Key_Return);
    QVERIFY(!rig.window->findChild<QAction*>(QStringLiteral("mnuEnableAI"))->isChecked());
    QCOMPARE(rig.game().Nodes()(framed.x(), framed.y() + 1).Owner, Player(1));

    // Opened by the mouse and closed with Escape: H is the hint's key, not the Help menu's.
    QMenuBar* bar = rig.window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
    QTRY_VERIFY(file->isVisible());
    QTest::keyClick(keys, Qt::Key_Escape);
    QTRY_VERIFY(noMenuOpen());
    QTRY_COMPARE(rig.window->focusWidget(), static_cast<QWidget*>(rig.front));
    // The offscreen platform leaves the activation with the closed menu; a desktop gives it back.
    QApplication::setActiveWindow(rig.window.get());
    QTRY_COMPARE(QApplication::activeWindow(), rig.window.get());
    const QPoint before = rig.Framed();  // player 1's node: never player 2's hint
    QTest::keyClick(keys, Qt::Key_H);
    QTRY_VERIFY(rig.Framed() != before);
    QVERIFY(noMenuOpen());
    QVERIFY(rig.game().IsLegalMove(rig.Framed().x(), rig.Framed().y(), 2));
  }

  void demoPlaysBothSeatsToTheEnd() {
    Rig rig(7);
    rig.window->findChild<QAction*>(QStringLiteral("mnuEnableAI"))->trigger();
    rig.window->findChild<QAction*>(QStringLiteral("mnuEnableDemo"))->trigger();
    Game& game = rig.game();
    QString expected;
    rig.dialogs.onMessage = [&](const RecordingDialogs::Box&) {
      expected =
          ExpectedGameOverText(rig.Text("lblPlayer1"), rig.Text("lblPlayer2"), false,
                               ShownScore(rig.Text("lblSum1")), ShownScore(rig.Text("lblSum2")));
    };
    // In the demo no click plays.
    const Board before = game.Nodes();
    rig.ClickNode(3, 2);
    QCOMPARE(game.Nodes(), before);

    int ticks = 0;
    while (rig.dialogs.boxes.isEmpty() && ticks < 200) {
      rig.clock.Advance(1000);
      rig.window->tmrAI_Timer();
      ++ticks;
    }
    QCOMPARE(rig.dialogs.boxes.size(), 1);
    QCOMPARE(rig.dialogs.boxes.first().text, expected);
    QVERIFY(expected.startsWith(QStringLiteral("CPU ")) ||
            expected.startsWith(QStringLiteral("Draw")));
    // The next game goes on at the same pace.
    const int owned = [&] {
      int n = 0;
      for (int c = 1; c <= 5; ++c) {
        for (int r = 1; r <= 4; ++r) {
          n += game.Nodes()(c, r).Owner != 0 ? 1 : 0;
        }
      }
      return n;
    }();
    QCOMPARE(owned, 0);
    rig.clock.Advance(1000);
    rig.window->tmrAI_Timer();
    QVERIFY(rig.Text("lblSum1") != QStringLiteral("0 + 0 = 0") ||
            rig.Text("lblSum2") != QStringLiteral("0 + 0 = 0"));
  }
};

QTEST_MAIN(TestWindowPlay)
#include "test_window_play.moc"
