// The board as assistive technology sees it, in the process: the accessible tree Qt hands a
// screen reader, and the events it is sent.
#include <QAccessible>
#include <QtTest>

#include "shell/Front.h"
#include "shell/WindowFakes.h"

using namespace vextal;
using namespace vextal::testing;

namespace {

// What the window told assistive technology: object name, event type, child index, and the role
// of what it was about.
struct Heard {
  QString object;
  QAccessible::Event type;
  int child;
  QAccessible::Role role;
};
QList<Heard> heard;

void Record(QAccessibleEvent* event) {
  QAccessibleInterface* iface = event->accessibleInterface();
  heard.append({event->object() ? event->object()->objectName() : QString(), event->type(),
                event->child(), iface ? iface->role() : QAccessible::NoRole});
}

struct AccessRig : WindowRig {
  Front* front = Find<Front>("Front");
  AccessRig() {
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    front->setFocus();
    Stage(6);
    Stage(6);  // the full grid, player 1 to move
    heard.clear();
  }
  void Stage(int n) { Item(qPrintable(QStringLiteral("mnuSetup%1").arg(n)))->trigger(); }
  QAccessibleInterface* Board() const { return QAccessible::queryAccessibleInterface(front); }
  QAccessibleInterface* Cell(int column, int row) const {
    return Board()->tableInterface()->cellAt(row - 1, column - 1);
  }
  QString Name(int column, int row) const { return Cell(column, row)->text(QAccessible::Name); }
  // The press is played from the event loop, as a button's is.
  void Press(int column, int row) const {
    Cell(column, row)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
  }
};

}  // namespace

class TestBoardAccess : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QAccessible::installUpdateHandler(&Record);
    QAccessible::setActive(true);
    QTRY_VERIFY(QAccessible::isActive());
  }

  // Every grid point is a cell of a 5 x 4 table, named by its place and state, as seen by the
  // player to move.
  void everyNodeIsANamedCell() {
    AccessRig rig;
    QAccessibleInterface* board = rig.Board();
    QCOMPARE(board->role(), QAccessible::Table);
    QCOMPARE(board->text(QAccessible::Name), QStringLiteral("Board"));
    QCOMPARE(board->tableInterface()->columnCount(), 5);
    QCOMPARE(board->tableInterface()->rowCount(), 4);
    for (int r = 1; r <= 4; ++r) {
      for (int c = 1; c <= 5; ++c) {
        QAccessibleInterface* cell = rig.Cell(c, r);
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->parent(), board);
        QCOMPARE(board->child(board->indexOfChild(cell)), cell);
        QCOMPARE(cell->tableCellInterface()->columnIndex(), c - 1);
        QCOMPARE(rig.Name(c, r), QStringLiteral("Column %1, row %2: free").arg(c).arg(r));
        QCOMPARE(board->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
      }
    }
    // The board's labels follow the cells.
    QCOMPARE(board->childCount(), 20 + 3);
    QCOMPARE(board->child(20)->role(), QAccessible::StaticText);

    // Player 1 owns (3,2), expanded with links up and left; then player 2 is to move.
    Board position = rig.window->game().Nodes();
    Node& own = position(3, 2);
    own.Owner = 1;
    own.Expanded = kTrue16;
    own.LinkUp = own.LinkLeft = 1;
    rig.window->game().LoadBoard(position, 1);
    QCOMPARE(rig.Name(3, 2), QStringLiteral("Column 3, row 2: yours, expanded, 2 links"));
    QCOMPARE(rig.Name(2, 2), QStringLiteral("Column 2, row 2: free, blocked for Player 2"));
    heard.clear();
    rig.window->game().LoadBoard(position, 2);
    QCOMPARE(rig.Name(3, 2),
             QStringLiteral("Column 3, row 2: owned by Player 1, expanded, 2 links"));
    QCOMPARE(rig.Name(2, 2), QStringLiteral("Column 2, row 2: free, blocked for you"));
    // Cells read before say that their words changed: (3,2), and (2,2) and (3,1) its links block;
    // cells that did not change say nothing.
    QCOMPARE(std::count_if(heard.cbegin(), heard.cend(),
                           [](const Heard& h) {
                             return h.role == QAccessible::Cell &&
                                    h.type == QAccessible::NameChanged;
                           }),
             3);
  }

  // The focused cell is the keyboard's: each arrow key tells the cell it framed.
  void focusFollowsTheKeyboardFrame() {
    AccessRig rig;
    QVERIFY(rig.front->hasFocus());
    QVERIFY(!rig.Board()->focusChild());  // no frame yet
    const auto focusedCells = [] {
      QList<int> cells;
      for (const Heard& h : std::as_const(heard)) {
        if (h.type == QAccessible::Focus && h.object == QLatin1String("Front")) {
          cells.append(h.child);
        }
      }
      return cells;
    };
    QTest::keyClick(rig.front, Qt::Key_Right);  // shows the frame on (1,1)
    QTest::keyClick(rig.front, Qt::Key_Right);
    QTest::keyClick(rig.front, Qt::Key_Down);
    QCOMPARE(focusedCells(), (QList<int>{0, 1, 6}));  // (1,1), (2,1), (2,2) row by row
    QAccessibleInterface* focused = rig.Board()->focusChild();
    QCOMPARE(focused, rig.Cell(2, 2));
    QVERIFY(focused->state().focused);
    QVERIFY(!rig.Cell(1, 1)->state().focused);
  }

  // Pressing a cell plays it as a click does, under the same rules, and the status line tells
  // what the CPU answered and why a move was refused.
  void pressingACellPlaysIt() {
    AccessRig rig;
    rig.Item("mnuEnableAI")->trigger();
    QVERIFY(rig.Cell(3, 2)->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
    rig.Press(3, 2);
    QCOMPARE(rig.window->game().Nodes()(3, 2).Owner, Player(1));
    rig.Press(4, 2);  // the CPU's turn: a person's press plays nothing
    QCOMPARE(rig.window->game().Nodes()(4, 2).Owner, Player(0));

    rig.clock.Advance(1000);
    rig.window->tmrAI_Timer();
    const auto cpu = rig.window->game().ShownLastMove();
    QVERIFY(cpu && rig.window->game().Nodes()(cpu->Column, cpu->Row).Owner == 2);
    QLabel* status = rig.Find<QLabel>("lblState");
    QAccessibleInterface* line = QAccessible::queryAccessibleInterface(status);
    QCOMPARE(line->text(QAccessible::Name),
             QStringLiteral("CPU claims column %1, row %2.").arg(cpu->Column).arg(cpu->Row));
    QVERIFY(std::any_of(heard.cbegin(), heard.cend(), [](const Heard& h) {
      return h.object == QLatin1String("lblState") && h.type == QAccessible::NameChanged;
    }));
    // No cell has the focus: the board itself tells it.
    QCOMPARE(rig.Board()->text(QAccessible::Description), line->text(QAccessible::Name));
    QCOMPARE(status->text(), rig.LogLines().last());  // what is shown stays the log's

    // With sound on and no visual cues, a refusal is told to the screen reader alone.
    rig.Press(cpu->Column, cpu->Row);
    QCOMPARE(line->text(QAccessible::Name),
             QStringLiteral("Refused: column %1, row %2 belongs to your opponent.")
                 .arg(cpu->Column)
                 .arg(cpu->Row));
    QVERIFY(!rig.front->RefusalMark());
    QCOMPARE(status->text(), rig.LogLines().last());
    QCOMPARE(
        QAccessible::queryAccessibleInterface(rig.Find<QLabel>("lblSum1"))->text(QAccessible::Name),
        QStringLiteral("Player: 1 nodes, 0 links, 1 points"));
  }
};

QTEST_MAIN(TestBoardAccess)
#include "test_board_access.moc"
