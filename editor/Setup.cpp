#include "Setup.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace editor {

namespace {

// The default floating-point rounding mode rounds halves to the even neighbour.
int32_t RoundToInt32(double value) {
    constexpr double lowest = std::numeric_limits<int32_t>::min();
    constexpr double highest = std::numeric_limits<int32_t>::max();
    const double rounded = std::nearbyint(value);
    if (rounded <= lowest)
        return std::numeric_limits<int32_t>::min();
    if (rounded >= highest)
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(rounded);
}

} // namespace

int32_t PercentToPixels(int32_t percent, int32_t width) {
    const double onePercent = width / 100.0;
    return RoundToInt32(percent * onePercent);
}

int32_t PixelsToPercent(int32_t pixels, int32_t width) {
    if (width == 0)
        throw std::domain_error("Floating point division by zero");
    const double onePercent = width / 100.0;
    return RoundToInt32(pixels / onePercent);
}

} // namespace editor
