// The real message and input boxes, answered by a timer while they are open.
#include <QAbstractButton>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include "shell/QtDialogs.h"
#include "shell/WindowPlacement.h"

using namespace vextal;

namespace {

// Runs `answer` on the modal box as soon as it is open.
template <typename Box>
void AnswerWhenOpen(std::function<void(Box*)> answer) {
  auto* poll = new QTimer;
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    if (auto* box = qobject_cast<Box*>(QApplication::activeModalWidget())) {
      poll->stop();
      poll->deleteLater();
      answer(box);
    }
  });
  poll->start();
}

}  // namespace

class TestQtDialogs : public QObject {
  Q_OBJECT

 private slots:
  void boxLooksAsAsked() {
    auto box =
        QtDialogs::BuildMessageBox(BoxIcon::Exclamation, QStringLiteral("Game Over"),
                                   QStringLiteral("one\r\ntwo <b>"), BoxButtons::Ok, nullptr);
    QCOMPARE(box->windowTitle(), QStringLiteral("Game Over"));
    QCOMPARE(box->icon(), QMessageBox::Warning);
    QCOMPARE(box->text(), QStringLiteral("one\ntwo <b>"));
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));

    box = QtDialogs::BuildMessageBox(BoxIcon::Question, QString(), QString(),
                                     BoxButtons::YesNoCancel, nullptr);
    QCOMPARE(box->icon(), QMessageBox::Question);
    QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(QtDialogs::BuildMessageBox(BoxIcon::Critical, {}, {}, BoxButtons::Ok, nullptr)->icon(),
             QMessageBox::Critical);
    QCOMPARE(
        QtDialogs::BuildMessageBox(BoxIcon::Information, {}, {}, BoxButtons::Ok, nullptr)->icon(),
        QMessageBox::Information);
    QCOMPARE(QtDialogs::BuildMessageBox(BoxIcon::None, {}, {}, BoxButtons::Ok, nullptr)->icon(),
             QMessageBox::NoIcon);
  }

  void messageReturnsTheButtonPressed() {
    QtDialogs dialogs;
    const QMessageBox::StandardButton buttons[] = {QMessageBox::Yes, QMessageBox::No,
                                                   QMessageBox::Cancel};
    const BoxAnswer answers[] = {BoxAnswer::Yes, BoxAnswer::No, BoxAnswer::Cancel};
    for (int i = 0; i < 3; ++i) {
      AnswerWhenOpen<QMessageBox>([&, i](QMessageBox* box) { box->button(buttons[i])->click(); });
      QCOMPARE(dialogs.Message(BoxIcon::Question, QStringLiteral("Q"), QStringLiteral("?"),
                               BoxButtons::YesNoCancel),
               answers[i]);
    }
    AnswerWhenOpen<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
    QCOMPARE(dialogs.Message(BoxIcon::Information, QStringLiteral("I"), QStringLiteral("!")),
             BoxAnswer::Ok);
    AnswerWhenOpen<QMessageBox>([](QMessageBox* box) { box->reject(); });
    QCOMPARE(dialogs.Message(BoxIcon::Question, QStringLiteral("Q"), QStringLiteral("?"),
                             BoxButtons::YesNoCancel),
             BoxAnswer::Cancel);
    // Accept and Decline by their captions; Escape declines.
    for (const auto& [caption, answer] :
         {std::pair{"Accept", BoxAnswer::Yes}, std::pair{"Decline", BoxAnswer::No}}) {
      AnswerWhenOpen<QMessageBox>([caption = QString::fromLatin1(caption)](QMessageBox* box) {
        for (QAbstractButton* button : box->buttons()) {
          if (button->text() == caption) {
            button->click();
          }
        }
      });
      QCOMPARE(dialogs.Message(BoxIcon::Question, {}, {}, BoxButtons::AcceptDecline), answer);
    }
    AnswerWhenOpen<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    QCOMPARE(dialogs.Message(BoxIcon::Question, {}, {}, BoxButtons::AcceptDecline), BoxAnswer::No);
  }

  // Beside the main window where the screen has room, else beside the board, else covering as
  // little of the board as it can; always on the screen. The screens are in logical pixels, so
  // the larger window sizes are the smaller screens.
  void placementLeavesTheBoardInView() {
    const QSize box(260, 110);
    const QRect board(4, 50, 331, 281);  // inside a window frame of 341 x 380 at (0, 0)
    const struct {
      QSize screen;
      QPoint window;
      QPoint expected;  // the box's top-left corner
    } cases[] = {
        {{1920, 1080}, {790, 350}, {1139, 350}},   // right of the window
        {{1920, 1080}, {1570, 350}, {1302, 350}},  // left of it at the screen's right edge
        {{600, 1080}, {130, 100}, {130, 488}},     // below it on a narrow screen
        {{600, 450}, {130, 60}, {130, 0}},         // neither: above the board, on the title bar
        {{683, 384}, {171, 2}, {423, 2}},          // "Huge" on a small screen, beside the board
        {{400, 300}, {0, 0}, {140, 0}},            // no room at all: the least of the board
    };
    for (const auto& c : cases) {
      const QRect screen(QPoint(), c.screen);
      const QRect window(c.window, QSize(341, 380));
      const QRect onBoard = board.translated(c.window);
      const QPoint at = PlaceBeside(box, screen, window, onBoard);
      QCOMPARE(at, c.expected);
      QVERIFY(screen.contains(QRect(at, box)));
    }
  }

  // The real box, placed once it has its size, frame and all, beside its main window.
  void announcementStandsBesideTheWindow() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget main;
    main.setGeometry(QRect(screen.center() - QPoint(170, 190), QSize(341, 380)));
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QtDialogs dialogs(&main);
    const KeepInView keep{main.frameGeometry(), main.geometry().adjusted(4, 30, -6, -49)};
    QRect shown;
    AnswerWhenOpen<QMessageBox>([&](QMessageBox* box) {
      shown = box->frameGeometry();
      box->button(QMessageBox::Ok)->click();
    });
    QCOMPARE(dialogs.Announce(BoxIcon::Information, QStringLiteral("Game Over"),
                              QStringLiteral("You win! 30 to 12 points."), keep),
             BoxAnswer::Ok);
    QVERIFY(!shown.isEmpty());
    QVERIFY(!shown.intersects(keep.window));
    QVERIFY(screen.contains(shown));
  }

  void inputReturnsTextOrNothing() {
    QtDialogs dialogs;
    AnswerWhenOpen<QInputDialog>([](QInputDialog* box) {
      QCOMPARE(box->windowTitle(), QStringLiteral("Connect"));
      QCOMPARE(box->labelText(), QStringLiteral("Address:"));
      QCOMPARE(box->textValue(), QStringLiteral("localhost"));
      box->setTextValue(QStringLiteral("127.0.0.1"));
      box->accept();
    });
    QCOMPARE(dialogs.Input(QStringLiteral("Connect"), QStringLiteral("Address:"),
                           QStringLiteral("localhost")),
             QStringLiteral("127.0.0.1"));
    AnswerWhenOpen<QInputDialog>([](QInputDialog* box) {
      box->setTextValue(QStringLiteral("typed"));
      box->reject();
    });
    QCOMPARE(dialogs.Input(QStringLiteral("Connect"), QStringLiteral("Address:")), QString());
  }
};

QTEST_MAIN(TestQtDialogs)
#include "test_qtdialogs.moc"
