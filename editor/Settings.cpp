// The main window's settings: loaded from the registry when it first shows, saved when it
// closes.
#include "Installation.h"
#include "Placement.h"
#include "Registry.h"
#include "UMain.h"

#include <QGuiApplication>
#include <QScreen>
#include <stdexcept>

namespace editor {

namespace {

const QString EditorKey = ProductKey + QStringLiteral("\\Editor");
const QString RecentKey = EditorKey + QStringLiteral("\\Naposledy otevrene");

} // namespace

void TFMain::LoadSetup() {
    // A damaged value costs only the install folder; stopping there would leave every setting
    // at zero and write those zeros over the user's settings at exit.
    Setup.Path = ReadInstallFolder();

    platform::Registry user(platform::RegistryRoot::CurrentUser);
    if (!user.OpenKey(EditorKey, false)) {
        DefaultSetup();
        return;
    }
    try {
        ReadUserSettings(user);
    } catch (const std::runtime_error&) {
        // One missing or damaged value puts every setting back to its default, placement
        // included, so that no mixture of stored and default values ever shows.
        DefaultSetup();
    }

    if (user.OpenKey(RecentKey, false))
        RecentFiles.Load(user);
}

void TFMain::ReadUserSettings(const platform::Registry& key) {
    if (key.ValueExists(QStringLiteral("Left"))) {
        const int32_t left = key.ReadInteger(QStringLiteral("Left"));
        const int32_t top = key.ReadInteger(QStringLiteral("Top"));
        const int32_t savedWidth = key.ReadInteger(QStringLiteral("Width"));
        const int32_t savedHeight = key.ReadInteger(QStringLiteral("Height"));
        // A window larger than its screen has its menu and its edges out of reach wherever it
        // stands, and centring it would only push its top-left corner further off the screen.
        resize(
            QSize(savedWidth, savedHeight).boundedTo(platform::AvailableAreaAt(left, top).size()));
        // A place saved with a screen that is gone would leave the title bar out of reach.
        if (platform::TitleBarWithinReach(left, top, frameGeometry().width()))
            move(left, top);
        else
            Centre();
    }
    if (key.ReadBool(QStringLiteral("Maximized")))
        setWindowState(windowState() | Qt::WindowMaximized);
    Setup.ColSizeTest1_1 = key.ReadInteger(QStringLiteral("ColSizeTest1_1"));
    Setup.ColSizeTest1_2 = key.ReadInteger(QStringLiteral("ColSizeTest1_2"));
    Setup.ColSizeTest2_1 = key.ReadInteger(QStringLiteral("ColSizeTest2_1"));
    Setup.ColSizeTest2_2 = key.ReadInteger(QStringLiteral("ColSizeTest2_2"));
}

void TFMain::DefaultSetup() {
    // The window is maximised, but restoring it shows it centred at 600 × 400.
    setWindowState(windowState() & ~Qt::WindowMaximized);
    resize(600, 400);
    Centre();
    setWindowState(windowState() | Qt::WindowMaximized);
    Setup.ColSizeTest1_1 = 50;
    Setup.ColSizeTest1_2 = 50;
    Setup.ColSizeTest2_1 = 70;
    Setup.ColSizeTest2_2 = 30;
}

void TFMain::Centre() {
    const QSize screen = QGuiApplication::primaryScreen()->size();
    move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
}

void TFMain::SaveSetup() {
    platform::Registry user(platform::RegistryRoot::CurrentUser);
    if (!user.OpenKey(EditorKey, true))
        return;
    // A maximised window keeps the bounds of an earlier run, which restoring it then gives.
    if (isMaximized()) {
        user.WriteBool(QStringLiteral("Maximized"), true);
    } else {
        user.WriteBool(QStringLiteral("Maximized"), false);
        user.WriteInteger(QStringLiteral("Left"), x());
        user.WriteInteger(QStringLiteral("Top"), y());
        user.WriteInteger(QStringLiteral("Width"), width());
        user.WriteInteger(QStringLiteral("Height"), height());
    }
    user.WriteInteger(QStringLiteral("ColSizeTest1_1"), Setup.ColSizeTest1_1);
    user.WriteInteger(QStringLiteral("ColSizeTest1_2"), Setup.ColSizeTest1_2);
    user.WriteInteger(QStringLiteral("ColSizeTest2_1"), Setup.ColSizeTest2_1);
    user.WriteInteger(QStringLiteral("ColSizeTest2_2"), Setup.ColSizeTest2_2);

    if (user.OpenKey(RecentKey, true))
        RecentFiles.Save(user);
    user.Flush();
}

} // namespace editor
