#include "shell/Front.h"

#include <QMouseEvent>
#include <QPainter>

namespace vextal {

Front::Front(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  // The image covers everything inside the frame; no need to erase underneath it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void Front::SetBackground(const QColor& backColor, const QImage& picture) {
  backColor_ = backColor;
  picture_ = picture;
}

void Front::Clear() {
  const QSize size = contentsRect().size();
  if (image_.size() != size) {
    image_ = QImage(size, QImage::Format_RGB32);
  }
  image_.fill(backColor_);
  if (!picture_.isNull()) {
    QPainter p(&image_);
    p.drawImage(0, 0, picture_);
  }
}

void Front::paintEvent(QPaintEvent* event) {
  {
    QPainter p(this);
    const QRect inside = contentsRect();
    p.fillRect(inside, backColor_);
    p.drawImage(inside.topLeft(), image_);
  }
  QFrame::paintEvent(event);  // the frame on top
}

void Front::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint() - ClientOrigin();
  emit MouseDown(event->button(), at.x(), at.y());
  event->accept();
}

}  // namespace vextal
