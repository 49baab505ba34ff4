#include "Registry.h"

#include "FileReplacement.h"
#include "IniText.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <algorithm>
#include <cerrno>
#include <optional>
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

// The lock file that Qt's own writer of settings files holds over its reading and writing, so
// that a settings file is never written on the strength of a reading another writer has made
// stale. A lock left by a program that was killed is taken over at once, its process being gone.
class SettingsLock {
public:
    // The lock file lies beside the settings file, so their folder is made first.
    explicit SettingsLock(const QString& path) : lock_(path + QStringLiteral(".lock")) {
        folderMade_ = QDir().mkpath(QFileInfo(path).path());
        if (folderMade_)
            lock_.tryLock(WaitMs);
    }

    // Raises the reason why the lock is not held.
    void Require() const {
        if (lock_.isLocked())
            return;
        if (!folderMade_)
            throw std::runtime_error("The folder cannot be made");
        switch (lock_.error()) {
        case QLockFile::LockFailedError:
            throw std::runtime_error(SystemReason(EWOULDBLOCK));
        case QLockFile::PermissionError:
            throw std::runtime_error(SystemReason(EACCES));
        default:
            throw std::runtime_error("The lock file cannot be made.");
        }
    }

private:
    static constexpr int WaitMs = 5000;
    bool folderMade_ = false;
    QLockFile lock_;
};

} // namespace

Registry::Registry(RegistryRoot root) : root_(root) {}

Registry::~Registry() = default;

QString Registry::FilePath(RegistryRoot root) {
    return ConfigFolder(root) + QStringLiteral("/Orvane/Lexiquill.conf");
}

bool Registry::OpenKey(const QString& key, bool canCreate) {
    CloseKey();
    if (!settings_) {
        // Qt keeps what it has read of a file by the file's size and time, and takes them after
        // reading: a reading that crosses another program's replacement keeps the old content (or
        // none) under the new file's time, and every later reading in this program, the one that
        // Flush merges with included, takes it for the file's. Files are only replaced under this
        // lock; without it, as in a folder that cannot be written, a reading is better than none.
        std::optional<SettingsLock> lock;
        if (root_ == RegistryRoot::CurrentUser)
            lock.emplace(FilePath(root_));
        settings_ = std::make_unique<QSettings>(FilePath(root_), QSettings::IniFormat);
    }
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
    return keyOpen_ && (written_.contains(Entry(name)) || settings_->contains(Entry(name)));
}

QString Registry::ReadString(const QString& name) const {
    if (!ValueExists(name))
        return {};
    const QVariant value = written_.value(Entry(name), settings_->value(Entry(name)));
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
    written_.insert(Entry(name), value);
    unflushed_ = true;
}

void Registry::WriteInteger(const QString& name, int32_t value) {
    WriteString(name, QString::number(value));
}

void Registry::WriteBool(const QString& name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

// Qt writes its settings files through a buffer whose failed flush it does not notice: on a full
// disk it replaced the settings with an empty file and reported success. The file is written
// here instead, whole and checked, from what it holds now (another program may have written to
// it since it was read; what Qt could not read as a setting is left out) and what was written
// through this Registry.
void Registry::Flush() {
    if (!unflushed_)
        return;
    const QString path = FilePath(root_);
    try {
        // Both programs write this file: what one reads here must not change before it is
        // replaced, or the other's values written in between are lost.
        const SettingsLock lock(path);
        lock.Require();
        ReplaceFileWith(path, MergedText(path));
    } catch (const std::exception& error) {
        throw std::runtime_error(QStringLiteral("Nastavení nelze uložit do „%1“: %2")
                                     .arg(QDir::toNativeSeparators(path), error.what())
                                     .toStdString());
    }
    unflushed_ = false;
}

// The file as it is now, with every value written through this Registry standing over its own.
QByteArray Registry::MergedText(const QString& path) const {
    // Both lists are sorted by name: merged, a value written here stands over the file's.
    const QSettings current(path, QSettings::IniFormat);
    const QStringList stored = current.allKeys();
    std::vector<IniValue> values;
    values.reserve(size_t(stored.size() + written_.size()));
    auto write = written_.begin();
    for (const QString& key : stored) {
        for (; write != written_.end() && write.key() < key; ++write)
            values.emplace_back(write.key(), write.value());
        if (write != written_.end() && write.key() == key)
            continue;
        if (IsText(key))
            values.emplace_back(key, current.value(key));
    }
    for (; write != written_.end(); ++write)
        values.emplace_back(write.key(), write.value());
    return IniText(values);
}

} // namespace platform
