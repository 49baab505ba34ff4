#pragma once

#include <QString>
#include <cstdint>

namespace editor {

// The editor's settings that outlive a run, held by the main window as `Setup`. The window's
// placement is the main window's own geometry and is not kept here. Zero until the settings are
// loaded when the main window first shows.
struct TSetup {
    QString Path; // install folder, with a trailing separator when not empty
    // Widths of the two data columns in percent, shared by all lesson windows of one kind:
    // question-answer windows use ColSizeTest1_*, fill-in windows ColSizeTest2_*.
    int32_t ColSizeTest1_1 = 0;
    int32_t ColSizeTest1_2 = 0;
    int32_t ColSizeTest2_1 = 0;
    int32_t ColSizeTest2_2 = 0;
};

// Column widths between percent of `width` and pixels, rounded to the nearest integer with
// halves going to the even one. A result beyond 32 bits is held at the nearest bound, since the
// percentages come unchecked from the settings store. PixelsToPercent of a width of 0 raises
// std::domain_error; callers with no room to share keep their widths instead.
int32_t PercentToPixels(int32_t percent, int32_t width);
int32_t PixelsToPercent(int32_t pixels, int32_t width);

} // namespace editor
