#include "shell/Mnemonics.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QWidget>

namespace vextal {

QChar MnemonicOf(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&')) {
      if (caption[i + 1] != QLatin1Char('&')) {
        return caption[i + 1].toLower();
      }
      ++i;  // a literal ampersand
    }
  }
  return QChar();
}

QString StripMnemonic(const QString& caption) {
  QString shown;
  shown.reserve(caption.size());
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
      ++i;  // "&x" shows x, "&&" shows one "&"
    }
    shown += caption[i];
  }
  return shown;
}

namespace {

// Where an access key may go in a caption, best first: the first letter of each word, then
// every other letter or digit.
QList<qsizetype> Candidates(const QString& caption) {
  QList<qsizetype> wordStarts;
  QList<qsizetype> others;
  bool atWordStart = true;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    const QChar ch = caption[i];
    if (ch == QLatin1Char('&')) {
      ++i;  // the escaped ampersand's second half
      atWordStart = false;
    } else if (ch.isSpace()) {
      atWordStart = true;
    } else if (ch.isLetterOrNumber()) {
      (atWordStart ? wordStarts : others) << i;
      atWordStart = false;
    }
  }
  return wordStarts + others;
}

}  // namespace

void AssignMnemonics(const QList<QAction*>& items) {
  QSet<QChar> taken;
  for (const QAction* item : items) {
    const QChar key = MnemonicOf(item->text());
    if (!key.isNull()) {
      taken.insert(key);
    }
  }
  for (QAction* item : items) {
    const QString caption = item->text();
    if (item->isSeparator() || !item->isVisible() || !MnemonicOf(caption).isNull()) {
      continue;
    }
    for (const qsizetype at : Candidates(caption)) {
      const QChar key = caption[at].toLower();
      if (!taken.contains(key)) {
        taken.insert(key);
        item->setText(caption.left(at) + QLatin1Char('&') + caption.mid(at));
        break;
      }
    }
  }
}

void AssignMenuMnemonics(QWidget* window) {
  if (const auto* main = qobject_cast<QMainWindow*>(window)) {
    AssignMnemonics(main->menuBar()->actions());
  }
  for (QMenu* menu : window->findChildren<QMenu*>()) {
    AssignMnemonics(menu->actions());
  }
}

}  // namespace vextal
