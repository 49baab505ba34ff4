#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A file handle that denies all sharing: while it is open, no other handle, in this process or
// another, can open the same file through this class. Reads and writes are positioned and move
// exactly the bytes asked for; anything less is an error, so a full disk or a truncated file
// never passes as success.
class FileStream {
public:
    enum class Mode { Read, ReadWrite, Create };

    // Opens or creates `path`. Failures raise std::runtime_error with
    // "Cannot open file "<full path>". <reason>" or "Cannot create file "<full path>". <reason>".
    FileStream(const std::string& path, Mode mode);
    ~FileStream();
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    void ReadExact(int64_t position, void* buffer, size_t count) const;
    // Reads up to `count` bytes; returns how many there were before the end of the file.
    size_t ReadSome(int64_t position, void* buffer, size_t count) const;
    void WriteExact(int64_t position, const void* buffer, size_t count);
    // Kept as the file is written: the handle excludes every other writer, so the length can
    // only change through it.
    int64_t Length() const { return length_; }
    void Truncate(int64_t length);

    // A file in the strict sense: folders, devices and pipes do not count.
    static bool IsRegularFile(const std::string& path);

private:
    int fd_ = -1;
    int64_t length_ = 0;
};
