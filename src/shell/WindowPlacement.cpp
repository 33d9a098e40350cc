#include "shell/WindowPlacement.h"

#include <array>
#include <cstdint>
#include <tuple>

#include <QScreen>
#include <QWidget>

namespace vextal {

namespace {

constexpr int kGap = 8;  // between the windows, so each frame stays visible

std::int64_t Covered(const QRect& a, const QRect& b) {
  const QRect both = a.intersected(b);
  return both.isEmpty() ? 0 : std::int64_t(both.width()) * both.height();
}

// The rectangle moved as little as possible to lie within the screen; one larger than the
// screen keeps its top-left corner on the screen's.
QRect WithinScreen(QRect r, const QRect& screen) {
  r.moveLeft(std::max(screen.left(), std::min(r.left(), screen.right() - r.width() + 1)));
  r.moveTop(std::max(screen.top(), std::min(r.top(), screen.bottom() - r.height() + 1)));
  return r;
}

// The four places beside `near`, tops or lefts aligned with it.
std::array<QRect, 4> Beside(const QSize& size, const QRect& near) {
  return {QRect(QPoint(near.right() + 1 + kGap, near.top()), size),
          QRect(QPoint(near.left() - kGap - size.width(), near.top()), size),
          QRect(QPoint(near.left(), near.bottom() + 1 + kGap), size),
          QRect(QPoint(near.left(), near.top() - kGap - size.height()), size)};
}

}  // namespace

QPoint PlaceBeside(const QSize& size, const QRect& screen, const QRect& window,
                   const QRect& board) {
  QRect best;
  std::tuple<std::int64_t, std::int64_t> bestCover{-1, -1};
  for (const QRect& near : {window, board}) {
    for (const QRect& candidate : Beside(size, near)) {
      const QRect placed = WithinScreen(candidate, screen);
      const std::tuple cover{Covered(placed, board), Covered(placed, window)};
      if (std::get<0>(bestCover) < 0 || cover < bestCover) {
        best = placed;
        bestCover = cover;
      }
    }
  }
  return best.topLeft();
}

QSize FrameSizeLike(const QWidget& window, const QWidget& shown) {
  const QSize margins = shown.frameGeometry().size() - shown.geometry().size();
  return window.size() + margins;
}

void MoveBeside(QWidget& window, const QWidget& mainWindow) {
  const QScreen* screen = mainWindow.screen();
  if (screen == nullptr) {
    return;
  }
  const QRect frame = mainWindow.frameGeometry();
  window.move(
      PlaceBeside(FrameSizeLike(window, mainWindow), screen->availableGeometry(), frame, frame));
}

}  // namespace vextal
