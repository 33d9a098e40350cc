#include "shell/ValueChart.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

namespace vextal {

namespace {

constexpr int kScale = 12;  // a margin this large fills half the height

}  // namespace

ValueChart::ValueChart(QWidget* parent) : QWidget(parent) {
  setMinimumHeight(64);
  setCursor(Qt::PointingHandCursor);
}

void ValueChart::SetPoints(std::vector<Point> points) {
  points_ = std::move(points);
  update();
}

void ValueChart::SetCurrent(int ply) {
  current_ = ply;
  update();
}

int ValueChart::PlyAt(int x) const {
  if (points_.empty() || width() <= 0) {
    return -1;
  }
  return std::clamp(x * int(points_.size()) / width(), 0, int(points_.size()) - 1);
}

void ValueChart::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.fillRect(rect(), palette().base());
  const int mid = height() / 2;
  p.setPen(palette().color(QPalette::Mid));
  p.drawLine(0, mid, width(), mid);
  if (points_.empty()) {
    return;
  }
  const double step = double(width()) / double(points_.size());
  auto y = [&](int value) { return mid - std::clamp(value, -kScale, kScale) * (mid - 2) / kScale; };
  for (std::size_t i = 0; i < points_.size(); ++i) {
    const Point& point = points_[i];
    const int x1 = int(double(i) * step);
    const int x2 = std::max(x1 + 1, int(double(i + 1) * step) - 1);
    if (int(i) == current_) {
      p.fillRect(QRect(QPoint(x1, 0), QPoint(x2, height())),
                 palette().highlight().color().lighter());
    }
    if (!point.Proven) {
      continue;
    }
    if (point.Lower == point.Upper) {
      const QColor colour = point.Lower > 0   ? QColor(40, 140, 60)
                            : point.Lower < 0 ? QColor(190, 50, 50)
                                              : QColor(120, 120, 120);
      const int top = std::min(y(point.Lower), mid);
      const int bottom = std::max(y(point.Lower), mid);
      p.fillRect(QRect(QPoint(x1, top), QPoint(x2, std::max(bottom, top + 1))), colour);
    } else {
      // Only bounds: a thin grey line from the lower to the upper bound.
      const int cx = (x1 + x2) / 2;
      p.setPen(QPen(QColor(140, 140, 140), 1, Qt::DotLine));
      p.drawLine(cx, y(point.Upper), cx, y(point.Lower));
    }
    if (point.LostHere) {
      p.setPen(QPen(QColor(220, 120, 0), 2));
      p.drawLine(x1, 1, x2, 1);
      p.drawLine(x1, height() - 2, x2, height() - 2);
    }
  }
}

void ValueChart::mousePressEvent(QMouseEvent* event) {
  const int ply = PlyAt(int(event->position().x()));
  if (ply >= 0) {
    emit PlyPicked(ply);
  }
}

}  // namespace vextal
