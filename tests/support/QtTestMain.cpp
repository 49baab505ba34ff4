#include "Application.h"

#include <QLocale>
#include <gtest/gtest.h>

// The main of every test program with windows: the programs' own application, so that its
// start-up (Czech texts, fonts) is what the tests see, without a screen and silent wherever the
// tests run.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    platform::Application application(argc, argv);
    // Tests close main windows many times; the application must outlive that.
    application.setQuitOnLastWindowClosed(false);
    // Numbers in grid cells follow the locale: the same one on every machine.
    QLocale::setDefault(QLocale::c());
    return RUN_ALL_TESTS();
}
