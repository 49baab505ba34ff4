#include "Windows.h"

#include "UAbout.h"
#include "UMain.h"
#include "USetup.h"

namespace learner {

TFMain* FMain = nullptr;
TFSetup* FSetup = nullptr;
TFAbout* FAbout = nullptr;

TWindows::TWindows() {
    main_ = std::make_unique<TFMain>();
    FMain = main_.get();
    FSetup = new TFSetup(FMain);
    FAbout = new TFAbout(TFAbout::Program::Learner, FMain);
}

TWindows::~TWindows() {
    FAbout = nullptr;
    FSetup = nullptr;
    FMain = nullptr;
}

} // namespace learner
