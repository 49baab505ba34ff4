#include "Application.h"

#include <gtest/gtest.h>

// The platform's own application, so that its start-up (Czech texts, fonts) is what the tests
// see; offscreen and silent wherever they run.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    platform::Application application(argc, argv);
    return RUN_ALL_TESTS();
}
