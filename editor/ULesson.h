#pragma once

#include "Dat.h"
#include "FileReplacement.h"
#include "Setup.h"
#include "WorkingCopy.h"

#include <QSize>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

class QLabel;
class QPainter;
class TDatGrid;

namespace editor {

// What sets the two lesson windows apart; everything else they share.
struct TLessonKind {
    // Shown until new or open names the lesson.
    QString LayoutCaption;
    QString CaptionPrefix;
    QString Field1;
    QString Field2;
    QString Heading1;
    QString Heading2;
    // The fill-in window turns the expression into the gap of its sentence when a row is done.
    bool PutsGapMark = false;
    int32_t TSetup::*ColSize1 = nullptr;
    int32_t TSetup::*ColSize2 = nullptr;
};

// A lesson in a child window of the editor's frame. The window never touches the lesson file
// while the author works: it edits a working copy in "Tmp/" of the install folder through its
// own table, and saving copies the working copy over the lesson file.
//
// The operations raise std::runtime_error with the message for the author when they fail; the
// frame's commands show it in the error box.
class TLessonWindow : public QWidget {
    Q_OBJECT
public:
    ~TLessonWindow() override;

    // 1 for a question-answer window, 2 for a fill-in window, set by the frame once the window
    // has its lesson; 0 before.
    int Tag() const { return tag_; }
    void SetTag(int value) { tag_ = value; }
    bool Saved() const { return saved_; }
    void SetSaved(bool value);
    // The lesson file's full path, or "Nový" for a lesson that has no file yet.
    const QString& LessonFile() const { return lessonFile_; }

    void OpenFile(const QString& fileName);
    // Both return whether the lesson file was written: false when the author cancelled.
    bool Save();
    bool SaveAs();
    void DeleteRecord();
    void ExportCsv(const QString& fileName);
    void InsertMark(const QString& mark);
    // Closes the window without its close question, for a lesson that could not be made or
    // opened.
    void Discard();
    // Asks about unsaved changes, saving after "Ano"; true when the window may close.
    bool FormCloseQuery();
    // Closes the window once FormCloseQuery has let it go, without asking again.
    void CloseAnswered();

    TDat& Dat1() { return dat1_; }
    TDatGrid& DatGrid1() const { return *datGrid1_; }
    QString StatusText(int panel) const;

    // The lesson windows that exist and have not closed, oldest first. The frame counts these
    // for its enabled states: a closing window has already left the list when it calls
    // TFMain::UpdateActions.
    static const std::vector<TLessonWindow*>& OpenWindows();

    static inline const QString NewLessonName = QStringLiteral("Nový");

protected:
    TLessonWindow(const TLessonKind& kind, QWidget* parent);
    // Starts an empty lesson of this kind over a fresh working copy.
    void NewLesson(const std::string& marker, int32_t fieldSize);

    // A new child window opens at the size of its layout rather than at its smallest.
    QSize sizeHint() const override { return layoutSize_; }
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // What the record-number column and the grid's frame take of the grid's width.
    static constexpr int ColumnMargin = 56;

    void SetupColumns();
    void SetLessonFile(const QString& lessonFile);
    void FormTempName();
    void ShowRecordCount();
    // The records that the grid's rows stand for.
    int32_t GridRecords() const;
    // Writes what the grid shows into the table, giving the one row of an empty table its
    // record first so that nothing typed there is dropped.
    void StoreGrid();
    void EnsureWorkingCopy();
    void ReloadGrid();
    void CompleteRow();
    // Puts the lesson file in place; false when the author would not replace a lesson that
    // changed on the disk.
    bool WriteLessonFile(const QByteArray& lesson);
    void PutGapMark(int row);
    void FormClose();
    void FormResize();
    void FormShow();
    void DatGrid1KeyPress(QChar key);
    void DatGrid1DrawCell(int col, int row, const QRect& rect, QPainter& canvas);
    void DatGrid1MouseUp();

    const TLessonKind& kind_;
    TDat dat1_;
    TDatGrid* datGrid1_ = nullptr;
    QLabel* savedPanel_ = nullptr;
    QLabel* countPanel_ = nullptr;
    bool saved_ = false;
    QString lessonFile_;
    int tag_ = 0;
    QSize layoutSize_;
    // The number of the working copy, held while the window lives; 0 before new or open.
    int tempNumber_ = 0;
    TTableShape shape_;
    // The records of the table when the grid was last loaded from it.
    int32_t loadedRecords_ = 0;
    bool closeAnswered_ = false;
    // The version of the lesson file that this window last read or wrote.
    platform::FileVersion lessonSeen_;
};

} // namespace editor
