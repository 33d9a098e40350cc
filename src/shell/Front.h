#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>

namespace vextal {

// The board picture box: a thin sunken frame around a persistent image that the board is
// painted into. Window repaints only show the stored image; nothing is drawn here unless the
// owner paints the image. Coordinates of the image and of MouseDown start at the top-left
// pixel inside the frame.
class Front : public QFrame {
  Q_OBJECT

 public:
  explicit Front(QWidget* parent = nullptr);

  // The back colour and the picture that a clear leaves.
  void SetBackground(const QColor& backColor, const QImage& picture);

  // Clears the image to the back colour with the background picture at its top-left corner,
  // sizing it to the area inside the frame.
  void Clear();

  // The persistent image; paint into it, then call update() to show it.
  QImage& Image() { return image_; }
  const QImage& Image() const { return image_; }

  // Where the image's pixel (0, 0) lies in this widget.
  QPoint ClientOrigin() const { return contentsRect().topLeft(); }

 signals:
  // Any mouse button went down over the board, at a pixel of the image.
  void MouseDown(Qt::MouseButton button, int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QColor backColor_{128, 128, 128};
  QImage picture_;
  QImage image_;
};

}  // namespace vextal
