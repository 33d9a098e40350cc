#pragma once

#include <optional>
#include <vector>

#include <QWidget>

namespace vextal {

// A small chart of the game's proven value across its positions, from player 1's side: a bar
// up for a win, down for a loss, a thin line between the bounds where the value is not proven.
// Moves that gave value away are marked; a click picks the position under the mouse.
class ValueChart final : public QWidget {
  Q_OBJECT

 public:
  struct Point {
    int Lower = 0;
    int Upper = 0;
    bool Proven = false;    // some bound is known
    bool LostHere = false;  // the move that led here gave value away
  };

  explicit ValueChart(QWidget* parent = nullptr);

  void SetPoints(std::vector<Point> points);
  void SetCurrent(int ply);

 signals:
  void PlyPicked(int ply);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int PlyAt(int x) const;

  std::vector<Point> points_;
  int current_ = -1;
};

}  // namespace vextal
