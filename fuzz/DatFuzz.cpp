// libFuzzer target: any bytes as a table file, opened read-only and writable.
#include "ExerciseTable.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const std::string& InputPath() {
    static const std::string path = "/tmp/lq-fuzz-" + std::to_string(::getpid()) + ".lq";
    return path;
}

void WriteInput(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (!file)
        return;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteInput(data, size);
    ExerciseTable(InputPath(), true);
    WriteInput(data, size);
    ExerciseTable(InputPath(), false);
    ::unlink(InputPath().c_str());
    return 0;
}
