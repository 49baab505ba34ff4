#pragma once

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

class TDat;

// A fresh folder for one test's files, removed afterwards. Its path is canonical, so it matches
// the full paths that the store puts into its messages.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

class StoreTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.File("table.dat");
};

struct NewField {
    std::string name;
    uint8_t type;
    int32_t size;
};
inline const std::vector<NewField> LessonFields = {{"AJ", 8, 100}, {"CJ", 8, 100}};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
void PatchBytes(const std::string& path, size_t offset, const std::string& bytes);

template <typename T> std::string BytesOf(T value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename T> T ValueAt(const std::string& bytes, size_t offset) {
    std::string part = bytes.substr(offset, sizeof(T));
    part.resize(sizeof(T));
    T value;
    std::memcpy(&value, part.data(), sizeof value);
    return value;
}

// A new closed table (replacing any file there) with the fields and default records.
void MakeTable(const std::string& path, const std::vector<NewField>& fields, int records = 0);
// A closed question-answer lesson with one record per pair.
void MakeLesson(const std::string& path,
                const std::vector<std::pair<std::string, std::string>>& rows);
// An active table on `path`; throws when it stays inactive.
std::unique_ptr<TDat> OpenTable(const std::string& path);
// The marker GetDataType hands out, or "-" when it leaves its output alone.
std::string MarkerOf(const TDat& table);

// The message of the runtime_error that `call` raises, for comparing exact texts.
template <typename Call> std::string ErrorOf(Call&& call) {
    try {
        call();
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "(no error)";
}
