// Writes the seed corpus of the fuzz targets: valid lessons of both kinds and a table of every
// type made by the store, lessons as other writers leave them, and the lessons of a folder (the
// sample lessons). Each seed is a lesson behind a zero control count; two also carry a run of
// store operations.
//
//     MakeFuzzSeeds SEEDS [LESSON-FOLDER]
#include "Dat.h"
#include "StoreOps.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

void WriteSeed(const fs::path& path, const std::string& controls, const std::string& lesson) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << char(controls.size()) << controls << lesson;
}

// The bytes of a lesson that the store makes in `scratch`.
template <typename Fill> std::string MadeByTheStore(const fs::path& scratch, Fill&& fill) {
    fs::remove(scratch);
    {
        TDat table;
        table.SetFileName(scratch.string());
        table.SetActive(true);
        fill(table);
    }
    std::string bytes = ReadFile(scratch);
    fs::remove(scratch);
    return bytes;
}

std::string Lesson(const fs::path& scratch, const std::string& marker, const std::string& first,
                   int32_t firstSize, const std::string& second, int32_t secondSize, int records) {
    return MadeByTheStore(scratch, [&](TDat& table) {
        table.SetDataType(marker);
        table.AddField(first, dtString, firstSize);
        table.AddField(second, dtString, secondSize);
        for (int r = 1; r <= records; ++r) {
            table.AppendRecord();
            table.WriteString(first, r, "look (at); see <sth.> _ " + std::to_string(r));
            table.WriteString(second, r, "d\xECvat se " + std::to_string(r));
        }
    });
}

std::string EveryType(const fs::path& scratch) {
    return MadeByTheStore(scratch, [](TDat& table) {
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
    });
}

std::string Patched(std::string bytes, size_t offset, const std::string& patch) {
    return bytes.replace(offset, patch.size(), patch);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: MakeFuzzSeeds SEEDS [LESSON-FOLDER]\n";
        return 2;
    }
    const fs::path folder = argv[1];
    fs::create_directories(folder);
    const fs::path scratch = folder / "scratch.tmp";
    const std::string words = Lesson(scratch, "lq3 test1", "AJ", 100, "CJ", 100, 3);
    WriteSeed(folder / "words.lq", "", words);
    WriteSeed(folder / "sentences.lq", "",
              Lesson(scratch, "lq4 test2a", "veta", 200, "vyraz", 40, 2));
    WriteSeed(folder / "empty.lq", "", Lesson(scratch, "lq3 test1", "AJ", 100, "CJ", 100, 0));
    const std::string types = EveryType(scratch);
    WriteSeed(folder / "types.lq", "", types);

    // As other writers leave lessons: their own signature and spare bytes, bytes after the last
    // record, the last string running past the end, a length beyond its field's size.
    WriteSeed(folder / "other-writer.lq", "",
              Patched(Patched(words, 4, "Another writer"), 92, std::string(36, 'Z')));
    WriteSeed(folder / "tail.lq", "", words + std::string(300, 'Z'));
    WriteSeed(folder / "cut-string.lq", "", Patched(words, words.size() - 12, "\x50"));
    WriteSeed(folder / "long-length.lq", "", Patched(words, 184, "\xff\xff"));

    // Opens the lesson for writing, adds a string field of 20 characters and a record, writes
    // "abcdefgh" into it through the field's own writer, changes the marker, deletes the first
    // record, reads one and opens the file again.
    const auto op = [](StoreOp what, uint8_t argument = 0) {
        return char(Control(what, argument));
    };
    const std::string run =
        std::string{op(StoreOp::OpenReadWrite), op(StoreOp::AddField, 3), char(20)} +
        std::string{op(StoreOp::Append), op(StoreOp::Write, 2), char(3), char(0x80)} + "abcdefgh" +
        std::string{op(StoreOp::SetMarker, 1), op(StoreOp::Delete), op(StoreOp::Read, 1),
                    op(StoreOp::Reopen)};
    WriteSeed(folder / "words-run.lq", run, words);
    WriteSeed(folder / "types-run.lq", run, types);

    if (argc == 3)
        for (const auto& entry : fs::directory_iterator(argv[2]))
            if (entry.path().extension() == ".lq")
                WriteSeed(folder / entry.path().filename(), "", ReadFile(entry.path()));
    return 0;
}
