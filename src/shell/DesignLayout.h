#pragma once

#include <vector>

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QWidget>

namespace vextal {

// Widgets at fixed pixel positions of a design, shown at a factor of it: each widget's place,
// fixed size and pixel font are kept as designed, and SetFactor lays them all out again, so a
// window built at one size changes to another at once.
class DesignLayout {
 public:
  // The widget's geometry in its parent, designed at `design`.
  void Place(QWidget* widget, const QRect& design);
  void FixSize(QWidget* widget, const QSize& design);
  // The widget's font, `font` at `designPixels` pixels.
  void SetFont(QWidget* widget, const QFont& font, int designPixels);

  void SetFactor(double factor);
  double Factor() const { return factor_; }

 private:
  struct Placed {
    QPointer<QWidget> Widget;
    QRect Design;
  };
  struct Fixed {
    QPointer<QWidget> Widget;
    QSize Design;
  };
  struct Font {
    QPointer<QWidget> Widget;
    QFont Designed;
    int Pixels = 0;
  };
  void Apply(const Placed& placed) const;
  void Apply(const Fixed& fixed) const;
  void Apply(const Font& font) const;

  double factor_ = 1.0;
  std::vector<Placed> placed_;
  std::vector<Fixed> fixed_;
  std::vector<Font> fonts_;
};

}  // namespace vextal
