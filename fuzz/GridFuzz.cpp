// libFuzzer target: the editor's grid loading a lesson and saving it back, on Qt's offscreen
// platform. A save that is refused must leave the file as it was; one that goes through must
// leave a file that loads into the very same cells.
#include "Dat.h"
#include "DatGrid.h"
#include "FuzzInput.h"

#include <QApplication>
#include <iterator>
#include <stdexcept>

namespace {

const char* const Names[] = {"AJ", "CJ", "veta", "vyraz", "x"};

// Empty, or up to three names of the lesson kinds' fields, as the lesson windows set them.
QStringList FieldsFrom(FuzzInput& input) {
    QStringList fields;
    for (int k = input.Next() % 4; k > 0; --k)
        fields.append(Names[input.Next() % std::size(Names)]);
    return fields;
}

QStringList Cells(const TDatGrid& grid) {
    QStringList cells;
    for (int col = 0; col < grid.ColCount(); ++col)
        for (int row = 0; row < grid.RowCount(); ++row)
            cells.append(grid.Cells(col, row));
    return cells;
}

// Lookups by name find the last of two equal names, so the columns of both read and write one
// field, and a save cannot give each column its own value back.
bool HasRepeatedName(const TDat& table) {
    for (int k = 1; k <= table.FieldCount(); ++k)
        if (table.FieldIndex(table.FieldName(uint8_t(k))) != k)
            return true;
    return false;
}

// Loads the lesson at `path` into `grid`; false when it does not open or a read of it failed.
bool Load(const std::string& path, TDat& table, TDatGrid& grid, const QStringList& fields) {
    table.SetCreateFile(false);
    table.SetFileName(path);
    grid.SetFields(fields);
    try {
        table.SetActive(true);
        grid.SetDat(&table);
    } catch (const std::runtime_error&) {
        return false;
    }
    return table.Active();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const QStringList fields = FieldsFrom(input);
    QStringList loaded;
    {
        TDat table;
        TDatGrid grid;
        if (!Load(input.Path(), table, grid, fields))
            return 0;
        loaded = Cells(grid);
        const std::string before = input.FileBytes();
        try {
            grid.SaveToDat();
        } catch (const std::runtime_error&) {
            Check(input.FileBytes() == before, "a refused save changed the file");
            return 0;
        }
        if (!table.Active() || HasRepeatedName(table))
            return 0;
    }
    TDat table;
    TDatGrid grid;
    Check(Load(input.Path(), table, grid, fields), "the saved lesson does not load");
    Check(Cells(grid) == loaded, "the saved lesson loads into other cells");
    return 0;
}
