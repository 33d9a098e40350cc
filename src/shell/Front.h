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
//
// The board may be shown at a zoom (the window's size): the image then covers the zoomed widget,
// and the painter, the overlays, the mouse and the rectangles handed in all keep the board's own
// coordinates ("image coordinates"), each of them zoom x zoom logical pixels of the widget.
class Front : public QFrame {
  Q_OBJECT

 public:
  explicit Front(QWidget* parent = nullptr);

  // Paints the background picture in image coordinates (see PaintBoardBackground).
  using PicturePainter = std::function<void(QPainter& dc)>;

  // The back colour and the picture that a clear leaves. A fixed picture is shown at its own
  // logical size; a picture painter paints into the image at every clear, at whatever device
  // pixel ratio the image has then, so no copy of the picture is kept.
  void SetBackground(const QColor& backColor, const QImage& picture);
  void SetBackground(const QColor& backColor, PicturePainter picture);

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

  // The board drawn zoom times its size; the owner gives the widget its zoomed size. The image
  // is painted again at the next show or read.
  void SetZoom(qreal zoom);
  qreal Zoom() const { return zoom_; }
  // A rectangle in image coordinates as it lies in this widget.
  QRect ToWidget(const QRect& image) const;

  // The keyboard's focus frame: drawn over the image when shown, never into it, so the image
  // stays the board alone. The rectangle is in logical pixels of the image; nullopt hides it.
  // A hint shows in the same place as a dashed ring of its own colour instead.
  enum class FrameStyle { Keyboard, Hint };
  void SetFocusFrame(const std::optional<QRect>& frame, FrameStyle style = FrameStyle::Keyboard);
  const std::optional<QRect>& FocusFrame() const { return focusFrame_; }
  FrameStyle FocusFrameStyle() const { return frameStyle_; }

  // The colours of what is drawn over the image: the last move's ring, the hint's ring and the
  // cross of a refused move.
  struct OverlayColors {
    QColor LastMove{255, 220, 0};
    QColor Hint{255, 80, 255};
    QColor Refusal{255, 0, 0};
  };
  void SetOverlayColors(const OverlayColors& colors);

  // A refused move: a cross over the node's square (logical pixels of the image) for a moment.
  static constexpr int kRefusalShownMs = 1500;
  void ShowRefusal(const QRect& square);
  const std::optional<QRect>& RefusalMark() const { return refusalMark_; }

  // What assistive technology reads of the board and does with it (see FrontAccessible): the
  // grid's columns and rows, each grid point in words, and a press on one, which plays it as a
  // click does. Columns and rows count from 1.
  struct BoardAccess {
    std::function<QSize()> GridSize;
    std::function<QString(int column, int row)> CellName;
    std::function<void(int column, int row)> Press;
  };
  void SetAccess(BoardAccess access) { access_ = std::move(access); }
  const BoardAccess& Access() const { return access_; }
  // The keyboard's cell (column, row), reported as the focused cell; nullopt while it is hidden.
  void SetFocusCell(const std::optional<QPoint>& cell);
  const std::optional<QPoint>& FocusCell() const { return focusCell_; }
  // The board's words changed: cells read before say so.
  void CellsChanged();
  // What just happened (a move of the other side, a refusal, a result), told to a screen reader
  // as the description of the focused cell, which it speaks, or of the board while no cell has
  // the focus; it goes when the focus moves on. An empty text takes it back.
  void Announce(const QString& text);
  // The announcement as the description of the cell (column, row), or of the board for nullopt.
  QString AnnouncementFor(const std::optional<QPoint>& cell) const;

  // The mark around the node played last: drawn over the image like the focus frame, in a
  // colour of its own, so that both can be told apart on one node.
  void SetMoveMarker(const std::optional<QRect>& marker);
  const std::optional<QRect>& MoveMarker() const { return moveMarker_; }

 signals:
  // Any mouse button went down over the board, at a point in image coordinates.
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
  // The image's pixels per image coordinate: the screen's ratio times the zoom.
  qreal ImageRatio() const { return devicePixelRatioF() * zoom_; }
  // The area inside the frame in image coordinates.
  QRectF ImageArea() const;
  void PaintIfInvalid();
  void PaintFocusFrame(QPainter& p) const;
  void PaintMoveMarker(QPainter& p) const;
  void PaintRefusal(QPainter& p) const;

  QColor backColor_{128, 128, 128};
  PicturePainter picturePainter_;
  QImage image_;
  qreal zoom_ = 1.0;
  qreal imageZoom_ = 1.0;  // the zoom the image was made at
  ImagePainter painter_;
  bool invalid_ = false;
  std::optional<QRect> focusFrame_;
  std::optional<QRect> moveMarker_;
  std::optional<QRect> refusalMark_;
  FrameStyle frameStyle_ = FrameStyle::Keyboard;
  OverlayColors overlay_;
  QTimer refusalShown_;
  BoardAccess access_;
  std::optional<QPoint> focusCell_;
  QString announcement_;
  std::optional<QPoint> announcedAt_;  // the cell that tells it; nullopt: the board
  // Asks for the repaint from the event loop: a synchronous repaint of another widget in the
  // window (the status line) would otherwise paint the board again at every change.
  QTimer repaintSoon_;
};

}  // namespace vextal
