#pragma once

#include <QString>

class QWidget;

namespace editor {

// An open or save dialog of the frame with its filter, keeping the name last chosen or set, as
// the save-as step reuses it across all lesson windows.
class TFileDialog {
public:
    enum class Kind { Open, Save };

    // `filter` in Qt's form: "Soubory slovní zásoby (*.lq)".
    TFileDialog(Kind kind, const QString& filter) : kind_(kind), filter_(filter) {}

    // Asks for a file; false when the author cancelled. An open dialog returns only a file
    // that exists, so a mistyped name never becomes a new empty file.
    bool Execute(QWidget* parent);
    const QString& FileName() const { return fileName_; }
    void SetFileName(const QString& value) { fileName_ = value; }
    // Appends `extension` (".lq") to the name unless its extension is exactly that; case
    // counts, so "lekce.LQ" becomes "lekce.LQ.lq". Returns the name.
    const QString& AppendMissingExtension(const QString& extension);

private:
    Kind kind_;
    QString filter_;
    QString fileName_;
};

// The extension of a path: from its last "." that stands after the last separator, dot
// included; empty when there is none.
QString ExtractFileExt(const QString& path);

// True when nothing named `path` exists, or the author agreed to replace it when asked
// "Tento soubor již existuje. Chcete jej přepsat?". A name that is no file (a folder, a device,
// a pipe) is refused at once, with the reason, before anything is asked.
bool MayOverwrite(const QString& path);

} // namespace editor
