#include "WorkingCopy.h"

#include "Dat.h"
#include "FileReplacement.h"

#include <QFile>
#include <stdexcept>

namespace editor {

namespace {

[[noreturn]] void Raise(const QString& message) {
    throw std::runtime_error(message.toStdString());
}

[[noreturn]] void RaiseWorkingCopyError(const TDat& dat, const QString& reason) {
    Raise(
        QStringLiteral("Pracovní kopii lekce „%1“ nelze zapsat: %2").arg(FileNameOf(dat), reason));
}

void RemoveIfThere(const QString& fileName) {
    QFile file(fileName);
    if (file.exists() && !file.remove())
        Raise(QStringLiteral("Soubor „%1“ nelze nahradit: %2").arg(fileName, file.errorString()));
}

// The whole file, or `failure` with the file's name and the system's reason.
QByteArray ReadWhole(const QString& fileName, const QString& failure) {
    QFile file(fileName);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError)
        Raise(failure.arg(fileName, file.errorString()));
    return bytes;
}

} // namespace

QString FileNameOf(const TDat& dat) {
    return QFile::decodeName(dat.FileName().c_str());
}

TTableShape TTableShape::Of(TDat& dat) {
    TTableShape shape;
    dat.GetDataType(shape.Marker);
    for (uint8_t field = 1; field <= dat.FieldCount(); ++field) {
        const uint8_t type = dat.GetFieldType(field);
        const int32_t size = type == dtString ? dat.FieldSize(field) - 2 : 0;
        shape.Fields.push_back({dat.FieldName(field), type, size});
    }
    return shape;
}

void TTableShape::MakeTable(TDat& dat, int32_t records) const {
    dat.SetActive(false);
    RemoveIfThere(FileNameOf(dat));
    dat.SetActive(true);
    for (const Field& field : Fields)
        dat.AddField(field.Name, field.Type, field.Size);
    dat.SetDataType(Marker);
    for (int32_t record = 0; record < records && dat.Active(); ++record)
        dat.AppendRecord();
    RequireWorkingCopy(dat);
}

void RequireWorkingCopy(const TDat& dat) {
    if (!dat.Active())
        RaiseWorkingCopyError(dat, QString::fromStdString(dat.FailureReason()));
}

QByteArray WorkingCopyBytes(const TDat& dat) {
    return ReadWhole(FileNameOf(dat), QStringLiteral("Pracovní kopii lekce „%1“ nelze číst: %2"));
}

// The copy always belongs to whoever made it: a read-only lesson still gives a working copy that
// its window can write.
platform::FileVersion CopyLessonToWorkingCopy(const QString& lessonFile, const TDat& dat) {
    const QByteArray bytes = ReadWhole(lessonFile, QStringLiteral("Lekci „%1“ nelze číst: %2"));
    RemoveIfThere(FileNameOf(dat));
    try {
        platform::ReplaceFileWith(FileNameOf(dat), bytes);
    } catch (const std::exception& error) {
        RaiseWorkingCopyError(dat, QString::fromStdString(error.what()));
    }
    return platform::FileVersion::OfBytes(bytes);
}

} // namespace editor
