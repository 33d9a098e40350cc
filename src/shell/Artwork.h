#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace vextal {

// The program's own pictures, painted in code so that nothing has to be shipped beside it.

inline constexpr int kBackgroundWidth = 329;
inline constexpr int kBackgroundHeight = 279;

// The board's background picture: a purple grid of empty node slots at the board positions.
// Painted for a screen of the given device pixel ratio: kBackgroundWidth x kBackgroundHeight
// logical pixels, each covering ratio x ratio pixels of the image.
QImage BoardBackground(qreal devicePixelRatio = 1.0);

// The program icon, size pixels square. It is drawn for 32 and 16 pixels and scales to any
// size; the sizes that are handed to the desktop are kProgramIconSizes.
QImage ProgramIconImage(int size);

// The program icon for size logical pixels on a screen of the given device pixel ratio.
QPixmap ProgramIconPixmap(int size, qreal devicePixelRatio);

inline constexpr int kProgramIconSizes[] = {16, 32, 48, 64, 128, 256};

// The program icon with every size of kProgramIconSizes.
QIcon ProgramIcon();

}  // namespace vextal
