#include "FileReplacement.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

[[noreturn]] void Fail(int error) {
    throw std::runtime_error(std::strerror(error));
}

void Check(bool succeeded) {
    if (!succeeded)
        Fail(errno);
}

// The permissions a file made by this program gets: those of the file it replaces, or what the
// user's file-creation mask allows.
mode_t PermissionsFor(const QByteArray& target) {
    struct stat existing {};
    if (::stat(target.constData(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
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
            Fail(written < 0 ? errno : ENOSPC);
        next += written;
        left -= written;
    }
}

// The rename itself only lasts once the folder that records it reaches the disk; file systems
// that cannot flush a folder say so with EINVAL, and there is nothing more to do then.
void SyncFolderOf(const QByteArray& path) {
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(path)).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    Check(fd >= 0);
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    const int error = errno;
    ::close(fd);
    if (!synced)
        Fail(error);
}

// A link is followed, so that the file it names is replaced and the link stays.
QByteArray ResolvedTarget(const QString& target) {
    const QFileInfo info(target);
    return QFile::encodeName(info.isSymLink() && info.exists() ? info.canonicalFilePath() : target);
}

} // namespace

void ReplaceFileWith(const QString& target, const QByteArray& content) {
    const QByteArray path = ResolvedTarget(target);
    if (::access(path.constData(), F_OK) == 0)
        Check(::access(path.constData(), W_OK) == 0);
    QByteArray newFile = path + ".XXXXXX";
    int fd = ::mkostemp(newFile.data(), O_CLOEXEC);
    Check(fd >= 0);
    try {
        Check(::fchmod(fd, PermissionsFor(path)) == 0);
        WriteAll(fd, content);
        Check(::fsync(fd) == 0);
        const int closing = fd;
        fd = -1;
        Check(::close(closing) == 0);
        Check(::rename(newFile.constData(), path.constData()) == 0);
    } catch (...) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(newFile.constData());
        throw;
    }
    SyncFolderOf(path);
}

} // namespace platform
