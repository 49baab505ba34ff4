// The main window's settings: loaded from the registry when it shows, saved when it closes.
#include "Registry.h"
#include "UMain.h"

#include <QDir>
#include <stdexcept>

namespace learner {

namespace {

const QString ProductKey = QStringLiteral("\\Software\\Orvane\\Lexiquill\\4");
const QString RecentKey = ProductKey + QStringLiteral("\\Naposledy otevrene");

QString WithTrailingSeparator(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(QDir::separator()))
        return folder;
    return folder + QDir::separator();
}

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
    platform::Registry machine(platform::RegistryRoot::LocalMachine);
    if (machine.OpenKey(ProductKey, false))
        Setup.Path = WithTrailingSeparator(machine.ReadString(QStringLiteral("Path")));

    platform::Registry user(platform::RegistryRoot::CurrentUser);
    DefaultSetup();
    if (user.OpenKey(ProductKey, false) && user.ValueExists(QStringLiteral("Left")))
        ReadUserSettings(user);

    if (user.OpenKey(RecentKey, false)) {
        RecentFiles.Count = 0;
        RecentFiles.Items.assign(1, QString());
        for (int n = 1; user.ValueExists(QString::number(n)); ++n) {
            RecentFiles.Items.push_back(user.ReadString(QString::number(n)));
            ++RecentFiles.Count;
        }
    }
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
        for (int32_t i = 1; i <= RecentFiles.Count; ++i)
            user.WriteString(QString::number(i), RecentFiles.Items[size_t(i)]);
}

} // namespace learner
