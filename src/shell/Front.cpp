#include "shell/Front.h"

#include <utility>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vextal {

Front::Front(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  // The image covers everything inside the frame; no need to erase underneath it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Tab reaches the board, so it can be played from the keyboard.
  setFocusPolicy(Qt::StrongFocus);
  repaintSoon_.setSingleShot(true);
  repaintSoon_.setInterval(0);
  connect(&repaintSoon_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
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

void Front::Invalidate() {
  invalid_ = true;
  if (!repaintSoon_.isActive()) {
    repaintSoon_.start();
  }
}

QImage& Front::Image() {
  PaintIfInvalid();
  return image_;
}

void Front::PaintIfInvalid() {
  if (!invalid_) {
    return;
  }
  invalid_ = false;
  Clear();
  if (painter_) {
    QPainter dc(&image_);
    painter_(dc);
  }
}

void Front::paintEvent(QPaintEvent* event) {
  if (!image_.isNull() && image_.devicePixelRatio() != devicePixelRatioF()) {
    // Checked here because every change of ratio repaints the window, whatever caused it.
    invalid_ = invalid_ || bool(painter_);
    emit DevicePixelRatioChanged();
  }
  PaintIfInvalid();
  {
    QPainter p(this);
    const QRect inside = contentsRect();
    p.fillRect(inside, backColor_);
    p.drawImage(inside.topLeft(), image_);
    PaintMoveMarker(p);
    PaintFocusFrame(p);
  }
  QFrame::paintEvent(event);  // the frame on top
}

void Front::SetFocusFrame(const std::optional<QRect>& frame) {
  if (frame != focusFrame_) {
    focusFrame_ = frame;
    update();
  }
}

namespace {

// A ring of `width` pixels along the inside of r.
void PaintRing(QPainter& p, const QRect& r, int width, const QColor& color) {
  p.fillRect(QRect(r.left(), r.top(), r.width(), width), color);
  p.fillRect(QRect(r.left(), r.bottom() - width + 1, r.width(), width), color);
  p.fillRect(QRect(r.left(), r.top(), width, r.height()), color);
  p.fillRect(QRect(r.right() - width + 1, r.top(), width, r.height()), color);
}

}  // namespace

void Front::PaintFocusFrame(QPainter& p) const {
  if (!focusFrame_) {
    return;
  }
  const QRect inside = contentsRect();
  p.save();
  p.setClipRect(inside);
  // A white ring two pixels wide inside a black one: seen on the dark board and on every colour
  // of the nodes and bars.
  const QRect outer = focusFrame_->translated(inside.topLeft());
  PaintRing(p, outer, 1, Qt::black);
  PaintRing(p, outer.adjusted(1, 1, -1, -1), 2, Qt::white);
  p.restore();
}

void Front::SetMoveMarker(const std::optional<QRect>& marker) {
  if (marker != moveMarker_) {
    moveMarker_ = marker;
    update();
  }
}

void Front::PaintMoveMarker(QPainter& p) const {
  if (!moveMarker_) {
    return;
  }
  const QRect inside = contentsRect();
  p.save();
  p.setClipRect(inside);
  // A yellow ring two pixels wide: apart from the focus frame's black and white, and bright on
  // the dark board and on both players' colours.
  PaintRing(p, moveMarker_->translated(inside.topLeft()), 2, QColor(255, 220, 0));
  p.restore();
}

void Front::focusInEvent(QFocusEvent* event) {
  QFrame::focusInEvent(event);
  if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
    emit TabbedTo();
  }
}

bool Front::focusNextPrevChild(bool next) {
  const bool moved = QFrame::focusNextPrevChild(next);
  if (hasFocus()) {
    emit TabbedTo();  // nowhere else to go: Tab still shows where the focus is
  }
  return moved;
}

void Front::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      emit KeyDown(event->key());
      event->accept();
      return;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Holding the key down plays once: a repeat would play the other seat's turn too.
      if (!event->isAutoRepeat()) {
        emit KeyDown(event->key());
      }
      event->accept();
      return;
    default:
      QFrame::keyPressEvent(event);
  }
}

void Front::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint() - ClientOrigin();
  emit MouseDown(event->button(), at.x(), at.y());
  event->accept();
}

}  // namespace vextal
