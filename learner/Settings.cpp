// The main window's settings: loaded from the registry when it shows, saved when it closes.
#include "Installation.h"
#include "Registry.h"
#include "UMain.h"

#include <stdexcept>

namespace learner {

namespace {

const QString RecentKey = ProductKey + QStringLiteral("\\Naposledy otevrene");

// A value that is missing or not a number keeps the default it was given, so that one damaged
// value costs only itself.
void ReadInto(const platform::Registry& key, const QString& name, int32_t& field) {
    try {
        field = key.ReadInteger(name);
    } catch (const std::runtime_error&) {
    }
}

void ReadInto(const platform::Registry& key, const QString& name, bool& field) {
    try {
        field = key.ReadBool(name);
    } catch (const std::runtime_error&) {
    }
}

} // namespace

void TFMain::LoadSetup() {
    Setup.Path = ReadInstallFolder();

    platform::Registry user(platform::RegistryRoot::CurrentUser);
    DefaultSetup();
    if (user.OpenKey(ProductKey, false) && user.ValueExists(QStringLiteral("Left")))
        ReadUserSettings(user);

    if (user.OpenKey(RecentKey, false))
        RecentFiles.Load(user);
}

void TFMain::ReadUserSettings(const platform::Registry& key) {
    ReadInto(key, QStringLiteral("Left"), Setup.Left);
    ReadInto(key, QStringLiteral("Top"), Setup.Top);
    ReadInto(key, QStringLiteral("Zvuk"), Setup.Zvuk);
    ReadInto(key, QStringLiteral("ZkoZkousetPo"), Setup.ZkoZkousetPo);
    ReadInto(key, QStringLiteral("ZkoVyrazKrat"), Setup.ZkoVyrazKrat);
    ReadInto(key, QStringLiteral("ZkoZkousetCelou"), Setup.ZkoZkousetCelou);
    ReadInto(key, QStringLiteral("VyuZkousetPo"), Setup.VyuZkousetPo);
    ReadInto(key, QStringLiteral("VyuVyrazKrat"), Setup.VyuVyrazKrat);
    ReadInto(key, QStringLiteral("VyuZkousetCelou"), Setup.VyuZkousetCelou);
}

void TFMain::DefaultSetup() {
    const QPoint centre = CentredPosition();
    Setup.Zvuk = true;
    Setup.Left = centre.x();
    Setup.Top = centre.y();
    Setup.ZkoZkousetPo = 10;
    Setup.ZkoVyrazKrat = 2;
    Setup.ZkoZkousetCelou = false;
    Setup.VyuZkousetPo = 10;
    Setup.VyuVyrazKrat = 1;
    Setup.VyuZkousetCelou = true;
}

void TFMain::SaveSetup() {
    platform::Registry user(platform::RegistryRoot::CurrentUser);
    if (user.OpenKey(ProductKey, true)) {
        user.WriteInteger(QStringLiteral("Left"), Setup.Left);
        user.WriteInteger(QStringLiteral("Top"), Setup.Top);
        user.WriteBool(QStringLiteral("Zvuk"), Setup.Zvuk);
        user.WriteInteger(QStringLiteral("ZkoZkousetPo"), Setup.ZkoZkousetPo);
        user.WriteInteger(QStringLiteral("ZkoVyrazKrat"), Setup.ZkoVyrazKrat);
        user.WriteBool(QStringLiteral("ZkoZkousetCelou"), Setup.ZkoZkousetCelou);
        user.WriteInteger(QStringLiteral("VyuZkousetPo"), Setup.VyuZkousetPo);
        user.WriteInteger(QStringLiteral("VyuVyrazKrat"), Setup.VyuVyrazKrat);
        user.WriteBool(QStringLiteral("VyuZkousetCelou"), Setup.VyuZkousetCelou);
    }
    if (user.OpenKey(RecentKey, true))
        RecentFiles.Save(user);
    user.Flush();
}

} // namespace learner
