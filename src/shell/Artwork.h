#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

class QPainter;

namespace vextal {

// The program's own pictures, painted in code so that nothing has to be shipped beside it.

inline constexpr int kBackgroundWidth = 329;
inline constexpr int kBackgroundHeight = 279;

// The board's background picture: a purple grid of empty node slots at the board positions,
// kBackgroundWidth x kBackgroundHeight logical pixels from the painter's origin. The board paints
// it straight into its image at every clear (well under a millisecond) rather than keeping a
// copy of its own for the run.
void PaintBoardBackground(QPainter& p);
// The same picture on an image of its own, for a screen of the given device pixel ratio: each
// logical pixel covers ratio x ratio pixels of the image.
QImage BoardBackground(qreal devicePixelRatio = 1.0);

// The program icon, size pixels square. It is drawn for 32 and 16 pixels and scales to any
// size; the sizes installed in the desktop's icon theme are kProgramIconSizes.
QImage ProgramIconImage(int size);

// The program icon for size logical pixels on a screen of the given device pixel ratio.
QPixmap ProgramIconPixmap(int size, qreal devicePixelRatio);

inline constexpr int kProgramIconSizes[] = {16, 32, 48, 64, 128, 256};

// The sizes the window itself carries: title bar, task bar and window switcher. Launchers and
// menus take the larger ones from the icon theme, so the window does not paint them at start-up.
inline constexpr int kWindowIconSizes[] = {16, 32, 48};

// The window's icon: every size of kWindowIconSizes and, when a screen is denser than 1:1,
// each of them also at the highest device pixel ratio of the screens (32, 64 and 96 at 200 %).
QIcon ProgramIcon();

}  // namespace vextal
