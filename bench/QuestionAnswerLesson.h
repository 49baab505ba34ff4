#pragma once

#include "Dat.h"

#include <cstdint>
#include <string>
#include <utility>

// Writes a question-answer lesson of `records` pairs to the file `path` names, as the editor
// saves one; `textsOf(record)` gives the question and the answer of a record, Windows-1250 bytes.
template <typename TextsOf>
void WriteQuestionAnswerLesson(const std::string& path, int32_t records, TextsOf textsOf) {
    TDat table;
    table.SetFileName(path);
    table.SetActive(true);
    table.AddField("AJ", dtString, 100);
    table.AddField("CJ", dtString, 100);
    table.SetDataType("lq3 test1");
    for (int32_t record = 1; record <= records; ++record) {
        const std::pair<std::string, std::string> texts = textsOf(record);
        table.AppendRecord();
        table.WriteString("AJ", record, texts.first);
        table.WriteString("CJ", record, texts.second);
    }
}
