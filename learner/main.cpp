#include "Application.h"
#include "UMain.h"
#include "Windows.h"

int main(int argc, char** argv) {
    platform::Application application(argc, argv);
    // The display name follows the application name. Set on its own, the display name would be
    // appended to every other window's caption.
    application.setApplicationName(QStringLiteral("Lexiquill 4"));
    learner::TWindows windows;
    learner::FMain->show();
    return application.exec();
}
