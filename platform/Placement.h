#pragma once

#include <QRect>
#include <cstdint>

namespace platform {

// Whether a window whose outer top-left corner is at (left, top) and whose outer width is `width`
// can still be taken by its title bar: at least 100 × 20 pixels of its title strip, the top 20
// pixels of its whole width, lie on one screen. Any 32-bit values may be asked about, as a saved
// place may hold anything.
bool TitleBarWithinReach(int32_t left, int32_t top, int32_t width);

// The room for a window placed at (left, top): the available area of the screen under that
// point, or of the primary screen, where a window out of reach is centred.
QRect AvailableAreaAt(int32_t left, int32_t top);

} // namespace platform
