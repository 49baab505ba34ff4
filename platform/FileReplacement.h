#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <stdexcept>

namespace platform {

// What a program last read or wrote of a file: whether there was one, and its bytes' length and
// digest. A file's times and inode cannot tell it: a copy of the same size made within one tick
// of the file system's clock (a second on some, two on others) shows the same ones.
struct FileVersion {
    bool Exists = false;
    int64_t Size = 0;
    QByteArray Digest;

    static FileVersion OfBytes(const QByteArray& bytes);
    // The version that the file `path` holds now, a link followed; one that cannot be read is
    // none that anyone saw.
    static FileVersion Of(const QString& path);
    bool operator==(const FileVersion&) const = default;
};

// What to do with a file that no longer holds the version its caller last saw.
enum class IfChanged { Refuse, Replace };

// Raised in place of replacing a file that is no longer the version its caller last saw.
class FileChanged : public std::runtime_error {
public:
    FileChanged() : std::runtime_error("The file has been changed") {}
};

// Puts `content` in place of the file `target`, or leaves the target as it was: the bytes go to a
// new file beside it, unnamed where the file system allows so that a killed program leaves
// nothing behind, which is flushed to the disk and only then renamed over the target. A link is
// followed, also one whose file has gone: the file is then made where the link points. An
// existing target keeps its owner, group and permissions as far as the system lets, and one
// that may not be written is refused.
//
// Where the target may be written but not replaced (a folder the user may not write, another
// owner's file in a shared folder, a file with further hard links), it is written in place, with
// the room taken first so that a full disk is found before the old content is touched.
//
// With `seen`, an existing target is held against other writers while it is compared and
// replaced. Unless `ifChanged` says Replace, one that does not hold the version *seen raises
// FileChanged, and so does one that appears where none was; one that has gone is made anew.
// *seen becomes the version written, or what a failed in-place write left in the file.
//
// Every step is checked: a failure raises std::runtime_error with the system's reason alone (for
// a full disk "No space left on device"), and removes the new file. Once the new file is in
// place the replacement has happened, whatever flushing the folder then says.
void ReplaceFileWith(const QString& target, const QByteArray& content, FileVersion* seen = nullptr,
                     IfChanged ifChanged = IfChanged::Refuse);

// The reason that a failed file call gives the user, for `error` (an errno value).
const char* SystemReason(int error);

} // namespace platform
