#include "FileReplacement.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
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

// A failed system call, by its reason; turned into the caller's message at the end.
struct SystemError {
    int code;
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

FileIdentity IdentityOf(const struct stat& info) {
    return {true, uint64_t(info.st_dev), uint64_t(info.st_ino), int64_t(info.st_size),
            int64_t(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

QByteArray FolderOf(const QByteArray& path) {
    return QFile::encodeName(QFileInfo(QFile::decodeName(path)).absolutePath());
}

// A link is followed, so that the file it names is replaced and the link stays.
QByteArray ResolvedTarget(const QString& target) {
    const QFileInfo info(target);
    return QFile::encodeName(info.isSymLink() && info.exists() ? info.canonicalFilePath() : target);
}

// The store's tables take the same lock on every file they open: nothing reads a file while it
// is written in place, and two programs saving one file wait for each other.
Fd HoldAgainstWriters(const QByteArray& path) {
    Fd fd(::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    Check(fd.Valid());
    for (int waited = 0; ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0; waited += 10) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= HoldWaitMs)
            Check(false);
        ::usleep(10'000);
    }
    return fd;
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

void WriteAll(int fd, const QByteArray& content) {
    const char* next = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        // A write that takes nothing without saying why can only be a full disk.
        if (written <= 0)
            throw SystemError{written < 0 ? errno : ENOSPC};
        next += written;
        left -= written;
    }
}

// Readers that tell versions apart by modification time and size (Qt's settings cache compares
// milliseconds) must never take a new version for the one it replaces. The file system keeps the
// time only to its own step, a second on some: the time is stepped up until it reads back later.
// Best effort: only the owner may set a time.
void StampLaterThan(int fd, const std::optional<struct stat>& old) {
    constexpr int64_t NsPerMs = 1'000'000;
    if (!old)
        return;
    const int64_t before = IdentityOf(*old).ModifiedNs / NsPerMs;
    for (const int64_t stepMs : {1, 1000, 2000}) {
        struct stat now {};
        if (::fstat(fd, &now) != 0 || IdentityOf(now).ModifiedNs / NsPerMs > before)
            return;
        const int64_t later = (before / stepMs + 1) * stepMs * NsPerMs;
        const timespec times[2] = {{0, UTIME_OMIT},
                                   {time_t(later / 1'000'000'000), long(later % 1'000'000'000)}};
        if (::futimens(fd, times) != 0)
            return;
    }
}

// The written file's content on the disk; returns its version.
FileIdentity Flushed(int fd, const std::optional<struct stat>& old) {
    StampLaterThan(fd, old);
    Check(::fsync(fd) == 0);
    struct stat written {};
    Check(::fstat(fd, &written) == 0);
    return IdentityOf(written);
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
                throw FileChanged(FileIdentity::Of(QFile::decodeName(target_)));
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

FileIdentity WriteBeside(const QByteArray& path, const QByteArray& content,
                         const std::optional<struct stat>& old, bool mayReplace) {
    NewFile file(path);
    if (old)
        KeepOwnerAndGroup(file.Get(), *old);
    // After the owner: a change of owner clears the set-id bits.
    Check(::fchmod(file.Get(), old ? old->st_mode & 07777 : CreationPermissions()) == 0);
    WriteAll(file.Get(), content);
    const FileIdentity written = Flushed(file.Get(), old);
    file.Publish(mayReplace);
    SyncFolderOf(path);
    return written;
}

// Not old-or-new like the rename, so only where the rename cannot do: the room is taken first, so
// that a full disk is found before the first byte of the old content is overwritten.
FileIdentity WriteInPlace(const QByteArray& path, Fd fd, const QByteArray& content,
                          const struct stat& old) {
    if (!fd.Valid())
        fd = HoldAgainstWriters(path);
    if (content.size() > old.st_size) {
        const int error = ::posix_fallocate(fd.Get(), 0, off_t(content.size()));
        if (error != 0 && error != EOPNOTSUPP && error != EINVAL)
            throw SystemError{error};
    }
    WriteAll(fd.Get(), content);
    Check(::ftruncate(fd.Get(), off_t(content.size())) == 0);
    const FileIdentity written = Flushed(fd.Get(), old);
    fd.Close();
    return written;
}

FileIdentity Replace(const QByteArray& path, const QByteArray& content,
                     const FileIdentity* lastSeen) {
    std::optional<struct stat> old = StatOf(path);
    Fd held;
    if (old) {
        Check(::access(path.constData(), W_OK) == 0);
        if (lastSeen) {
            held = HoldAgainstWriters(path);
            // Another program may have replaced the file while this one waited.
            old = StatOf(path);
            if (old && IdentityOf(*old) != *lastSeen)
                throw FileChanged(IdentityOf(*old));
        }
    }
    const bool mayReplace = !lastSeen || old;
    // A rename would leave the file's other names showing the old content.
    if (old && old->st_nlink > 1)
        return WriteInPlace(path, std::move(held), content, *old);
    try {
        return WriteBeside(path, content, old, mayReplace);
    } catch (const SystemError& error) {
        if (!old || !IsPermission(error.code))
            throw;
    }
    return WriteInPlace(path, std::move(held), content, *old);
}

} // namespace

FileIdentity FileIdentity::Of(const QString& path) {
    const std::optional<struct stat> info = StatOf(QFile::encodeName(path));
    return info ? IdentityOf(*info) : FileIdentity{};
}

FileIdentity ReplaceFileWith(const QString& target, const QByteArray& content,
                             const FileIdentity* lastSeen) {
    try {
        return Replace(ResolvedTarget(target), content, lastSeen);
    } catch (const SystemError& error) {
        throw std::runtime_error(SystemReason(error.code));
    }
}

const char* SystemReason(int error) {
    // The words the store uses for a file that another program holds.
    return error == EWOULDBLOCK ? "The file is being used by another process."
                                : std::strerror(error);
}

} // namespace platform
