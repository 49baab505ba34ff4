#pragma once

#include "FileReplacement.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

class TDat;

namespace editor {

// What a lesson's table is apart from its records: its marker and its fields. A lesson window
// keeps the shape of its working copy, so that a copy lost to a failed write, or deleted from
// outside, can be made anew and the grid stored into it.
struct TTableShape {
    struct Field {
        std::string Name;
        uint8_t Type = 0;
        int32_t Size = 0;
    };
    std::string Marker;
    std::vector<Field> Fields;

    // The shape of an open table.
    static TTableShape Of(TDat& dat);
    // Makes the file that `dat` names anew, replacing whatever is there, with this shape and
    // `records` empty records, and leaves `dat` open on it.
    void MakeTable(TDat& dat, int32_t records) const;
};

// Raises the author's message when the table has closed itself after a failed read or write.
void RequireWorkingCopy(const TDat& dat);

// Runs a step of reads and writes of the table, and reports a failed one as the working copy's
// failure with its reason: the table closes itself on the failure, and the steps after it only
// find it closed. A read that fails quietly is caught too.
template <typename Step> void OnWorkingCopy(const TDat& dat, Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
        RequireWorkingCopy(dat);
        throw;
    }
    RequireWorkingCopy(dat);
}

// The working copy's file as it stands, or the author's message.
QByteArray WorkingCopyBytes(const TDat& dat);

// Puts a copy of the lesson file in place as the working copy that `dat` names; returns the
// version of the lesson that was copied.
platform::FileVersion CopyLessonToWorkingCopy(const QString& lessonFile, const TDat& dat);

QString FileNameOf(const TDat& dat);

} // namespace editor
