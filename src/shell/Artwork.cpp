#include "shell/Artwork.h"

#include <QGuiApplication>
#include <QHash>
#include <QList>

#include <algorithm>
#include <iterator>

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

#include "render/BoardGeometry.h"

namespace vextal {

namespace {

// Placed exactly where the board puts its nodes and bars, so the empty slots show through
// wherever a stage has no node.
constexpr int kStep = kBoardGeometry.GridStep;
constexpr int kSlot = kBoardGeometry.NodeSize;
constexpr int kBar = kBoardGeometry.LinkWidth;

const QColor kSkyTop(46, 14, 62);
const QColor kSkyBottom(18, 4, 28);
const QColor kFineGrid(58, 22, 78);
const QColor kSlotFill(40, 12, 54);
const QColor kSlotEdge(96, 44, 124);
const QColor kSlotCore(30, 8, 42);
const QColor kBarShade(52, 18, 68);

// A 1-pixel line drawn as a filled strip of one logical pixel, so that at a higher device pixel
// ratio it stays on the same logical pixels (a pen line would be placed by the rasteriser's own
// rounding).
void Strip(QPainter& p, int x, int y, int w, int h, const QColor& colour) {
  p.fillRect(QRect(x, y, w, h), colour);
}

}  // namespace

void PaintBoardBackground(QPainter& p) {
  const QSize logical(kBackgroundWidth, kBackgroundHeight);
  QLinearGradient sky(0, 0, 0, kBackgroundHeight);
  sky.setColorAt(0.0, kSkyTop);
  sky.setColorAt(1.0, kSkyBottom);
  p.fillRect(QRect(QPoint(0, 0), logical), sky);

  // A fine grid at half the node spacing, centred on the slots.
  for (int x = kSlot / 2; x < kBackgroundWidth; x += kStep / 2) {
    Strip(p, x, 0, 1, kBackgroundHeight, kFineGrid);
  }
  for (int y = kSlot / 2; y < kBackgroundHeight; y += kStep / 2) {
    Strip(p, 0, y, kBackgroundWidth, 1, kFineGrid);
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

  // The slots: a square with an edge one pixel beyond it on every side's far end, and a darker
  // core, like an unlit node.
  for (int c = 1; c <= 5; ++c) {
    for (int r = 1; r <= 4; ++r) {
      const QRect slot(kStep * c, kStep * r, kSlot, kSlot);
      p.fillRect(slot, kSlotFill);
      Strip(p, slot.x(), slot.y(), kSlot + 1, 1, kSlotEdge);
      Strip(p, slot.x(), slot.y() + kSlot, kSlot + 1, 1, kSlotEdge);
      Strip(p, slot.x(), slot.y(), 1, kSlot + 1, kSlotEdge);
      Strip(p, slot.x() + kSlot, slot.y(), 1, kSlot + 1, kSlotEdge);
      p.fillRect(slot.adjusted(6, 6, -5, -5), kSlotCore);
    }
  }
}

QImage BoardBackground(qreal devicePixelRatio) {
  const QSize logical(kBackgroundWidth, kBackgroundHeight);
  QImage image((QSizeF(logical) * devicePixelRatio).toSize(), QImage::Format_RGB32);
  image.setDevicePixelRatio(devicePixelRatio);
  QPainter p(&image);  // draws in logical pixels from here on
  PaintBoardBackground(p);
  return image;
}

QImage ProgramIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);

  // Two by two nodes joined by links: one node of each player, two free ones. The design is laid
  // out on a 32-unit grid; every box covers the whole pixels it touches, so at multiples of 32
  // pixels the icon is the 32-pixel one enlarged exactly, and nothing is lost at 16.
  const double unit = size / 32.0;
  auto box = [unit](double x, double y, double w, double h) {
    return QRectF(x * unit, y * unit, w * unit, h * unit).toAlignedRect();
  };
  p.fillRect(box(1, 1, 30, 30), QColor(46, 14, 62));
  p.fillRect(box(10, 8, 12, 4), QColor(100, 200, 50));
  p.fillRect(box(10, 20, 12, 4), QColor(60, 30, 70));
  p.fillRect(box(8, 10, 4, 12), QColor(50, 100, 100));
  p.fillRect(box(20, 10, 4, 12), QColor(60, 30, 70));

  // The node outlines grow with the icon (one unit thick) and are left out at 16 pixels, where
  // they would swallow the colours.
  const int outline = size >= 32 ? std::max(1, size / 32) : 0;
  const QColor kind(150, 50, 200);
  const QColor inner[] = {QColor(0, 150, 240), QColor(70, 20, 80), QColor(70, 20, 80),
                          QColor(240, 150, 0)};
  const QPointF corners[] = {{3, 3}, {19, 3}, {3, 19}, {19, 19}};
  for (int i = 0; i < 4; ++i) {
    const QRect outer = box(corners[i].x(), corners[i].y(), 10, 10);
    p.fillRect(outer, kind);
    const int inset = qRound(outer.width() / 5.0);
    p.fillRect(outer.adjusted(inset, inset, -inset, -inset), inner[i]);
    if (outline > 0) {
      p.fillRect(QRect(outer.left(), outer.top(), outer.width(), outline), Qt::black);
      p.fillRect(QRect(outer.left(), outer.bottom() - outline + 1, outer.width(), outline),
                 Qt::black);
      p.fillRect(QRect(outer.left(), outer.top(), outline, outer.height()), Qt::black);
      p.fillRect(QRect(outer.right() - outline + 1, outer.top(), outline, outer.height()),
                 Qt::black);
    }
  }
  return image;
}

QPixmap ProgramIconPixmap(int size, qreal devicePixelRatio) {
  const int devicePixels = qRound(size * devicePixelRatio);
  QPixmap pixmap = QPixmap::fromImage(ProgramIconImage(devicePixels));
  pixmap.setDevicePixelRatio(qreal(devicePixels) / size);
  return pixmap;
}

QIcon ProgramIcon() {
  // Painted once per run and size. Images, not pixmaps, are kept: they may outlive the
  // application.
  static QHash<int, QImage> painted;
  QList<int> sizes(std::begin(kWindowIconSizes), std::end(kWindowIconSizes));
  const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
  if (ratio > 1.0) {
    for (int size : kWindowIconSizes) {
      if (const int dense = qRound(size * ratio); !sizes.contains(dense)) {
        sizes.append(dense);
      }
    }
  }
  QIcon icon;
  for (int size : sizes) {
    auto found = painted.constFind(size);
    if (found == painted.constEnd()) {
      found = painted.insert(size, ProgramIconImage(size));
    }
    icon.addPixmap(QPixmap::fromImage(*found));
  }
  return icon;
}

}  // namespace vextal
