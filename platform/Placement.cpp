#include "Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace platform {

bool TitleBarWithinReach(int32_t left, int32_t top, int32_t width) {
    // In 64 bits: a place or a width near the 32-bit bounds must not wrap round onto a screen.
    constexpr int64_t GripWidth = 100, StripHeight = 20;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const int64_t from = std::max<int64_t>(left, area.left());
        const int64_t to = std::min(int64_t(left) + width, int64_t(area.left()) + area.width());
        if (to - from >= GripWidth && top >= area.top() &&
            top + StripHeight <= int64_t(area.top()) + area.height())
            return true;
    }
    return false;
}

QRect AvailableAreaAt(int32_t left, int32_t top) {
    const QScreen* screen = QGuiApplication::screenAt(QPoint(left, top));
    return (screen ? screen : QGuiApplication::primaryScreen())->availableGeometry();
}

} // namespace platform
