#include "FileStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string FullPath(const std::string& path) {
    std::error_code ignored;
    const auto absolute = std::filesystem::absolute(path, ignored);
    return absolute.empty() ? path : absolute.lexically_normal().string();
}

std::string Reason(int error) {
    // The lock is the only way a plain file is refused to its owner, so say so in words.
    if (error == EWOULDBLOCK)
        return "The file is being used by another process.";
    return std::strerror(error);
}

[[noreturn]] void RaiseOpenFailure(const std::string& path, FileStream::Mode mode, int error) {
    const char* verb = mode == FileStream::Mode::Create ? "create" : "open";
    throw std::runtime_error(std::string("Cannot ") + verb + " file \"" + FullPath(path) + "\". " +
                             Reason(error));
}

int OpenFlags(FileStream::Mode mode) {
    // O_NONBLOCK keeps a named pipe from hanging the open; it has no effect on plain files.
    const int common = O_CLOEXEC | O_NONBLOCK;
    switch (mode) {
    case FileStream::Mode::Read:
        return O_RDONLY | common;
    case FileStream::Mode::ReadWrite:
        return O_RDWR | common;
    case FileStream::Mode::Create:
        return O_RDWR | O_CREAT | O_EXCL | common;
    }
    return O_RDONLY | common;
}

} // namespace

FileStream::FileStream(const std::string& path, Mode mode) {
    fd_ = ::open(path.c_str(), OpenFlags(mode), 0666);
    if (fd_ < 0)
        RaiseOpenFailure(path, mode, errno);
    struct stat info {};
    int error = 0;
    if (::fstat(fd_, &info) != 0)
        error = errno;
    else if (!S_ISREG(info.st_mode))
        error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    else if (::flock(fd_, LOCK_EX | LOCK_NB) != 0)
        error = errno;
    length_ = info.st_size;
    if (error != 0) {
        ::close(fd_);
        fd_ = -1;
        RaiseOpenFailure(path, mode, error);
    }
}

FileStream::~FileStream() {
    if (fd_ >= 0)
        ::close(fd_);
}

size_t FileStream::ReadSome(int64_t position, void* buffer, size_t count) const {
    auto* bytes = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(fd_, bytes + done, count - done, position + int64_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw std::runtime_error(std::string("Read error. ") + std::strerror(errno));
        if (got == 0)
            break;
        done += size_t(got);
    }
    return done;
}

void FileStream::ReadExact(int64_t position, void* buffer, size_t count) const {
    if (ReadSome(position, buffer, count) != count)
        throw std::runtime_error("Read beyond end of file");
}

void FileStream::WriteExact(int64_t position, const void* buffer, size_t count) {
    const auto* bytes = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < count) {
        const ssize_t put = ::pwrite(fd_, bytes + done, count - done, position + int64_t(done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            throw std::runtime_error(std::string("Write error. ") +
                                     std::strerror(put < 0 ? errno : ENOSPC));
        done += size_t(put);
    }
    length_ = std::max(length_, position + int64_t(count));
}

void FileStream::Truncate(int64_t length) {
    if (::ftruncate(fd_, length) != 0)
        throw std::runtime_error(std::string("Cannot change the file length. ") +
                                 std::strerror(errno));
    length_ = length;
}

bool FileStream::IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
