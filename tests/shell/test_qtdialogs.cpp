// The real message and input boxes, answered by a timer while they are open.
#include <QAbstractButton>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "shell/QtDialogs.h"

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
