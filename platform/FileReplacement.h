#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <stdexcept>

namespace platform {

// Which version of a file a path shows: a file replaced, or written over, is another version.
struct FileIdentity {
    bool Exists = false;
    uint64_t Device = 0;
    uint64_t Inode = 0;
    int64_t Size = 0;
    int64_t ModifiedNs = 0;

    // The file that `path` shows now, a link followed.
    static FileIdentity Of(const QString& path);
    bool operator==(const FileIdentity&) const = default;
};

// Raised in place of replacing a file that is no longer the version its caller last saw.
class FileChanged : public std::runtime_error {
public:
    explicit FileChanged(const FileIdentity& now)
        : std::runtime_error("The file has been changed"), Now(now) {}
    FileIdentity Now;
};

// Puts `content` in place of the file `target`, or leaves the target as it was: the bytes go to a
// new file beside it, unnamed where the file system allows so that a killed program leaves
// nothing behind, which is flushed to the disk and only then renamed over the target. A link is
// followed. An existing target keeps its owner, group and permissions as far as the system lets,
// and one that may not be written is refused.
//
// Where the target may be written but not replaced (a folder the user may not write, another
// owner's file in a shared folder, a file with further hard links), it is written in place, with
// the room taken first so that a full disk is found before the old content is touched.
//
// With `lastSeen`, an existing target is held against other writers while it is compared and
// replaced, and one that is not that version raises FileChanged; a target that appears meanwhile
// is never replaced.
//
// Every step is checked: a failure raises std::runtime_error with the system's reason alone (for
// a full disk "No space left on device"), and removes the new file. Once the new file is in
// place the replacement has happened, whatever flushing the folder then says. Returns the
// version written.
FileIdentity ReplaceFileWith(const QString& target, const QByteArray& content,
                             const FileIdentity* lastSeen = nullptr);

// The reason that a failed file call gives the user, for `error` (an errno value).
const char* SystemReason(int error);

} // namespace platform
