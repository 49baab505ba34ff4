#include "Windows.h"

#include "UAbout.h"
#include "UMain.h"

namespace editor {

TFMain* FMain = nullptr;
TFAbout* FAbout = nullptr;

TWindows::TWindows() {
    main_ = std::make_unique<TFMain>();
    FMain = main_.get();
    FAbout = new TFAbout(TFAbout::Program::Editor, FMain);
}

TWindows::~TWindows() {
    // Lesson windows may still reach the main window while it frees them.
    main_.reset();
    FAbout = nullptr;
    FMain = nullptr;
}

} // namespace editor
