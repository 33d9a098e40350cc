#include "shell/DesignLayout.h"

#include "shell/WindowSize.h"

namespace vextal {

void DesignLayout::Place(QWidget* widget, const QRect& design) {
  placed_.push_back({widget, design});
  Apply(placed_.back());
}

void DesignLayout::FixSize(QWidget* widget, const QSize& design) {
  fixed_.push_back({widget, design});
  Apply(fixed_.back());
}

void DesignLayout::SetFont(QWidget* widget, const QFont& font, int designPixels) {
  fonts_.push_back({widget, font, designPixels});
  Apply(fonts_.back());
}

void DesignLayout::SetFactor(double factor) {
  if (factor == factor_) {
    return;
  }
  factor_ = factor;
  for (const Fixed& fixed : fixed_) {
    Apply(fixed);
  }
  for (const Placed& placed : placed_) {
    Apply(placed);
  }
  for (const Font& font : fonts_) {
    Apply(font);
  }
}

void DesignLayout::Apply(const Placed& placed) const {
  if (placed.Widget) {
    placed.Widget->setGeometry(ScaledRect(placed.Design, factor_));
  }
}

void DesignLayout::Apply(const Fixed& fixed) const {
  if (fixed.Widget) {
    fixed.Widget->setFixedSize(ScaledPixels(fixed.Design.width(), factor_),
                               ScaledPixels(fixed.Design.height(), factor_));
  }
}

void DesignLayout::Apply(const Font& font) const {
  if (font.Widget) {
    QFont scaled = font.Designed;
    scaled.setPixelSize(ScaledPixels(font.Pixels, factor_));
    font.Widget->setFont(scaled);
  }
}

}  // namespace vextal
