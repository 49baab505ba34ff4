#include "FileReplacement.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

// How long a save waits for another program to let go of the file.
constexpr int HoldWaitMs = 5000;
// How often a file may be replaced under a save waiting for it before the save gives up.
constexpr int MaxReplacedWhileWaiting = 100;
// As many links in a row as the system itself follows.
constexpr int MaxLinks = 40;
// Fast enough that comparing a lesson costs little beside writing it.
constexpr auto DigestAlgorithm = QCryptographicHash::Blake2b_256;

// A failed system call, by its reason; turned into the caller's message at the end.
struct SystemError {
    int code;
    // An in-place write that failed after it had begun to overwrite the old content.
    bool leftIncomplete = false;
};

void Check(bool succeeded) {
    if (!succeeded)
        throw SystemError{errno};
}

bool IsPermission(int code) {
    return code == EACCES || code == EPERM;
}

class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd& operator=(Fd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    void Close() { Check(::close(std::exchange(fd_, -1)) == 0); }

private:
    int fd_ = -1;
};

std::optional<struct stat> StatOf(const QByteArray& path) {
    struct stat info {};
    if (::stat(path.constData(), &info) != 0)
        return std::nullopt;
    return info;
}

struct stat FstatOf(const Fd& fd) {
    struct stat info {};
    Check(::fstat(fd.Get(), &info) == 0);
    return info;
}

int64_t ModifiedMs(const struct stat& info) {
    return int64_t(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1'000'000;
}

// The folder that holds `path`: the path up to its last separator, with its ".." left to the
// system, which follows them from wherever the links before them have led, where cleaning the
// text would go back along the links' names.
QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? "/" : path.left(slash);
}

// A name that is no file of its own (a folder, a device, a pipe) is never opened, read or
// written: a device can be read forever, and a pipe would take the content away.
bool IsOtherThanFile(const std::optional<struct stat>& info) {
    return info && !S_ISREG(info->st_mode);
}

void RequireFile(const std::optional<struct stat>& info) {
    if (IsOtherThanFile(info))
        throw std::runtime_error(NotAFileReason);
}

// A link is followed, so that the file it names is written and the link stays; also one whose
// file has gone, which is then made anew where the link points.
QByteArray ResolvedTarget(QByteArray path) {
    for (int links = 0;; ++links) {
        struct stat info {};
        if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        if (links == MaxLinks)
            throw SystemError{ELOOP};
        QByteArray pointsTo(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.constData(), pointsTo.data(), PATH_MAX);
        Check(length >= 0);
        pointsTo.truncate(length);
        path = pointsTo.startsWith('/') ? pointsTo : FolderOf(path) + '/' + pointsTo;
    }
}

// Read as well where the user may, so that the file can be compared with the version last seen.
// None when the file has gone.
Fd OpenToHold(const QByteArray& path) {
    Fd fd(::open(path.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
    if (!fd.Valid() && IsPermission(errno))
        fd = Fd(::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    Check(fd.Valid() || errno == ENOENT);
    return fd;
}

// The store's tables take the same lock on every file they open: nothing reads a file while it
// is written in place, and two programs saving one file wait for each other. The file held is
// the one that the path names once the wait is over: the other program may have replaced it, or
// deleted it, and then none is held.
Fd HoldAgainstWriters(const QByteArray& path) {
    int waitedMs = 0;
    for (int replaced = 0; replaced < MaxReplacedWhileWaiting; ++replaced) {
        Fd fd = OpenToHold(path);
        if (!fd.Valid())
            return fd;
        while (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || waitedMs >= HoldWaitMs)
                Check(false);
            ::usleep(10'000);
            waitedMs += 10;
        }
        const std::optional<struct stat> named = StatOf(path);
        const struct stat held = FstatOf(fd);
        if (named && named->st_dev == held.st_dev && named->st_ino == held.st_ino)
            return fd;
    }
    throw SystemError{EWOULDBLOCK};
}

FileVersion Unreadable() {
    return {true, -1, {}};
}

// The version that an open file holds now. One that the user may write but not read holds none
// that this program can have seen, and nor does anything but a file.
FileVersion VersionIn(const Fd& fd) {
    if ((::fcntl(fd.Get(), F_GETFL) & O_ACCMODE) == O_WRONLY || !S_ISREG(FstatOf(fd).st_mode))
        return Unreadable();
    QCryptographicHash digest(DigestAlgorithm);
    char buffer[64 * 1024];
    int64_t size = 0;
    for (;;) {
        const ssize_t got = ::pread(fd.Get(), buffer, sizeof buffer, off_t(size));
        if (got < 0 && errno == EINTR)
            continue;
        Check(got >= 0);
        if (got == 0)
            return {true, size, digest.result()};
        digest.addData(QByteArrayView(buffer, got));
        size += got;
    }
}

// The file, held when it exists, is replaced only where that loses nothing that another program
// wrote: it is the version `seen`, which only its bytes can tell, or it has gone. Otherwise
// FileChanged names the version found, the one the caller may agree to lose.
void RequireAsSeen(const Fd& held, const std::optional<struct stat>& now, const FileVersion& seen) {
    if (!now)
        return;
    const FileVersion found = VersionIn(held);
    if (found != seen)
        throw FileChanged(found);
}

// The permissions a file made by this program gets where it replaces none: what the user's
// file-creation mask allows.
mode_t CreationPermissions() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A file handed to the saver's own group would shut the rest of a class out of it. Only the
// superuser may keep the owner, and only a member the group: the rest is what the system lets.
void KeepOwnerAndGroup(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, uid_t(-1), old.st_gid);
}

// `done` counts the bytes written, also when a later write fails.
void WriteAll(int fd, QByteArrayView bytes, off_t at, int64_t& done) {
    while (!bytes.isEmpty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), size_t(bytes.size()), at);
        if (written < 0 && errno == EINTR)
            continue;
        // A write that takes nothing without saying why can only be a full disk.
        if (written <= 0)
            throw SystemError{written < 0 ? errno : ENOSPC};
        bytes = bytes.sliced(written);
        at += written;
        done += written;
    }
}

void WriteAll(int fd, QByteArrayView bytes, off_t at) {
    int64_t done = 0;
    WriteAll(fd, bytes, at, done);
}

// Readers that tell versions apart by modification time and size (Qt's settings cache compares
// milliseconds) must never take a new version for the one it replaces. The file system keeps the
// time only to its own step, a second on some: the time is stepped up until it reads back later.
// Best effort: only the owner may set a time.
void StampLaterThan(int fd, const std::optional<struct stat>& old) {
    if (!old)
        return;
    const int64_t before = ModifiedMs(*old);
    for (const int64_t stepMs : {1, 1000, 2000}) {
        struct stat now {};
        if (::fstat(fd, &now) != 0 || ModifiedMs(now) > before)
            return;
        const int64_t later = (before / stepMs + 1) * stepMs;
        const timespec times[2] = {{0, UTIME_OMIT},
                                   {time_t(later / 1000), long(later % 1000) * 1'000'000}};
        if (::futimens(fd, times) != 0)
            return;
    }
}

// The written file's content on the disk.
void Flushed(int fd, const std::optional<struct stat>& old) {
    StampLaterThan(fd, old);
    Check(::fsync(fd) == 0);
}

// The rename lasts only once the folder that records it reaches the disk; but the new file is in
// place already, so a folder that cannot be flushed (one the user may not read, a file system
// without the call, a failing medium) changes nothing of the outcome.
void SyncFolderOf(const QByteArray& path) {
    const int fd = ::open(FolderOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

// The file of the new content, beside the target: without a name until it is complete where the
// file system has such files, else under a name of its own, removed unless it is published.
class NewFile {
public:
    explicit NewFile(const QByteArray& target) : target_(target) {
        fd_ = Fd(::open(FolderOf(target).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
        // An unnamed file is given its name through its descriptor's entry in /proc.
        if (fd_.Valid() && ::access("/proc/self/fd", X_OK) == 0)
            return;
        // Kernels and file systems without unnamed files answer so.
        Check(fd_.Valid() || errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL);
        QByteArray name = target + ".XXXXXX";
        fd_ = Fd(::mkostemp(name.data(), O_CLOEXEC));
        Check(fd_.Valid());
        name_ = name;
    }
    ~NewFile() {
        if (!name_.isEmpty())
            ::unlink(name_.constData());
    }
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    int Get() const { return fd_.Get(); }

    // Puts the file at the target's name; without `mayReplace` a file that has appeared there
    // meanwhile raises FileChanged and stays.
    void Publish(bool mayReplace) {
        if (name_.isEmpty())
            name_ = LinkedUnderFreshName();
        fd_.Close();
        if (mayReplace) {
            Check(::rename(name_.constData(), target_.constData()) == 0);
        } else if (::renameat2(AT_FDCWD, name_.constData(), AT_FDCWD, target_.constData(),
                               RENAME_NOREPLACE) != 0) {
            if (errno == EEXIST)
                throw FileChanged(FileVersion::Of(QFile::decodeName(target_)));
            // A file system that cannot refuse to replace: the moment in between is all there is.
            Check(errno == EINVAL && ::rename(name_.constData(), target_.constData()) == 0);
        }
        name_.clear();
    }

private:
    // The rename needs a name; an unnamed file has one only for that moment.
    QByteArray LinkedUnderFreshName() const {
        const QByteArray proc = "/proc/self/fd/" + QByteArray::number(fd_.Get());
        for (int attempt = 1;; ++attempt) {
            const QByteArray name =
                target_ + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
            if (::linkat(AT_FDCWD, proc.constData(), AT_FDCWD, name.constData(),
                         AT_SYMLINK_FOLLOW) == 0)
                return name;
            Check(errno == EEXIST && attempt < 100);
        }
    }

    QByteArray target_;
    QByteArray name_;
    Fd fd_;
};

// After the owner: a change of owner clears the set-id bits. A file system that keeps no
// permissions (FAT, many FUSE mounts) says so, and gives every file the same ones.
void KeepPermissions(int fd, mode_t mode) {
    if (::fchmod(fd, mode) != 0)
        Check(errno == ENOSYS || errno == EOPNOTSUPP);
}

void WriteBeside(const QByteArray& path, const QByteArray& content,
                 const std::optional<struct stat>& old, bool mayReplace) {
    NewFile file(path);
    if (old)
        KeepOwnerAndGroup(file.Get(), *old);
    KeepPermissions(file.Get(), old ? old->st_mode & 07777 : CreationPermissions());
    WriteAll(file.Get(), content, 0);
    Flushed(file.Get(), old);
    file.Publish(mayReplace);
    SyncFolderOf(path);
}

// The file gets back its old length and, as far as the system lets, its old time; false when it
// keeps some of the new content.
bool CutBack(const Fd& fd, const struct stat& old) {
    if (!fd.Valid() || ::ftruncate(fd.Get(), old.st_size) != 0)
        return false;
    const timespec times[2] = {old.st_atim, old.st_mtim};
    (void)::futimens(fd.Get(), times);
    return true;
}

// What a failed in-place write left in its file: read back, or the content itself where only
// the close failed, after the flush; nothing where the file cannot be read back, which the next
// save then asks about.
std::optional<FileVersion> LeftBehind(const Fd& fd, const QByteArray& content) {
    if (!fd.Valid())
        return FileVersion::OfBytes(content);
    try {
        return VersionIn(fd);
    } catch (const SystemError&) {
        return std::nullopt;
    }
}

// Not old-or-new like the rename, so only where the rename cannot do. The part beyond the old end
// goes first, and to the disk, so that a full disk or a spent quota is found before the first old
// byte is overwritten, also where the file system cannot reserve room of its own (ext2, many
// network shares); a failure until then leaves the file as it was. A file system that copies
// what is overwritten (btrfs) needs new room for the overwrite too, and can fail half-way: the
// caller is told that the file is no longer whole.
void WriteInPlace(const QByteArray& path, Fd fd, const QByteArray& content, FileVersion* seen) {
    if (!fd.Valid())
        fd = HoldAgainstWriters(path);
    if (!fd.Valid())
        throw SystemError{ENOENT};
    std::optional<struct stat> old;
    int64_t overwritten = 0;
    try {
        old = FstatOf(fd);
        const int64_t kept = std::min<int64_t>(content.size(), old->st_size);
        if (content.size() > kept) {
            WriteAll(fd.Get(), QByteArrayView(content).sliced(kept), off_t(kept));
            Check(::fsync(fd.Get()) == 0);
        }
        WriteAll(fd.Get(), QByteArrayView(content).first(kept), 0, overwritten);
        Check(::ftruncate(fd.Get(), off_t(content.size())) == 0);
        Flushed(fd.Get(), old);
        fd.Close();
    } catch (SystemError& error) {
        const bool whole = !old || (overwritten == 0 && CutBack(fd, *old));
        const std::optional<FileVersion> left = LeftBehind(fd, content);
        // What this program's own failed attempt left is no other program's change.
        if (seen && left)
            *seen = *left;
        error.leftIncomplete = !whole && left != FileVersion::OfBytes(content);
        throw;
    }
}

void Replace(const QByteArray& path, const QByteArray& content, FileVersion* seen) {
    std::optional<struct stat> old = StatOf(path);
    RequireFile(old);
    if (old)
        Check(::access(path.constData(), W_OK) == 0);
    Fd held;
    if (old && seen) {
        held = HoldAgainstWriters(path);
        old = held.Valid() ? std::optional(FstatOf(held)) : std::nullopt;
        RequireFile(old);
    }
    if (seen)
        RequireAsSeen(held, old, *seen);
    // A rename would leave the file's other names showing the old content.
    if (old && old->st_nlink > 1) {
        WriteInPlace(path, std::move(held), content, seen);
    } else {
        try {
            WriteBeside(path, content, old, !seen || old);
        } catch (const SystemError& error) {
            if (!old || !IsPermission(error.code))
                throw;
            WriteInPlace(path, std::move(held), content, seen);
        }
    }
    if (seen)
        *seen = FileVersion::OfBytes(content);
}

} // namespace

FileVersion FileVersion::OfBytes(const QByteArray& bytes) {
    return {true, bytes.size(), QCryptographicHash::hash(bytes, DigestAlgorithm)};
}

FileVersion FileVersion::Of(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (IsOtherThanFile(StatOf(name)))
        return Unreadable();
    const Fd fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.Valid())
        return errno == ENOENT ? FileVersion{} : Unreadable();
    try {
        return VersionIn(fd);
    } catch (const SystemError&) {
        return Unreadable();
    }
}

void ReplaceFileWith(const QString& target, const QByteArray& content, FileVersion* seen) {
    try {
        Replace(ResolvedTarget(QFile::encodeName(target)), content, seen);
    } catch (const SystemError& error) {
        if (error.leftIncomplete)
            throw FileLeftIncomplete(SystemReason(error.code));
        throw std::runtime_error(SystemReason(error.code));
    }
}

const char* SystemReason(int error) {
    // The words the store uses for a file that another program holds.
    return error == EWOULDBLOCK ? "The file is being used by another process."
                                : std::strerror(error);
}

} // namespace platform
