#include "Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The windows are built without a screen, and no test needs one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
