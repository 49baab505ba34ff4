#pragma once

#include "Dat.h"
#include "DatGrid.h"

#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

struct TableField {
    std::string name;
    uint8_t type;
    int32_t size;
};

// A grid over a table in a fresh temporary folder.
class GridTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string path = dir.filePath("lekce.dat").toStdString();
    TDat dat;
    TDatGrid grid;

    void OpenTable(const std::vector<TableField>& fields, int records) {
        dat.SetFileName(path);
        dat.SetActive(true);
        for (const TableField& field : fields)
            dat.AddField(field.name, field.type, field.size);
        for (int record = 0; record < records; ++record)
            dat.AppendRecord();
    }

    std::string FileBytes() const {
        std::ostringstream bytes;
        bytes << std::ifstream(path, std::ios::binary).rdbuf();
        return bytes.str();
    }

    template <typename Call> static std::string ErrorOf(Call&& call) {
        try {
            call();
        } catch (const std::exception& error) {
            return error.what();
        }
        return "(no error)";
    }
};

inline const std::vector<TableField> LessonFields = {{"AJ", dtString, 100}, {"CJ", dtString, 100}};
