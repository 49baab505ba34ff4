#include "Registry.h"

#include <QDir>
#include <QSettings>
#include <stdexcept>

namespace platform {

namespace {

QString SettingsGroup(const QString& key) {
    QString group = key;
    group.replace(u'\\', u'/');
    while (group.startsWith(u'/'))
        group.remove(0, 1);
    return group;
}

QString ConfigFolder(RegistryRoot root) {
    if (root == RegistryRoot::CurrentUser) {
        const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
        return home.isEmpty() ? QDir::homePath() + QStringLiteral("/.config") : home;
    }
    const QStringList folders =
        qEnvironmentVariable("XDG_CONFIG_DIRS").split(u':', Qt::SkipEmptyParts);
    return folders.isEmpty() ? QStringLiteral("/etc/xdg") : folders.first();
}

[[noreturn]] void InvalidType(const QString& name) {
    throw std::runtime_error(QStringLiteral("Invalid data type for '%1'").arg(name).toStdString());
}

} // namespace

Registry::Registry(RegistryRoot root) : root_(root) {}

Registry::~Registry() = default;

QString Registry::FilePath(RegistryRoot root) {
    return ConfigFolder(root) + QStringLiteral("/Orvane/Lexiquill.conf");
}

bool Registry::OpenKey(const QString& key, bool canCreate) {
    CloseKey();
    auto settings = std::make_unique<QSettings>(FilePath(root_), QSettings::IniFormat);
    settings->beginGroup(SettingsGroup(key));
    const bool exists = !settings->childKeys().isEmpty() || !settings->childGroups().isEmpty();
    if (root_ == RegistryRoot::LocalMachine) {
        // Asking whether the machine file is writable would create its folder; it is only read.
        if (!exists || settings->status() != QSettings::NoError)
            return false;
    } else if ((!exists && !canCreate) || !settings->isWritable() ||
               settings->status() != QSettings::NoError) {
        return false;
    }
    settings_ = std::move(settings);
    return true;
}

void Registry::CloseKey() {
    settings_.reset();
}

bool Registry::ValueExists(const QString& name) const {
    return settings_ && settings_->contains(name);
}

QString Registry::ReadString(const QString& name) const {
    if (!ValueExists(name))
        return {};
    const QVariant value = settings_->value(name);
    if (value.typeId() != QMetaType::QString)
        InvalidType(name);
    return value.toString();
}

int32_t Registry::ReadInteger(const QString& name) const {
    if (!ValueExists(name))
        InvalidType(name);
    bool isInteger = false;
    const int32_t value = ReadString(name).toInt(&isInteger, 10);
    if (!isInteger)
        InvalidType(name);
    return value;
}

bool Registry::ReadBool(const QString& name) const {
    return ReadInteger(name) != 0;
}

void Registry::WriteString(const QString& name, const QString& value) {
    if (root_ == RegistryRoot::LocalMachine)
        throw std::runtime_error("The machine settings are read-only");
    if (!settings_)
        throw std::runtime_error("No settings key is open");
    settings_->setValue(name, value);
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        throw std::runtime_error(
            QStringLiteral("Cannot write the value '%1'").arg(name).toStdString());
}

void Registry::WriteInteger(const QString& name, int32_t value) {
    WriteString(name, QString::number(value));
}

void Registry::WriteBool(const QString& name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

} // namespace platform
