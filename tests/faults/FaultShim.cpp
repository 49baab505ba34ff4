// Loaded into a test program with LD_PRELOAD: stands before the C library's file calls, counts
// those that reach the folders a test watches, and makes the one the test names fail as a full
// disk or a broken medium would. Everything else passes straight through.
#include "FaultShim.h"

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <unistd.h>
#include <vector>

namespace {

std::mutex guard;
std::vector<std::string> watched;
// The names of the calls counted, between commas; empty counts them all.
std::string counted;
int callsSeen = 0;
int failAt = 0;
int failWith = 0;
bool failed = false;

template <typename Function> Function Next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool IsWatched(const char* path) {
    if (path == nullptr)
        return false;
    for (const std::string& folder : watched)
        if (std::strncmp(path, folder.c_str(), folder.size()) == 0)
            return true;
    return false;
}

std::string PathOf(int fd) {
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t length = readlink(link, target, sizeof target - 1);
    return length > 0 ? std::string(target, size_t(length)) : std::string();
}

bool IsCounted(const char* call) {
    return counted.empty() || counted.find("," + std::string(call) + ",") != std::string::npos;
}

// Counts a call on a watched path; true when this is the one that is to fail.
bool Fails(const char* call, bool onWatchedPath) {
    std::lock_guard lock(guard);
    if (!onWatchedPath || watched.empty() || !IsCounted(call))
        return false;
    ++callsSeen;
    if (failAt == 0 || callsSeen != failAt)
        return false;
    failed = true;
    return true;
}

bool FailsOnPath(const char* call, const char* path) {
    return Fails(call, IsWatched(path));
}

bool FailsOnFd(const char* call, int fd) {
    bool any;
    {
        std::lock_guard lock(guard);
        any = !watched.empty();
    }
    return Fails(call, any && IsWatched(PathOf(fd).c_str()));
}

int FailWith() {
    std::lock_guard lock(guard);
    errno = failWith;
    return -1;
}

// Opening takes a mode only when it creates a file; it is passed on as it came.
#define LQ_MODE_OF(flags)                                                                          \
    mode_t mode = 0;                                                                               \
    if ((flags & (O_CREAT | O_TMPFILE)) != 0) {                                                    \
        va_list args;                                                                              \
        va_start(args, flags);                                                                     \
        mode = mode_t(va_arg(args, int));                                                          \
        va_end(args);                                                                              \
    }

template <typename... Folder>
int Open(const char* name, const char* path, int flags, mode_t mode, Folder... folder) {
    if (FailsOnPath(name, path))
        return FailWith();
    return Next<int (*)(Folder..., const char*, int, ...)>(name)(folder..., path, flags, mode);
}

} // namespace

extern "C" {

void lq_faults_watch(const char* folder) {
    std::lock_guard lock(guard);
    if (folder == nullptr)
        watched.clear();
    else
        watched.emplace_back(folder);
}

void lq_faults_count(const char* calls) {
    std::lock_guard lock(guard);
    counted = calls == nullptr ? std::string() : "," + std::string(calls) + ",";
}

void lq_faults_fail(int nth, int error) {
    std::lock_guard lock(guard);
    callsSeen = 0;
    failAt = nth;
    failWith = error;
    failed = false;
}

int lq_faults_calls() {
    std::lock_guard lock(guard);
    return callsSeen;
}

int lq_faults_failed() {
    std::lock_guard lock(guard);
    return failed ? 1 : 0;
}

int open(const char* path, int flags, ...) {
    LQ_MODE_OF(flags)
    return Open("open", path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    LQ_MODE_OF(flags)
    return Open("open64", path, flags, mode);
}

int openat(int folder, const char* path, int flags, ...) {
    LQ_MODE_OF(flags)
    return Open("openat", path, flags, mode, folder);
}

int openat64(int folder, const char* path, int flags, ...) {
    LQ_MODE_OF(flags)
    return Open("openat64", path, flags, mode, folder);
}

int mkostemp(char* pattern, int flags) {
    if (FailsOnPath("mkostemp", pattern))
        return FailWith();
    return Next<int (*)(char*, int)>("mkostemp")(pattern, flags);
}

ssize_t read(int fd, void* buffer, size_t count) {
    if (FailsOnFd("read", fd))
        return FailWith();
    return Next<ssize_t (*)(int, void*, size_t)>("read")(fd, buffer, count);
}

ssize_t write(int fd, const void* buffer, size_t count) {
    if (FailsOnFd("write", fd))
        return FailWith();
    return Next<ssize_t (*)(int, const void*, size_t)>("write")(fd, buffer, count);
}

#define LQ_PREAD(name)                                                                             \
    ssize_t name(int fd, void* buffer, size_t count, off_t at) {                                   \
        if (FailsOnFd(#name, fd))                                                                  \
            return FailWith();                                                                     \
        return Next<ssize_t (*)(int, void*, size_t, off_t)>(#name)(fd, buffer, count, at);         \
    }
LQ_PREAD(pread)
LQ_PREAD(pread64)

#define LQ_PWRITE(name)                                                                            \
    ssize_t name(int fd, const void* buffer, size_t count, off_t at) {                             \
        if (FailsOnFd(#name, fd))                                                                  \
            return FailWith();                                                                     \
        return Next<ssize_t (*)(int, const void*, size_t, off_t)>(#name)(fd, buffer, count, at);   \
    }
LQ_PWRITE(pwrite)
LQ_PWRITE(pwrite64)

#define LQ_FD_CALL(name)                                                                           \
    int name(int fd) {                                                                             \
        if (FailsOnFd(#name, fd))                                                                  \
            return FailWith();                                                                     \
        return Next<int (*)(int)>(#name)(fd);                                                      \
    }
LQ_FD_CALL(fsync)
LQ_FD_CALL(fdatasync)

#define LQ_FTRUNCATE(name)                                                                         \
    int name(int fd, off_t length) {                                                               \
        if (FailsOnFd(#name, fd))                                                                  \
            return FailWith();                                                                     \
        return Next<int (*)(int, off_t)>(#name)(fd, length);                                       \
    }
LQ_FTRUNCATE(ftruncate)
LQ_FTRUNCATE(ftruncate64)

int fchmod(int fd, mode_t mode) {
    if (FailsOnFd("fchmod", fd))
        return FailWith();
    return Next<int (*)(int, mode_t)>("fchmod")(fd, mode);
}

// The descriptor is gone whether or not its close reports an error, as with a real one.
int close(int fd) {
    const bool fails = FailsOnFd("close", fd);
    const int result = Next<int (*)(int)>("close")(fd);
    return fails ? FailWith() : result;
}

int rename(const char* from, const char* to) {
    if (FailsOnPath("rename", to))
        return FailWith();
    return Next<int (*)(const char*, const char*)>("rename")(from, to);
}

int unlink(const char* path) {
    if (FailsOnPath("unlink", path))
        return FailWith();
    return Next<int (*)(const char*)>("unlink")(path);
}

} // extern "C"
