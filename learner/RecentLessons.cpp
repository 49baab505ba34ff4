#include "RecentLessons.h"

#include "Dat.h"
#include "LessonInfo.h"
#include "Otevr.h"

#include <QFile>
#include <QFileInfo>
#include <QTreeWidget>
#include <optional>

namespace learner {

namespace {

// The kind marker of a readable lesson file; nothing for a file that is missing, not a table,
// or held open by another program.
std::optional<std::string> ReadMarker(TDat& table, const QString& path) {
    const std::string fileName = QFile::encodeName(path).toStdString();
    if (!QFileInfo(path).isFile() || !table.IsCompatibleFile(fileName))
        return std::nullopt;
    try {
        table.SetFileName(fileName);
        table.SetActive(true);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (!table.Active())
        return std::nullopt;
    std::string marker;
    table.GetDataType(marker);
    table.SetActive(false);
    return marker;
}

} // namespace

void FillRecentLessons(QTreeWidget& view, const TOtevr& recent) {
    TDat table;
    // Only the marker is read, so a lesson the learner may not write to is listed all the same.
    table.SetReadOnly(true);
    view.clear();
    for (int32_t i = 1; i <= recent.Count; ++i) {
        const QString& path = recent.Items[size_t(i)];
        const std::optional<std::string> marker = ReadMarker(table, path);
        if (!marker)
            continue;
        auto* row = new QTreeWidgetItem(
            &view,
            {FileNamePart(path), LessonKindCaption(LessonKindOf(*marker)), FolderPart(path)});
        row->setData(0, Qt::UserRole, i);
    }
}

} // namespace learner
