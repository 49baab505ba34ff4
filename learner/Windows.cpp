#include "Windows.h"

#include "UAbout.h"
#include "UMain.h"
#include "USetup.h"
#include "UTest1.h"
#include "UTest2.h"
#include "UVyuka1.h"
#include "UVyuka2.h"

namespace learner {

TFMain* FMain = nullptr;
TFTest1* FTest1 = nullptr;
TFSetup* FSetup = nullptr;
TFAbout* FAbout = nullptr;
TFTest2* FTest2 = nullptr;
TFVyuka1* FVyuka1 = nullptr;
TFVyuka2* FVyuka2 = nullptr;

TWindows::TWindows() {
    main_ = std::make_unique<TFMain>();
    FMain = main_.get();
    FTest1 = new TFTest1(FMain);
    FSetup = new TFSetup(FMain);
    FAbout = new TFAbout(TFAbout::Program::Learner, FMain);
    FVyuka1 = new TFVyuka1(FMain);
    FTest2 = new TFTest2(FMain);
    FVyuka2 = new TFVyuka2(FMain);
}

TWindows::~TWindows() {
    FVyuka2 = nullptr;
    FTest2 = nullptr;
    FVyuka1 = nullptr;
    FAbout = nullptr;
    FSetup = nullptr;
    FTest1 = nullptr;
    FMain = nullptr;
}

} // namespace learner
