#include "shell/Front.h"

#include <algorithm>
#include <utility>

#include <QAccessible>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "shell/BoardAccessible.h"
#include "shell/WindowSize.h"

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
  refusalShown_.setSingleShot(true);
  refusalShown_.setInterval(kRefusalShownMs);
  refusalShown_.setObjectName(QStringLiteral("refusalShown"));
  connect(&refusalShown_, &QTimer::timeout, this, [this] {
    refusalMark_.reset();
    update();
  });
  FrontAccessible::Install();
}

void Front::SetBackground(const QColor& backColor, const QImage& picture) {
  SetBackground(backColor, [picture](QPainter& p) { p.drawImage(0, 0, picture); });
}

void Front::SetBackground(const QColor& backColor, PicturePainter picture) {
  backColor_ = backColor;
  picturePainter_ = std::move(picture);
}

void Front::SetZoom(qreal zoom) {
  if (zoom > 0 && zoom != zoom_) {
    zoom_ = zoom;
    invalid_ = invalid_ || bool(painter_);
    update();
  }
}

QRect Front::ToWidget(const QRect& image) const {
  return ScaledRect(image, zoom_).translated(ClientOrigin());
}

QRectF Front::ImageArea() const {
  return QRectF(QPointF(0, 0), QSizeF(contentsRect().size()) / zoom_);
}

void Front::Clear() {
  // The image covers the widget in its pixels; painted at the ratio, it draws image coordinates.
  const qreal ratio = ImageRatio();
  imageZoom_ = zoom_;
  const QSize size = (QSizeF(contentsRect().size()) * devicePixelRatioF()).toSize();
  if (image_.size() != size || image_.devicePixelRatio() != ratio) {
    image_ = QImage(size, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
  }
  image_.fill(backColor_);
  if (picturePainter_) {
    QPainter p(&image_);
    picturePainter_(p);
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
  if (!image_.isNull() && image_.devicePixelRatio() != devicePixelRatioF() * imageZoom_) {
    // Checked here because every change of ratio repaints the window, whatever caused it.
    invalid_ = invalid_ || bool(painter_);
    emit DevicePixelRatioChanged();
  }
  PaintIfInvalid();
  {
    QPainter p(this);
    const QRect inside = contentsRect();
    p.fillRect(inside, backColor_);
    // Pixel for pixel: the image holds as many pixels as the widget covers.
    p.drawImage(QRectF(inside.topLeft(), QSizeF(image_.size()) / devicePixelRatioF()), image_);
    // The marks are drawn in image coordinates, at the zoom.
    p.translate(inside.topLeft());
    p.scale(zoom_, zoom_);
    PaintMoveMarker(p);
    PaintFocusFrame(p);
    PaintRefusal(p);
  }
  QFrame::paintEvent(event);  // the frame on top
}

void Front::SetFocusFrame(const std::optional<QRect>& frame, FrameStyle style) {
  if (frame != focusFrame_ || style != frameStyle_) {
    focusFrame_ = frame;
    frameStyle_ = style;
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

void Front::SetOverlayColors(const OverlayColors& colors) {
  overlay_ = colors;
  update();
}

void Front::ShowRefusal(const QRect& square) {
  refusalMark_ = square;
  refusalShown_.start();
  update();
}

void Front::PaintRefusal(QPainter& p) const {
  if (!refusalMark_) {
    return;
  }
  p.save();
  p.setClipRect(ImageArea());
  // A cross corner to corner, black under the colour: seen on every colour of node, and in grey.
  const QRect r = *refusalMark_;
  for (const auto& [width, color] :
       {std::pair{6, QColor(Qt::black)}, std::pair{3, overlay_.Refusal}}) {
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
  }
  p.restore();
}

void Front::SetFocusCell(const std::optional<QPoint>& cell) {
  if (cell == focusCell_) {
    return;
  }
  focusCell_ = cell;
  announcement_.clear();  // said where the focus was
  announcedAt_.reset();
  if (cell && hasFocus() && QAccessible::isActive()) {
    if (auto* board = dynamic_cast<FrontAccessible*>(QAccessible::queryAccessibleInterface(this))) {
      board->FocusMoved(cell->x(), cell->y());
    }
  }
}

void Front::Announce(const QString& text) {
  if (text.isEmpty() && announcement_.isEmpty()) {
    return;
  }
  announcement_ = text;
  announcedAt_ = hasFocus() ? focusCell_ : std::nullopt;
  if (!QAccessible::isActive()) {
    return;
  }
  if (auto* board = dynamic_cast<FrontAccessible*>(QAccessible::queryAccessibleInterface(this))) {
    board->DescriptionChanged(announcedAt_);
  }
}

QString Front::AnnouncementFor(const std::optional<QPoint>& cell) const {
  return cell == announcedAt_ ? announcement_ : QString();
}

void Front::CellsChanged() {
  if (!QAccessible::isActive()) {
    return;  // nobody reads the cells
  }
  if (auto* board = dynamic_cast<FrontAccessible*>(QAccessible::queryAccessibleInterface(this))) {
    board->CellsChanged();
  }
}

void Front::PaintFocusFrame(QPainter& p) const {
  if (!focusFrame_) {
    return;
  }
  p.save();
  p.setClipRect(ImageArea());
  // A white ring two pixels wide inside a black one: seen on the dark board and on every colour
  // of the nodes and bars.
  const QRect outer = *focusFrame_;
  PaintRing(p, outer, 1, Qt::black);
  if (frameStyle_ == FrameStyle::Hint) {
    // Dashes of the hint's colour on black: apart from the keyboard's solid white and from the
    // last move's solid ring in shape as well as in colour.
    const QRect in = outer.adjusted(1, 1, -1, -1);
    PaintRing(p, in, 2, Qt::black);
    const int dash = 4;
    for (int x = in.left(); x <= in.right(); x += 2 * dash) {
      p.fillRect(QRect(x, in.top(), std::min(dash, in.right() - x + 1), 2), overlay_.Hint);
      p.fillRect(QRect(x, in.bottom() - 1, std::min(dash, in.right() - x + 1), 2), overlay_.Hint);
    }
    for (int y = in.top(); y <= in.bottom(); y += 2 * dash) {
      p.fillRect(QRect(in.left(), y, 2, std::min(dash, in.bottom() - y + 1)), overlay_.Hint);
      p.fillRect(QRect(in.right() - 1, y, 2, std::min(dash, in.bottom() - y + 1)), overlay_.Hint);
    }
  } else {
    PaintRing(p, outer.adjusted(1, 1, -1, -1), 2, Qt::white);
  }
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
  p.save();
  p.setClipRect(ImageArea());
  // A ring two pixels wide (yellow at first): apart from the focus frame's black and white, and
  // bright on the dark board and on both players' colours.
  PaintRing(p, *moveMarker_, 2, overlay_.LastMove);
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
  const QPoint at = ((event->position() - QPointF(ClientOrigin())) / zoom_).toPoint();
  emit MouseDown(event->button(), at.x(), at.y());
  event->accept();
}

}  // namespace vextal
