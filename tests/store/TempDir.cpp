#include "TempDir.h"

#include "Dat.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TempDir::TempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/lq4-store-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder " + pattern);
    path_ = fs::canonical(pattern).string();
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string ReadBytes(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void PatchBytes(const std::string& path, size_t offset, const std::string& bytes) {
    WriteBytes(path, ReadBytes(path).replace(offset, bytes.size(), bytes));
}

void MakeTable(const std::string& path, const std::vector<NewField>& fields, int records) {
    fs::remove(path);
    auto table = OpenTable(path);
    for (const NewField& field : fields)
        table->AddField(field.name, field.type, field.size);
    for (int r = 0; r < records; ++r)
        table->AppendRecord();
}

void MakeLesson(const std::string& path,
                const std::vector<std::pair<std::string, std::string>>& rows) {
    MakeTable(path, LessonFields, int(rows.size()));
    auto table = OpenTable(path);
    for (int32_t r = 1; r <= int32_t(rows.size()); ++r) {
        table->WriteString("AJ", r, rows[r - 1].first);
        table->WriteString("CJ", r, rows[r - 1].second);
    }
}

std::unique_ptr<TDat> OpenTable(const std::string& path) {
    auto table = std::make_unique<TDat>();
    table->SetFileName(path);
    table->SetActive(true);
    if (!table->Active())
        throw std::runtime_error("table did not open: " + path);
    return table;
}

std::string MarkerOf(const TDat& table) {
    std::string marker = "-";
    table.GetDataType(marker);
    return marker;
}
