#pragma once

#include <memory>

class TFAbout;

namespace learner {

class TFMain;
class TFSetup;
class TFTest1;
class TFTest2;
class TFVyuka1;
class TFVyuka2;

// The program's windows, each set when its window is created and valid while the windows live.
extern TFMain* FMain;
extern TFTest1* FTest1;
extern TFSetup* FSetup;
extern TFAbout* FAbout;
extern TFTest2* FTest2;
extern TFVyuka1* FVyuka1;
extern TFVyuka2* FVyuka2;

// Creates the program's windows in their start order, all hidden, and frees them at its end.
class TWindows {
public:
    TWindows();
    ~TWindows();
    TWindows(const TWindows&) = delete;
    TWindows& operator=(const TWindows&) = delete;

private:
    // The other windows are children of the main window and go with it.
    std::unique_ptr<TFMain> main_;
};

} // namespace learner
