#include "Placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

namespace platform {

bool TitleBarWithinReach(int32_t left, int32_t top) {
    // In 64 bits: a place near the 32-bit bounds must not wrap round onto a screen.
    constexpr int64_t Width = 100, Height = 20;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        if (left >= area.left() && top >= area.top() &&
            left + Width <= int64_t(area.left()) + area.width() &&
            top + Height <= int64_t(area.top()) + area.height())
            return true;
    }
    return false;
}

} // namespace platform
