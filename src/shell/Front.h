#pragma once

#include <functional>

#include <QColor>
#include <QFrame>
#include <QImage>

namespace vextal {

// The board picture box: a thin sunken frame around a persistent image that the board is
// painted into. Window repaints only show the stored image; nothing is drawn here unless the
// owner paints the image. Coordinates of the image and of MouseDown start at the top-left
// pixel inside the frame.
//
// On a high-density screen the image has the screen's device pixel ratio: it holds logical size
// x ratio pixels, and a QPainter opened on it draws in logical pixels, so the board is painted
// sharp instead of being enlarged as a bitmap. At ratio 1 a logical pixel is an image pixel.
class Front : public QFrame {
  Q_OBJECT

 public:
  explicit Front(QWidget* parent = nullptr);

  // Paints the background picture for a device pixel ratio (see BoardBackground).
  using PictureSource = std::function<QImage(qreal devicePixelRatio)>;

  // The back colour and the picture that a clear leaves. A fixed picture is shown at its own
  // logical size; a picture source is asked again whenever the device pixel ratio changes.
  void SetBackground(const QColor& backColor, const QImage& picture);
  void SetBackground(const QColor& backColor, PictureSource picture);

  // Clears the image to the back colour with the background picture at its top-left corner,
  // sizing it to the area inside the frame at the widget's current device pixel ratio.
  void Clear();

  // The persistent image; paint into it, then call update() to show it.
  QImage& Image() { return image_; }
  const QImage& Image() const { return image_; }

  // Where the image's pixel (0, 0) lies in this widget.
  QPoint ClientOrigin() const { return contentsRect().topLeft(); }

 signals:
  // Any mouse button went down over the board, at a logical pixel of the image.
  void MouseDown(Qt::MouseButton button, int x, int y);

  // The widget is now shown at another device pixel ratio than the image was made for (the
  // window moved to another screen, or the screen's scaling changed). The owner repaints the
  // board; until then the old image is shown enlarged or reduced.
  void DevicePixelRatioChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const QImage& PictureFor(qreal devicePixelRatio);

  QColor backColor_{128, 128, 128};
  PictureSource pictureSource_;
  QImage picture_;  // the last picture from the source, kept for its ratio
  QImage image_;
};

}  // namespace vextal
