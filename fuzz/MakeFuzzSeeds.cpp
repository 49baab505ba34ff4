// Writes the fuzzer's seed corpus: small valid lessons of both kinds and a table of every type,
// made by the store itself.
#include "Dat.h"

#include <filesystem>
#include <iostream>
#include <string>

namespace {

void MakeLesson(const std::filesystem::path& path, const std::string& marker,
                const std::string& first, int32_t firstSize, const std::string& second,
                int32_t secondSize, int records) {
    std::filesystem::remove(path);
    TDat table;
    table.SetFileName(path.string());
    table.SetActive(true);
    table.SetDataType(marker);
    table.AddField(first, dtString, firstSize);
    table.AddField(second, dtString, secondSize);
    for (int r = 1; r <= records; ++r) {
        table.AppendRecord();
        table.WriteString(first, r, "look (at); see <sth.> " + std::to_string(r));
        table.WriteString(second, r, "d\xECvat se " + std::to_string(r));
    }
}

void MakeEveryType(const std::filesystem::path& path) {
    std::filesystem::remove(path);
    TDat table;
    table.SetFileName(path.string());
    table.SetActive(true);
    table.AddField("b", dtBoolean, 0);
    table.AddField("i", dtInteger, 0);
    table.AddField("f", dtFloat, 0);
    table.AddField("s", dtString, 12);
    table.AddField("x", 5, 0);
    for (int r = 1; r <= 3; ++r) {
        table.AppendRecord();
        table.WriteBoolean("b", r, uint8_t(r));
        table.WriteInteger("i", r, -r);
        table.WriteFloat("f", r, r / 3.0);
        table.WriteString("s", r, "abc");
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: MakeFuzzSeeds FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    MakeLesson(folder / "words.lq", "lq3 test1", "AJ", 100, "CJ", 100, 3);
    MakeLesson(folder / "sentences.lq", "lq4 test2a", "veta", 200, "vyraz", 40, 2);
    MakeLesson(folder / "empty.lq", "lq3 test1", "AJ", 100, "CJ", 100, 0);
    MakeEveryType(folder / "types.lq");
    return 0;
}
