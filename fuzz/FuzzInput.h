#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One input of a fuzz target. Its first byte, taken modulo 33, says how many control bytes
// follow; they steer the target. The bytes after them are a lesson file, written to a file of
// this process that lives as long as the input.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size);
    ~FuzzInput();
    FuzzInput(const FuzzInput&) = delete;
    FuzzInput& operator=(const FuzzInput&) = delete;

    const std::string& Path() const { return path_; }
    bool ControlsLeft() const { return next_ < controls_.size(); }
    // The next control byte; 0 once they have run out.
    uint8_t Next();
    // The file as it is now, up to `most` bytes, read past any lock a table holds on it.
    std::string FileBytes(size_t most = SIZE_MAX) const;
    int64_t FileLength() const;

private:
    std::string controls_;
    size_t next_ = 0;
    std::string path_;
};

inline constexpr size_t MaxControls = 32;

// A broken invariant: names it and aborts, so that libFuzzer keeps the input.
[[noreturn]] void Broken(const char* what);

inline void Check(bool holds, const char* what) {
    if (!holds)
        Broken(what);
}
