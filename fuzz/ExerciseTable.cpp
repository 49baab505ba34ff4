#include "ExerciseTable.h"

#include "Dat.h"

#include <stdexcept>

namespace {

void ReadValue(TDat& table, const std::string& field, uint8_t type, int32_t record) {
    switch (type) {
    case dtBoolean:
        table.ReadBoolean(field, record);
        break;
    case dtInteger:
        table.ReadInteger(field, record);
        break;
    case dtFloat:
        table.ReadFloat(field, record);
        break;
    default:
        table.ReadString(field, record);
        break;
    }
}

void ReadEverything(TDat& table) {
    std::string marker;
    table.GetDataType(marker);
    for (int32_t record = 1; record <= table.RecordCount() && table.Active(); ++record)
        for (uint8_t field = 1; field <= table.FieldCount() && table.Active(); ++field)
            ReadValue(table, table.FieldName(field), table.GetFieldType(field), record);
}

} // namespace

void ExerciseTable(const std::string& path, bool readOnly) {
    TDat table;
    table.SetReadOnly(readOnly);
    table.SetCreateFile(false);
    table.SetFileName(path);
    try {
        table.SetActive(true);
        if (!table.Active())
            return;
        ReadEverything(table);
        if (!readOnly && table.Active()) {
            table.AppendRecord();
            table.DeleteRecord(1);
            ReadEverything(table);
        }
    } catch (const std::runtime_error&) {
    }
}
