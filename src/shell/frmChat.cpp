#include "shell/frmChat.h"

#include <algorithm>
#include <utility>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace vextal {

namespace {

// Both text boxes: light lilac text on a dark purple ground.
const QColor kBoxBackground(64, 0, 64);
const QColor kBoxText(192, 192, 255);

QFont ChatFont() {
  QFont font;
  font.setFamilies(
      {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  return font;
}

void PaintBox(QWidget& box) {
  QPalette palette = box.palette();
  palette.setColor(QPalette::Base, kBoxBackground);
  palette.setColor(QPalette::Text, kBoxText);
  box.setPalette(palette);
}

// Removes leading and trailing space characters only; other white space is part of the line.
QString TrimSpaces(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text.at(first) == QLatin1Char(' ')) {
    ++first;
  }
  while (last > first && text.at(last - 1) == QLatin1Char(' ')) {
    --last;
  }
  return text.mid(first, last - first);
}

// Alt with a letter is a command, never typing: the line box would take the letter as text.
// A key whose text is something else (AltGr, which some systems report as Ctrl+Alt, gives "@"
// or "€") still types.
bool IsAltLetter(const QKeyEvent& key) {
  if (!(key.modifiers() & Qt::AltModifier) || key.key() < Qt::Key_A || key.key() > Qt::Key_Z) {
    return false;
  }
  const QChar letter(QLatin1Char(static_cast<char>('a' + (key.key() - Qt::Key_A))));
  return key.text().isEmpty() || key.text().compare(QString(letter), Qt::CaseInsensitive) == 0;
}

}  // namespace

frmChat::frmChat(ChatLog& chat, ChatLink link)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      chat_(chat),
      link_(std::move(link)),
      cmdMenu_(new QPushButton(this)),
      txtInput_(new QLineEdit(this)),
      txtLog_(new QPlainTextEdit(this)) {
  setWindowTitle(tr("Chat"));
  // The main window alone decides when the program ends; an open chat never keeps it alive.
  setAttribute(Qt::WA_QuitOnClose, false);
  setFont(ChatFont());

  txtLog_->setObjectName(QStringLiteral("txtLog"));
  txtLog_->setGeometry(0, 0, 257, 149);
  txtLog_->setReadOnly(true);
  // Lines only ever arrive at the end and leave at the start; an undo history would keep every
  // one of them alive.
  txtLog_->setUndoRedoEnabled(false);
  txtLog_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  PaintBox(*txtLog_);

  txtInput_->setObjectName(QStringLiteral("txtInput"));
  txtInput_->setGeometry(0, 168, 241, kButtonSize);
  PaintBox(*txtInput_);
  txtInput_->installEventFilter(this);

  // A small down-pointing triangle; the button has no command of its own.
  cmdMenu_->setObjectName(QStringLiteral("cmdMenu"));
  cmdMenu_->setGeometry(240, 168, kButtonSize, kButtonSize);
  cmdMenu_->setText(QString(QChar(0x25BE)));

  setTabOrder(txtInput_, txtLog_);
  setTabOrder(txtLog_, cmdMenu_);
  txtInput_->setFocus();

  resize(kInitialWidth, kInitialHeight);
}

void frmChat::SetLog() {
  pending_.clear();
  pendingDrops_ = 0;
  // In one piece: the box lays out a whole transcript far faster than line by line.
  txtLog_->setPlainText(chat_.Text());
  lineBlocks_.clear();
  for (const QString& line : chat_.Lines()) {
    lineBlocks_.push_back(ChatLog::RowsOf(line));
  }
  PutCaretAtEnd();
}

void frmChat::AppendLine(const QString& line, int droppedLines) {
  pending_.push_back(line);
  pendingDrops_ += std::size_t(std::max(droppedLines, 0));
  // Past the lines in the box the drops reach lines that were never shown: they go at once, so
  // what waits stays within the transcript's bound.
  while (pendingDrops_ > lineBlocks_.size() && pending_.size() > 1) {
    pending_.pop_front();
    --pendingDrops_;
  }
  if (!std::exchange(showQueued_, true)) {
    QMetaObject::invokeMethod(this, &frmChat::ShowPendingLines, Qt::QueuedConnection);
  }
}

void frmChat::ShowPendingLines() {
  showQueued_ = false;
  if (pending_.empty() && pendingDrops_ == 0) {
    return;
  }
  int blocks = 0;
  for (; pendingDrops_ > 0 && !lineBlocks_.empty(); --pendingDrops_) {
    blocks += lineBlocks_.front();
    lineBlocks_.pop_front();
  }
  pendingDrops_ = 0;
  if (blocks > 0) {
    // Straight to the first block kept: moving block by block would lay out every block passed.
    QTextCursor oldest(txtLog_->document());
    oldest.setPosition(txtLog_->document()->findBlockByNumber(blocks).position(),
                       QTextCursor::KeepAnchor);
    oldest.removeSelectedText();
  }
  // One insertion for all of them. The lines are joined by a paragraph separator, which the box
  // takes as one break and never merges with a "\r" that ends a line (as "\n" would be).
  qsizetype length = 0;
  for (const QString& line : pending_) {
    length += line.size() + 1;
  }
  QString text;
  text.reserve(length);
  for (const QString& line : pending_) {
    text += line;
    text += QChar::ParagraphSeparator;
    lineBlocks_.push_back(ChatLog::RowsOf(line));
  }
  pending_.clear();
  QTextCursor end(txtLog_->document());
  end.movePosition(QTextCursor::End);
  end.insertText(text);
  PutCaretAtEnd();
}

// Just before the final line break, so that the last line is in view; at the start while the
// transcript is empty.
void frmChat::PutCaretAtEnd() {
  QTextCursor caret(txtLog_->document());
  caret.movePosition(QTextCursor::End);
  caret.movePosition(QTextCursor::PreviousCharacter);
  txtLog_->setTextCursor(caret);
  txtLog_->ensureCursorVisible();
}

void frmChat::SendChat() {
  if (!link_.IsConnected || !link_.IsConnected()) {
    chat_.AddChatLine(tr("Not connected"), true);
    return;
  }
  const QString line = TrimSpaces(txtInput_->text());
  if (line.isEmpty()) {
    return;
  }
  if (link_.SendLine) {
    link_.SendLine(line);
  }
  // The own line as the other player reads it.
  chat_.AddChatLine(link_.AsReceived ? link_.AsReceived(line) : line, true);
  txtInput_->clear();
}

void frmChat::ArrangeControls() {
  if (isMinimized()) {
    return;
  }
  const int W = width();
  const int H = height();
  const int w = cmdMenu_->width();
  const int h = cmdMenu_->height();
  // A control that would get a negative size keeps its place; the other steps still run.
  if (H - h >= 0) {
    txtLog_->setGeometry(0, 0, W, H - h);
  }
  if (W - w >= 0) {
    txtInput_->setGeometry(0, H - h, W - w, txtInput_->height());
  }
  cmdMenu_->move(W - w, H - h);
}

void frmChat::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ArrangeControls();
}

void frmChat::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) {
    setWindowTitle(tr("Chat"));
  }
}

void frmChat::closeEvent(QCloseEvent* event) {
  event->accept();
  emit Unloaded();
}

bool frmChat::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtInput_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    // Enter sends and never reaches the box; Alt+S sends only with Alt as the sole modifier.
    if ((enter && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) ||
        (key->key() == Qt::Key_S && modifiers == Qt::AltModifier)) {
      SendChat();
      return true;
    }
    if (IsAltLetter(*key)) {
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vextal
