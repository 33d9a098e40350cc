#include "shell/Front.h"

#include <utility>

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
  pictureSource_ = nullptr;
  picture_ = picture;
}

void Front::SetBackground(const QColor& backColor, PictureSource picture) {
  backColor_ = backColor;
  pictureSource_ = std::move(picture);
  picture_ = QImage();
}

const QImage& Front::PictureFor(qreal devicePixelRatio) {
  if (pictureSource_ && (picture_.isNull() || picture_.devicePixelRatio() != devicePixelRatio)) {
    picture_ = pictureSource_(devicePixelRatio);
  }
  return picture_;
}

void Front::Clear() {
  const qreal ratio = devicePixelRatioF();
  const QSize size = (QSizeF(contentsRect().size()) * ratio).toSize();
  if (image_.size() != size || image_.devicePixelRatio() != ratio) {
    image_ = QImage(size, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
  }
  image_.fill(backColor_);
  const QImage& picture = PictureFor(ratio);
  if (!picture.isNull()) {
    QPainter p(&image_);
    p.drawImage(0, 0, picture);
  }
}

void Front::paintEvent(QPaintEvent* event) {
  if (!image_.isNull() && image_.devicePixelRatio() != devicePixelRatioF()) {
    // Checked here because every change of ratio repaints the window, whatever caused it. The
    // owner redraws the image at once, so this very paint already shows the sharp board.
    emit DevicePixelRatioChanged();
  }
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
