#include "Registry.h"

#include <QDir>
#include <QSettings>
#include <algorithm>
#include <stdexcept>
#include <utility>

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

bool KeyExists(QSettings& settings, const QString& group) {
    settings.beginGroup(group);
    const bool exists = !settings.childKeys().isEmpty() || !settings.childGroups().isEmpty();
    settings.endGroup();
    return exists;
}

// Binary junk that Qt took for a setting has a name that is not text; no setting of ours does.
bool IsText(const QString& key) {
    return std::all_of(key.begin(), key.end(),
                       [](QChar c) { return c.isPrint() && c != QChar::ReplacementCharacter; });
}

} // namespace

Registry::Registry(RegistryRoot root) : root_(root) {}

Registry::~Registry() = default;

QString Registry::FilePath(RegistryRoot root) {
    return ConfigFolder(root) + QStringLiteral("/Orvane/Lexiquill.conf");
}

bool Registry::OpenKey(const QString& key, bool canCreate) {
    CloseKey();
    if (!settings_)
        settings_ = std::make_unique<QSettings>(FilePath(root_), QSettings::IniFormat);
    const QString group = SettingsGroup(key);
    // A format error is only a line that is not a setting; Qt has read the others.
    if (settings_->status() == QSettings::AccessError)
        return false;
    // Listing the key's values costs as much as the file is long: only when it matters.
    const bool machine = root_ == RegistryRoot::LocalMachine;
    if ((machine || !canCreate) && !KeyExists(*settings_, group))
        return false;
    // Asking whether the machine file is writable would create its folder; it is only read.
    if (!machine && !settings_->isWritable())
        return false;
    group_ = group;
    keyOpen_ = true;
    return true;
}

void Registry::CloseKey() {
    keyOpen_ = false;
}

bool Registry::ValueExists(const QString& name) const {
    return keyOpen_ && settings_->contains(Entry(name));
}

QString Registry::ReadString(const QString& name) const {
    if (!ValueExists(name))
        return {};
    const QVariant value = settings_->value(Entry(name));
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
    if (!keyOpen_)
        throw std::runtime_error("No settings key is open");
    settings_->setValue(Entry(name), value);
    unflushed_ = true;
}

void Registry::WriteInteger(const QString& name, int32_t value) {
    WriteString(name, QString::number(value));
}

void Registry::WriteBool(const QString& name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

void Registry::Flush() {
    if (!unflushed_)
        return;
    unflushed_ = false;
    settings_->sync();
    // Qt keeps the first error it met: after a format error nothing tells whether the write went
    // through, and what Qt made of the damaged lines went back into the file.
    if (settings_->status() != QSettings::NoError)
        WriteAnew();
}

void Registry::WriteAnew() {
    QList<std::pair<QString, QVariant>> values;
    for (const QString& key : settings_->allKeys())
        if (IsText(key))
            values.append({key, settings_->value(key)});
    // A second QSettings on the file shares what the first has read, but not its error.
    QSettings fresh(settings_->fileName(), QSettings::IniFormat);
    fresh.clear();
    for (const auto& [key, value] : values)
        fresh.setValue(key, value);
    fresh.sync();
    if (fresh.status() != QSettings::NoError)
        throw std::runtime_error(QStringLiteral("Cannot write the settings file \"%1\".")
                                     .arg(QDir::toNativeSeparators(settings_->fileName()))
                                     .toStdString());
}

} // namespace platform
