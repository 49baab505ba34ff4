#pragma once

#include <cstdint>

namespace platform {

// Whether a window whose outer top-left corner is at (left, top) can still be taken by its title
// bar: its top-left 100 × 20 pixels lie whole on one screen. Any 32-bit place may be asked about,
// as a saved place may hold anything.
bool TitleBarWithinReach(int32_t left, int32_t top);

} // namespace platform
