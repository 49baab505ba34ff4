#pragma once

#include <QMap>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>

class QSettings;

namespace platform {

enum class RegistryRoot { CurrentUser, LocalMachine };

// The settings store of both programs, in the shape of a registry: a root, a key path written
// with "\" ("\Software\Orvane\Lexiquill\4"), and named string and DWORD values under a key.
// On Linux each root is one INI file "Orvane/Lexiquill.conf": the current user's in
// $XDG_CONFIG_HOME (default ~/.config), the machine's in the first folder of $XDG_CONFIG_DIRS
// (default /etc/xdg). The machine root is only ever read: a write there raises a
// std::runtime_error and leaves its file alone, so a user without rights to it still reads it.
// A line of the file that is not a setting costs only itself: the rest of the file is read.
// Writes are kept until Flush(), which puts them all into the file at once; a Registry dropped
// without it writes nothing.
class Registry {
public:
    explicit Registry(RegistryRoot root);
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // Opens `key`; returns whether it is open. A key exists while it holds a value or a subkey.
    // A key that does not exist opens only with `canCreate`, and never under the machine root.
    // A user key whose file cannot be written counts as absent. A created key is kept in the
    // file from its first value on. The user's file is read under the lock its writers take (see
    // Flush), so the first call may wait while another program writes it.
    bool OpenKey(const QString& key, bool canCreate);
    void CloseKey();

    bool ValueExists(const QString& name) const;
    // A missing value reads as empty text; a value that is not text (a list) raises a
    // std::runtime_error. With no key open there are no values, and a write raises a
    // std::runtime_error.
    QString ReadString(const QString& name) const;
    // A missing value, or one whose text is not a 32-bit integer, raises a std::runtime_error.
    int32_t ReadInteger(const QString& name) const;
    // A DWORD; any non-zero value is true.
    bool ReadBool(const QString& name) const;
    void WriteString(const QString& name, const QString& value);
    void WriteInteger(const QString& name, int32_t value);
    void WriteBool(const QString& name, bool value);
    // Writes the file whole, with every value written through this Registry: it replaces the
    // file only once all of it is on the disk. Another program's values written meanwhile are
    // kept: the file is read and replaced under the lock that Qt's own writer takes, waited for
    // a few seconds. What the file held that could not be read as a setting is not written
    // again. Raises a std::runtime_error, with the system's reason, when the file cannot be
    // written; the file then stays as it was.
    void Flush();

    // The INI file that stands for `root`, from the environment at the time of the call.
    static QString FilePath(RegistryRoot root);

private:
    QByteArray MergedText(const QString& path) const;
    QString Entry(const QString& name) const { return group_ + u'/' + name; }

    RegistryRoot root_;
    // The whole file as it was read, for every key opened through this Registry; it is only
    // read, so that Qt never writes the file itself.
    std::unique_ptr<QSettings> settings_;
    // Every value written through this Registry, by its full name; they stand over the file's.
    QMap<QString, QVariant> written_;
    QString group_; // the open key as a settings group
    bool keyOpen_ = false;
    bool unflushed_ = false;
};

} // namespace platform
