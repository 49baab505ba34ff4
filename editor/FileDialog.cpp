#include "FileDialog.h"

#include "Dialogs.h"
#include "FileReplacement.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <stdexcept>

namespace editor {

bool TFileDialog::Execute(QWidget* parent) {
    platform::Dialogs& dialogs = platform::dialogs();
    const QString chosen = kind_ == Kind::Open ? dialogs.OpenFileName(parent, filter_, fileName_)
                                               : dialogs.SaveFileName(parent, filter_, fileName_);
    if (chosen.isEmpty())
        return false;
    if (kind_ == Kind::Open && !QFileInfo(chosen).isFile())
        return false;
    fileName_ = chosen;
    return true;
}

const QString& TFileDialog::AppendMissingExtension(const QString& extension) {
    if (ExtractFileExt(fileName_) != extension)
        fileName_ += extension;
    return fileName_;
}

QString ExtractFileExt(const QString& path) {
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype separator =
        std::max(path.lastIndexOf(QDir::separator()), path.lastIndexOf(u':'));
    if (dot < 0 || dot < separator)
        return {};
    return path.mid(dot);
}

bool MayOverwrite(const QString& path) {
    if (!QFileInfo::exists(path))
        return true;
    if (!QFileInfo(path).isFile())
        throw std::runtime_error(
            QStringLiteral("Do „%1“ nelze zapisovat: %2")
                .arg(QDir::toNativeSeparators(path), QString::fromUtf8(platform::NotAFileReason))
                .toStdString());
    return platform::dialogs().Warning(
               QStringLiteral("Tento soubor již existuje. Chcete jej přepsat?"),
               platform::Dialogs::Choice::YesNo) != platform::Dialogs::Button::No;
}

} // namespace editor
