#include "shell/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace vextal {

namespace {

// Placed exactly where the board puts its nodes and bars, so the empty slots show through
// wherever a stage has no node.
constexpr int kStep = 50;
constexpr int kSlot = 30;
constexpr int kBar = 8;

const QColor kSkyTop(46, 14, 62);
const QColor kSkyBottom(18, 4, 28);
const QColor kFineGrid(58, 22, 78);
const QColor kSlotFill(40, 12, 54);
const QColor kSlotEdge(96, 44, 124);
const QColor kSlotCore(30, 8, 42);
const QColor kBarShade(52, 18, 68);

}  // namespace

QImage BoardBackground() {
  QImage image(kBackgroundWidth, kBackgroundHeight, QImage::Format_RGB32);
  QPainter p(&image);

  QLinearGradient sky(0, 0, 0, kBackgroundHeight);
  sky.setColorAt(0.0, kSkyTop);
  sky.setColorAt(1.0, kSkyBottom);
  p.fillRect(image.rect(), sky);

  // A fine grid at half the node spacing, centred on the slots.
  p.setPen(kFineGrid);
  for (int x = kSlot / 2; x < kBackgroundWidth; x += kStep / 2) {
    p.drawLine(x, 0, x, kBackgroundHeight - 1);
  }
  for (int y = kSlot / 2; y < kBackgroundHeight; y += kStep / 2) {
    p.drawLine(0, y, kBackgroundWidth - 1, y);
  }

  // Shallow bars between the slots of the 5 x 4 grid.
  const int barOffset = (kSlot - kBar) / 2;
  for (int c = 1; c <= 5; ++c) {
    for (int r = 1; r <= 4; ++r) {
      if (c < 5) {
        p.fillRect(kStep * c + kSlot, kStep * r + barOffset, kStep - kSlot, kBar, kBarShade);
      }
      if (r < 4) {
        p.fillRect(kStep * c + barOffset, kStep * r + kSlot, kBar, kStep - kSlot, kBarShade);
      }
    }
  }

  // The slots: a square with an edge and a darker core, like an unlit node.
  for (int c = 1; c <= 5; ++c) {
    for (int r = 1; r <= 4; ++r) {
      const QRect slot(kStep * c, kStep * r, kSlot, kSlot);
      p.fillRect(slot, kSlotFill);
      p.setPen(kSlotEdge);
      p.drawRect(slot);
      p.fillRect(slot.adjusted(6, 6, -5, -5), kSlotCore);
    }
  }
  return image;
}

QImage ProgramIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);

  // Two by two nodes joined by links: one node of each player, two free ones.
  const double unit = size / 32.0;
  auto box = [unit](double x, double y, double w, double h) {
    return QRectF(x * unit, y * unit, w * unit, h * unit).toAlignedRect();
  };
  p.fillRect(box(1, 1, 30, 30), QColor(46, 14, 62));
  p.fillRect(box(10, 8, 12, 4), QColor(100, 200, 50));
  p.fillRect(box(10, 20, 12, 4), QColor(60, 30, 70));
  p.fillRect(box(8, 10, 4, 12), QColor(50, 100, 100));
  p.fillRect(box(20, 10, 4, 12), QColor(60, 30, 70));

  const QColor kind(150, 50, 200);
  const QColor inner[] = {QColor(0, 150, 240), QColor(70, 20, 80), QColor(70, 20, 80),
                          QColor(240, 150, 0)};
  const QPointF corners[] = {{3, 3}, {19, 3}, {3, 19}, {19, 19}};
  for (int i = 0; i < 4; ++i) {
    const QRect outer = box(corners[i].x(), corners[i].y(), 10, 10);
    p.fillRect(outer, kind);
    p.fillRect(outer.adjusted(outer.width() / 4, outer.height() / 4, -outer.width() / 4,
                              -outer.height() / 4),
               inner[i]);
    if (size >= 32) {
      p.setPen(Qt::black);
      p.drawRect(outer.adjusted(0, 0, -1, -1));
    }
  }
  return image;
}

QIcon ProgramIcon() {
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(ProgramIconImage(32)));
  icon.addPixmap(QPixmap::fromImage(ProgramIconImage(16)));
  return icon;
}

}  // namespace vextal
