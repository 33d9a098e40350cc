#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include "shell/ChatLog.h"
#include "shell/frmChat.h"

using namespace vextal;

namespace {

// Stands in for the connection: a switch for "a peer is connected" and a record of sends.
struct FakePeer {
  bool connected = false;
  QStringList sent;

  ChatLink Link() {
    return ChatLink{[this] { return connected; },
                    [this](const QString& line) { sent.append(line); }};
  }
};

// The transcript as the box shows it: a break for each "\r\n", and for a "\r" inside a line.
QString Shown(const QString& transcript) {
  QString shown = transcript;
  return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace('\r', '\n');
}

// What the open chat window's box shows once the lines waiting for the event loop are in it.
QString Box(const ChatLog& chat) {
  chat.Window()->ShowPendingLines();
  return chat.Window()->txtLog()->toPlainText();
}

}  // namespace

class TestChat : public QObject {
  Q_OBJECT

 private slots:
  void withoutConnectionEnterAddsNotConnected();
  void withConnectionSendsTrimmedLine();
  void spacesOnlyAreIgnored();
  void lineGoesToTheNetworkSideAsTyped();
  void receivedLineOpensWindowWithoutMark();
  void reopenedWindowShowsWholeTranscriptAtItsEnd();
  void lineArrivingRightAfterCloseGetsFreshWindow();
  void unloadClosesWindow();
  void windowOpensAsDesigned();
  void windowOpensBesideTheMainWindow();
  void resizeRule_data();
  void resizeRule();
  void tinyWindowKeepsControlsThatWouldGoNegative();
  void transcriptKeepsNewestLinesWithinBound();
  void floodOfShortLinesIsBoundedAndShownOncePerPass();
  void keys_data();
  void keys();
};

void TestChat::withoutConnectionEnterAddsNotConnected() {
  FakePeer peer;
  ChatLog chat(peer.Link());
  chat.ShowChat();
  QLineEdit* input = chat.Window()->txtInput();

  QTest::keyClick(input, Qt::Key_Return);
  QCOMPARE(chat.Text(), QStringLiteral("> Not connected\r\n"));

  input->setText(QStringLiteral("hello"));
  QTest::keyClick(input, Qt::Key_Return);
  QCOMPARE(chat.Text(), QStringLiteral("> Not connected\r\n> Not connected\r\n"));
  QCOMPARE(input->text(), QStringLiteral("hello"));  // kept for when the peer is back
  QVERIFY(peer.sent.isEmpty());
  QCOMPARE(Box(chat), Shown(chat.Text()));
}

void TestChat::withConnectionSendsTrimmedLine() {
  FakePeer peer;
  peer.connected = true;
  ChatLog chat(peer.Link());
  chat.ShowChat();
  QLineEdit* input = chat.Window()->txtInput();

  input->setText(QStringLiteral("   good move  "));
  QTest::keyClick(input, Qt::Key_Return);

  QCOMPARE(peer.sent.size(), 1);
  QCOMPARE(peer.sent.first(), QStringLiteral("good move"));
  QCOMPARE(chat.Text(), QStringLiteral("> good move\r\n"));
  QCOMPARE(input->text(), QString());
  QCOMPARE(Box(chat), QStringLiteral("> good move\n"));
}

void TestChat::spacesOnlyAreIgnored() {
  FakePeer peer;
  peer.connected = true;
  ChatLog chat(peer.Link());
  chat.ShowChat();
  QLineEdit* input = chat.Window()->txtInput();

  QTest::keyClick(input, Qt::Key_Return);
  input->setText(QStringLiteral("    "));
  QTest::keyClick(input, Qt::Key_Return);

  QVERIFY(peer.sent.isEmpty());
  QCOMPARE(chat.Text(), QString());
  QCOMPARE(input->text(), QStringLiteral("    "));

  // Only spaces are trimmed: a tab is part of the line.
  input->setText(QStringLiteral(" \tx "));
  QTest::keyClick(input, Qt::Key_Return);
  QCOMPARE(peer.sent.size(), 1);
  QCOMPARE(peer.sent.first(), QStringLiteral("\tx"));
}

void TestChat::lineGoesToTheNetworkSideAsTyped() {
  FakePeer peer;
  peer.connected = true;
  ChatLog chat(peer.Link());
  chat.ShowChat();
  chat.Window()->txtInput()->setText(QStringLiteral("Grüße"));
  QTest::keyClick(chat.Window()->txtInput(), Qt::Key_Return);

  QCOMPARE(peer.sent.size(), 1);
  QCOMPARE(peer.sent.first(), QStringLiteral("Grüße"));
  QCOMPARE(chat.Text(), QStringLiteral("> Grüße\r\n"));
}

void TestChat::receivedLineOpensWindowWithoutMark() {
  FakePeer peer;
  ChatLog chat(peer.Link());
  QVERIFY(chat.Window() == nullptr);

  chat.AddChatLine(QStringLiteral("hello from the host"), false);

  QVERIFY(chat.Window() != nullptr);
  QVERIFY(chat.Window()->isVisible());
  QCOMPARE(chat.Text(), QStringLiteral("hello from the host\r\n"));
  QCOMPARE(Box(chat), QStringLiteral("hello from the host\n"));
}

void TestChat::reopenedWindowShowsWholeTranscriptAtItsEnd() {
  FakePeer peer;
  ChatLog chat(peer.Link());
  for (int i = 0; i < 40; ++i) {
    chat.AddChatLine(QStringLiteral("line %1").arg(i), i % 2 == 0);
  }
  chat.Window()->txtInput()->setText(QStringLiteral("typed but not sent"));

  QPointer<frmChat> first = chat.Window();
  first->close();
  QVERIFY(chat.Window() == nullptr);
  QTRY_VERIFY(first.isNull());

  chat.ShowChat();
  frmChat* again = chat.Window();
  QVERIFY(again != nullptr);
  QVERIFY(again->isVisible());
  QCOMPARE(again->txtInput()->text(), QString());
  QCOMPARE(again->txtLog()->toPlainText(), Shown(chat.Text()));

  // The caret sits at the end of the newest line, just before the final break.
  const QTextCursor caret = again->txtLog()->textCursor();
  QCOMPARE(caret.block().text(), QStringLiteral("line 39"));
  QVERIFY(caret.atBlockEnd());
  QCOMPARE(caret.position(), static_cast<int>(Shown(chat.Text()).size()) - 1);
}

void TestChat::lineArrivingRightAfterCloseGetsFreshWindow() {
  FakePeer peer;
  ChatLog chat(peer.Link());
  chat.AddChatLine(QStringLiteral("one"), false);
  frmChat* closed = chat.Window();
  closed->close();

  // The closed window is still waiting to be deleted; the new line must not revive it.
  chat.AddChatLine(QStringLiteral("two"), false);
  QVERIFY(chat.Window() != nullptr);
  QVERIFY(chat.Window() != closed);
  QVERIFY(chat.Window()->isVisible());
  QCOMPARE(Box(chat), QStringLiteral("one\ntwo\n"));
}

void TestChat::unloadClosesWindow() {
  FakePeer peer;
  ChatLog chat(peer.Link());
  chat.UnloadChat();  // never shown: nothing to do
  chat.AddChatLine(QStringLiteral("x"), true);
  QPointer<frmChat> window = chat.Window();

  chat.UnloadChat();
  QVERIFY(window.isNull());
  QVERIFY(chat.Window() == nullptr);
  QCOMPARE(chat.Text(), QStringLiteral("> x\r\n"));
}

void TestChat::windowOpensAsDesigned() {
  FakePeer peer;
  ChatLog chat(peer.Link());
  chat.ShowChat();
  frmChat* window = chat.Window();

  QCOMPARE(window->windowTitle(), QStringLiteral("Chat"));
  QCOMPARE(window->size(), QSize(320, 220));
  QVERIFY(!(window->windowFlags() & Qt::WindowMinimizeButtonHint));
  QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
  QCOMPARE(window->focusWidget(), window->txtInput());
  QVERIFY(!window->cmdMenu()->text().isEmpty());

  for (QWidget* box :
       {static_cast<QWidget*>(window->txtInput()), static_cast<QWidget*>(window->txtLog())}) {
    QCOMPARE(box->palette().color(QPalette::Base), QColor(64, 0, 64));
    QCOMPARE(box->palette().color(QPalette::Text), QColor(192, 192, 255));
  }
  // The empty transcript leaves the caret at the start.
  QCOMPARE(window->txtLog()->textCursor().position(), 0);
}

void TestChat::windowOpensBesideTheMainWindow() {
  QWidget main;
  main.setGeometry(0, 0, 341, 380);
  main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&main));
  FakePeer peer;
  ChatLog chat(peer.Link(), &main);
  chat.AddChatLine(QStringLiteral("hello"), false);
  const QRect frame = chat.Window()->frameGeometry();
  QVERIFY(!frame.intersects(main.frameGeometry()));
  QVERIFY(main.screen()->availableGeometry().contains(frame));
}

void TestChat::resizeRule_data() {
  QTest::addColumn<QSize>("client");
  QTest::addColumn<QRect>("log");
  QTest::addColumn<QRect>("input");
  QTest::addColumn<QRect>("button");
  QTest::newRow("initial 320 x 220") << QSize(320, 220) << QRect(0, 0, 320, 202)
                                     << QRect(0, 202, 302, 18) << QRect(302, 202, 18, 18);
  QTest::newRow("wider and taller") << QSize(517, 400) << QRect(0, 0, 517, 382)
                                    << QRect(0, 382, 499, 18) << QRect(499, 382, 18, 18);
  QTest::newRow("exactly the button")
      << QSize(18, 18) << QRect(0, 0, 18, 0) << QRect(0, 0, 0, 18) << QRect(0, 0, 18, 18);
}

void TestChat::resizeRule() {
  QFETCH(QSize, client);
  QFETCH(QRect, log);
  QFETCH(QRect, input);
  QFETCH(QRect, button);

  FakePeer peer;
  ChatLog chat(peer.Link());
  chat.ShowChat();
  frmChat* window = chat.Window();
  window->resize(client);

  QTRY_COMPARE(window->size(), client);
  QTRY_COMPARE(window->txtLog()->geometry(), log);
  QCOMPARE(window->txtInput()->geometry(), input);
  QCOMPARE(window->cmdMenu()->geometry(), button);
}

void TestChat::tinyWindowKeepsControlsThatWouldGoNegative() {
  FakePeer peer;
  ChatLog chat(peer.Link());
  chat.ShowChat();
  frmChat* window = chat.Window();
  QTRY_COMPARE(window->txtLog()->geometry(), QRect(0, 0, 320, 202));

  window->resize(10, 12);
  QTRY_COMPARE(window->cmdMenu()->geometry(), QRect(-8, -6, 18, 18));
  QCOMPARE(window->txtLog()->geometry(), QRect(0, 0, 320, 202));
  QCOMPARE(window->txtInput()->geometry(), QRect(0, 202, 302, 18));
}

// A line of a million characters, then lines of 5,000, all kept as 4,096 and "…", some with a
// break inside, some own: the transcript drops its oldest lines once past the bound, and the box
// drops the same ones, while open and when opened again.
void TestChat::transcriptKeepsNewestLinesWithinBound() {
  FakePeer peer;
  ChatLog chat(peer.Link());
  chat.AddChatLine(QString(1'000'000, QLatin1Char('w')), false);
  QCOMPARE(chat.Text(),
           QString(ChatLog::kMaxLineLength, QLatin1Char('w')) + QChar(0x2026) + "\r\n");
  QCOMPARE(Box(chat), Shown(chat.Text()));

  const auto line = [](int i) {
    return QString::number(i).leftJustified(2000, QLatin1Char('.')) +
           (i % 7 == 0 ? QStringLiteral("\r") : QString()) + QString(3000, QLatin1Char('-'));
  };
  for (int i = 0; i < 300; ++i) {
    chat.AddChatLine(line(i), i % 2 == 1);
    if (i == 150) {
      chat.Window()->close();
    }
  }

  // 4,097 characters and a break per line: 255 lines fit, the newest ones.
  QCOMPARE(chat.Lines().size(), std::size_t(255));
  QVERIFY(chat.Text().size() <= ChatLog::kMaxTranscriptLength);
  QCOMPARE(chat.Lines().front(), QStringLiteral("> ") + line(45).left(4094) + QChar(0x2026));
  QVERIFY(chat.Lines().back().startsWith(QStringLiteral("> 299.")));
  QCOMPARE(Box(chat), Shown(chat.Text()));

  chat.Window()->close();
  chat.ShowChat();
  QCOMPARE(Box(chat), Shown(chat.Text()));
  chat.AddChatLine(QStringLiteral("newest"), false);
  QCOMPARE(Box(chat), Shown(chat.Text()));
  const QTextCursor caret = chat.Window()->txtLog()->textCursor();
  QCOMPARE(caret.block().text(), QStringLiteral("newest"));
  QVERIFY(caret.atBlockEnd());
}

// Many short lines cost far more per row than per character: the transcript keeps its newest
// rows only, the box keeps no undo history, and it changes once for all the lines of a pass.
void TestChat::floodOfShortLinesIsBoundedAndShownOncePerPass() {
  FakePeer peer;
  ChatLog chat(peer.Link());
  chat.AddChatLine(QStringLiteral("first\nof two rows"), false);
  QTextDocument* box = chat.Window()->txtLog()->document();
  QVERIFY(!box->isUndoRedoEnabled());
  int changes = 0;
  connect(box, &QTextDocument::contentsChange, this, [&changes] { ++changes; });
  const int flood = 3 * ChatLog::kMaxTranscriptRows;
  for (int i = 0; i < flood; ++i) {
    chat.AddChatLine(QString::number(i), false);
  }
  QCOMPARE(changes, 0);
  QTRY_VERIFY(changes > 0);
  QVERIFY(changes <= 2);  // the oldest rows out, the new ones in
  QCOMPARE(qsizetype(chat.Lines().size()), ChatLog::kMaxTranscriptRows);
  QCOMPARE(chat.Lines().front(), QString::number(flood - ChatLog::kMaxTranscriptRows));
  QCOMPARE(box->blockCount(), ChatLog::kMaxTranscriptRows + 1);  // and the empty last one
  QCOMPARE(Box(chat), Shown(chat.Text()));
}

void TestChat::keys_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<QString>("text");
  QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
  QTest::addColumn<bool>("sends");
  QTest::addColumn<QString>("input");  // what the box holds afterwards
  const Qt::KeyboardModifiers none;
  const Qt::KeyboardModifiers alt(Qt::AltModifier);
  QTest::newRow("Enter") << int(Qt::Key_Return) << "\r" << none << true << "";
  QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << "\r"
                                << Qt::KeyboardModifiers(Qt::KeypadModifier) << true << "";
  QTest::newRow("Alt+S") << int(Qt::Key_S) << "s" << alt << true << "";
  QTest::newRow("Alt+Shift+S") << int(Qt::Key_S) << "S" << (alt | Qt::ShiftModifier) << false
                               << "gg";
  QTest::newRow("Ctrl+Alt+S") << int(Qt::Key_S) << "s" << (alt | Qt::ControlModifier) << false
                              << "gg";
  QTest::newRow("Alt+A") << int(Qt::Key_A) << "a" << alt << false << "gg";
  QTest::newRow("Alt+Shift+Q") << int(Qt::Key_Q) << "Q" << (alt | Qt::ShiftModifier) << false
                               << "gg";
  QTest::newRow("plain S") << int(Qt::Key_S) << "s" << none << false << "ggs";
  QTest::newRow("AltGr+Q as Ctrl+Alt types @")
      << int(Qt::Key_Q) << "@" << (alt | Qt::ControlModifier) << false << "gg@";
}

void TestChat::keys() {
  QFETCH(int, key);
  QFETCH(QString, text);
  QFETCH(Qt::KeyboardModifiers, modifiers);
  QFETCH(bool, sends);
  QFETCH(QString, input);

  FakePeer peer;
  peer.connected = true;
  ChatLog chat(peer.Link());
  chat.ShowChat();
  QLineEdit* box = chat.Window()->txtInput();
  box->setText(QStringLiteral("gg"));

  QTest::sendKeyEvent(QTest::Click, box, static_cast<Qt::Key>(key), text, modifiers);

  QCOMPARE(peer.sent, sends ? QStringList{"gg"} : QStringList());
  QCOMPARE(chat.Text(), sends ? QStringLiteral("> gg\r\n") : QString());
  QCOMPARE(box->text(), input);
}

QTEST_MAIN(TestChat)
#include "test_chat.moc"
