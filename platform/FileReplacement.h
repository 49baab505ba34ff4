#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <stdexcept>
#include <utility>

namespace platform {

// What a program last read or wrote of a file: whether there was one, and its bytes' length and
// digest. A file's times and inode cannot tell it: a copy of the same size made within one tick
// of the file system's clock (a second on some, two on others) shows the same ones.
struct FileVersion {
    bool Exists = false;
    int64_t Size = 0;
    QByteArray Digest;

    static FileVersion OfBytes(const QByteArray& bytes);
    // The version that the file `path` holds now, a link followed. Whatever cannot be read (a
    // file the user may only write, anything but a file) counts as one version, whose bytes
    // nobody knows.
    static FileVersion Of(const QString& path);
    bool operator==(const FileVersion&) const = default;
};

// Raised in place of replacing a file that is no longer the version its caller last saw.
class FileChanged : public std::runtime_error {
public:
    explicit FileChanged(FileVersion found)
        : std::runtime_error("The file has been changed"), Found(std::move(found)) {}
    // The version in the file's place: the one that replacing it would lose.
    FileVersion Found;
};

// Raised, with the system's reason, when a failed write had already overwritten part of the
// file: it is no longer whole until it is written again.
class FileLeftIncomplete : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Why a name that is not a file of its own is neither read nor written.
inline constexpr const char* NotAFileReason =
    "není to obyčejný soubor, ale složka, zařízení nebo roura";

// Puts `content` in place of the file `target`, or leaves the target as it was: the bytes go to a
// new file beside it, unnamed where the file system allows so that a killed program leaves
// nothing behind, which is flushed to the disk and only then renamed over the target. A link is
// followed, also one whose file has gone: the file is then made where the link points. An
// existing target keeps its owner, group and permissions as far as the system lets, and one
// that may not be written is refused.
//
// Where the target may be written but not replaced (a folder the user may not write, another
// owner's file in a shared folder, a file with further hard links), it is written in place, with
// the room taken first so that a full disk is found before the old content is touched; one that
// fails after it began to overwrite raises FileLeftIncomplete. A target that is not a file (a
// folder, a device, a pipe) is refused with NotAFileReason, and nothing there is read.
//
// With `seen`, an existing target is held against other writers while it is compared and
// replaced. One that does not hold the version *seen raises FileChanged, and so does one that
// appears where none was; one that has gone, also while waiting for another writer, is made
// anew. *seen becomes the version written, or what a failed in-place write left in the file.
//
// Every step is checked: a failure raises std::runtime_error with the system's reason alone (for
// a full disk "No space left on device"), and removes the new file. Once the new file is in
// place the replacement has happened, whatever flushing the folder then says.
void ReplaceFileWith(const QString& target, const QByteArray& content, FileVersion* seen = nullptr);

// The reason that a failed file call gives the user, for `error` (an errno value).
const char* SystemReason(int error);

} // namespace platform
