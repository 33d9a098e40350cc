#pragma once

#include <QIcon>
#include <QImage>

namespace vextal {

// The program's own pictures, painted in code so that nothing has to be shipped beside it.

inline constexpr int kBackgroundWidth = 329;
inline constexpr int kBackgroundHeight = 279;

// The board's background picture: a purple grid of empty node slots at the board positions.
QImage BoardBackground();

// The program icon at one of its two sizes (32 or 16 pixels square).
QImage ProgramIconImage(int size);

// The program icon with both sizes.
QIcon ProgramIcon();

}  // namespace vextal
