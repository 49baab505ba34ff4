#include "FuzzInput.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

std::string FilePath() {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder && *folder ? folder : "/tmp") + "/lq-fuzz-" +
           std::to_string(::getpid()) + ".lq";
}

} // namespace

FuzzInput::FuzzInput(const uint8_t* data, size_t size) : path_(FilePath()) {
    const auto* bytes = reinterpret_cast<const char*>(data);
    const size_t count = size == 0 ? 0 : std::min<size_t>(bytes[0] % (MaxControls + 1), size - 1);
    if (size > 0)
        controls_.assign(bytes + 1, count);
    const size_t start = std::min<size_t>(size, 1 + count);
    std::ofstream file(path_, std::ios::binary | std::ios::trunc);
    file.write(bytes + start, std::streamsize(size - start));
    if (!file.flush())
        Broken("cannot write the input's lesson file");
}

FuzzInput::~FuzzInput() {
    ::unlink(path_.c_str());
}

uint8_t FuzzInput::Next() {
    return next_ < controls_.size() ? uint8_t(controls_[next_++]) : 0;
}

std::string FuzzInput::FileBytes(size_t most) const {
    std::string bytes(std::min(size_t(FileLength()), most), '\0');
    std::ifstream(path_, std::ios::binary).read(bytes.data(), std::streamsize(bytes.size()));
    return bytes;
}

int64_t FuzzInput::FileLength() const {
    std::error_code error;
    const auto length = std::filesystem::file_size(path_, error);
    return error ? 0 : int64_t(length);
}

void Broken(const char* what) {
    std::fprintf(stderr, "broken invariant: %s\n", what);
    std::abort();
}
