#include "Application.h"
#include "UMain.h"
#include "Windows.h"

int main(int argc, char** argv) {
    platform::Application application(argc, argv);
    application.setApplicationName(QStringLiteral("Editor slovní zásoby pro Lexiquill"));
    editor::TWindows windows;
    editor::FMain->show();
    return application.exec();
}
