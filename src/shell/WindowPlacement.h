#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace vextal {

// Where a window of `size` (its frame included) goes so that it leaves `window` in view, and
// above all `board` inside it: beside the window (right, left, below, above, in that order),
// else beside the board, always within `screen`. Where the screen has no such room, the place
// that covers least of the board, then least of the window. Returns the frame's top-left corner.
// All rectangles in one coordinate system, the screen's.
QPoint PlaceBeside(const QSize& size, const QRect& screen, const QRect& window, const QRect& board);

// The frame a window not yet shown will have: its own size with the margins the window manager
// gave `shown` (a window already on screen).
QSize FrameSizeLike(const QWidget& window, const QWidget& shown);

// Moves `window` (not yet shown, or shown again) beside `mainWindow`, on the same screen.
void MoveBeside(QWidget& window, const QWidget& mainWindow);

}  // namespace vextal
