#pragma once

#include <QString>
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
// Values are written to the file at once, so that another Registry sees them.
class Registry {
public:
    explicit Registry(RegistryRoot root);
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // Opens `key`; returns whether it is open. A key exists while it holds a value or a subkey.
    // A key that does not exist opens only with `canCreate`, and never under the machine root.
    // A user key whose file cannot be written counts as absent. A created key is kept in the
    // file from its first value on.
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

    // The INI file that stands for `root`, from the environment at the time of the call.
    static QString FilePath(RegistryRoot root);

private:
    RegistryRoot root_;
    std::unique_ptr<QSettings> settings_;
};

} // namespace platform
