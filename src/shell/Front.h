#pragma once

#include <functional>
#include <optional>
#include <utility>

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QTimer>

class QPainter;

namespace vextal {

// The board picture box: a thin sunken frame around a persistent image that the board is
// painted into. Window repaints only show the stored image. Coordinates of the image and of
// MouseDown start at the top-left pixel inside the frame.
//
// The owner hands in how the board is painted and says when it changed (Invalidate); the image
// is then painted once, when the widget is next shown or the image is next read, however many
// changes came before. A burst of moves from a peer thus costs one paint, not one per move.
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

  // Draws the picture onto the image that Clear has just prepared.
  using ImagePainter = std::function<void(QPainter& dc)>;
  void SetPainter(ImagePainter painter) { painter_ = std::move(painter); }

  // The picture changed: the image is cleared and painted again before it is next shown or read.
  void Invalidate();

  // Clears the image to the back colour with the background picture at its top-left corner,
  // sizing it to the area inside the frame at the widget's current device pixel ratio.
  void Clear();

  // The persistent image, first painted again if it was invalidated. Paint into it, then call
  // update() to show it.
  QImage& Image();

  // Where the image's pixel (0, 0) lies in this widget.
  QPoint ClientOrigin() const { return contentsRect().topLeft(); }

  // The keyboard's focus frame: drawn over the image when shown, never into it, so the image
  // stays the board alone. The rectangle is in logical pixels of the image; nullopt hides it.
  void SetFocusFrame(const std::optional<QRect>& frame);
  const std::optional<QRect>& FocusFrame() const { return focusFrame_; }

  // The mark around the node played last: drawn over the image like the focus frame, in a
  // colour of its own, so that both can be told apart on one node.
  void SetMoveMarker(const std::optional<QRect>& marker);
  const std::optional<QRect>& MoveMarker() const { return moveMarker_; }

 signals:
  // Any mouse button went down over the board, at a logical pixel of the image.
  void MouseDown(Qt::MouseButton button, int x, int y);

  // An arrow key, or Space, Enter or Return (not repeated while held), pressed on the board.
  void KeyDown(int key);

  // The widget is now shown at another device pixel ratio than the image was made for (the
  // window moved to another screen, or the screen's scaling changed). With a painter the image
  // is painted again at the new ratio before this very repaint shows it.
  void DevicePixelRatioChanged();

  // The keyboard's focus came to the board by Tab or Backtab, or Tab was pressed while the board
  // is the only place the focus can go: the owner shows where the keyboard is.
  void TabbedTo();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  const QImage& PictureFor(qreal devicePixelRatio);
  void PaintIfInvalid();
  void PaintFocusFrame(QPainter& p) const;
  void PaintMoveMarker(QPainter& p) const;

  QColor backColor_{128, 128, 128};
  PictureSource pictureSource_;
  QImage picture_;  // the last picture from the source, kept for its ratio
  QImage image_;
  ImagePainter painter_;
  bool invalid_ = false;
  std::optional<QRect> focusFrame_;
  std::optional<QRect> moveMarker_;
  // Asks for the repaint from the event loop: a synchronous repaint of another widget in the
  // window (the status line) would otherwise paint the board again at every change.
  QTimer repaintSoon_;
};

}  // namespace vextal
