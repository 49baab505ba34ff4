#pragma once

#include <memory>

class TFAbout;

namespace editor {

class TFMain;

// The program's windows, each set when its window is created and valid while the windows live.
// Lesson windows have no global reference: they belong to the main window's frame.
extern TFMain* FMain;
extern TFAbout* FAbout;

// Creates the main window and the hidden About box, and frees them at its end.
class TWindows {
public:
    TWindows();
    ~TWindows();
    TWindows(const TWindows&) = delete;
    TWindows& operator=(const TWindows&) = delete;

private:
    // The About box is a child of the main window and goes with it.
    std::unique_ptr<TFMain> main_;
};

} // namespace editor
