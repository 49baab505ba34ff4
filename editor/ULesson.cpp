#include "ULesson.h"

#include "Application.h"
#include "DatGrid.h"
#include "Dialogs.h"
#include "FileDialog.h"
#include "FileReplacement.h"
#include "FileStream.h"
#include "LessonInfo.h"
#include "UMain.h"
#include "Windows.h"
#include "WorkingCopy.h"
#include "ui_ULesson.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QStatusBar>
#include <algorithm>
#include <stdexcept>

namespace editor {

namespace {

const QString UnsavedText = QStringLiteral("Neuloženo");
const QString RecordCountText = QStringLiteral("Počet záznamů: ");
const QString LessonExtension = QStringLiteral(".lq");

std::vector<TLessonWindow*>& Registered() {
    static std::vector<TLessonWindow*> windows;
    return windows;
}

[[noreturn]] void Raise(const QString& message) {
    throw std::runtime_error(message.toStdString());
}

// `failure` names the file; a write that left it no longer whole says so, with `repair`, how
// it is made whole again.
[[noreturn]] void RaiseWriteFailure(const QString& failure, const std::exception& error,
                                    const QString& repair) {
    QString message = QStringLiteral("%1: %2").arg(failure, QString::fromUtf8(error.what()));
    if (dynamic_cast<const platform::FileLeftIncomplete*>(&error) != nullptr)
        message += QStringLiteral(". ") + repair;
    Raise(message);
}

bool IsHeldElsewhere(const QString& fileName) {
    if (!QFileInfo(fileName).isFile())
        return false;
    try {
        const FileStream probe(QFile::encodeName(fileName).toStdString(), FileStream::Mode::Read);
        return false;
    } catch (const std::runtime_error&) {
        return true;
    }
}

} // namespace

TLessonWindow::TLessonWindow(const TLessonKind& kind, QWidget* parent)
    : QWidget(parent), kind_(kind) {
    Ui::TLessonWindow ui;
    ui.setupUi(this);
    layoutSize_ = size();
    datGrid1_ = ui.DatGrid1;
    setWindowTitle(kind_.LayoutCaption);
    setAttribute(Qt::WA_DeleteOnClose);

    savedPanel_ = new QLabel(UnsavedText, ui.StatusBar1);
    savedPanel_->setFixedWidth(70);
    savedPanel_->setAlignment(Qt::AlignCenter);
    countPanel_ = new QLabel(QStringLiteral(" Počet záznamů:"), ui.StatusBar1);
    countPanel_->setMinimumWidth(50);
    ui.StatusBar1->addWidget(savedPanel_);
    ui.StatusBar1->addWidget(countPanel_, 1);

    dat1_.SetAutoActive(false);
    dat1_.SetIndexing(false);
    datGrid1_->SetDefaultColWidth(140);
    datGrid1_->SetDefaultRowHeight(18);
    datGrid1_->SetColWidths(0, 34);
    datGrid1_->SetFields({kind_.Field1, kind_.Field2});
    datGrid1_->SetDat(&dat1_);

    datGrid1_->OnKeyPress = platform::ReportingErrors([this](QChar key) { DatGrid1KeyPress(key); });
    datGrid1_->OnDrawCell = [this](int col, int row, const QRect& rect, QPainter& canvas) {
        DatGrid1DrawCell(col, row, rect, canvas);
    };
    datGrid1_->OnMouseUp = platform::ReportingErrors(
        [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) { DatGrid1MouseUp(); });

    Registered().push_back(this);
}

// The grid goes before the table that it shows.
TLessonWindow::~TLessonWindow() {
    std::erase(Registered(), this);
    delete datGrid1_;
}

const std::vector<TLessonWindow*>& TLessonWindow::OpenWindows() {
    return Registered();
}

void TLessonWindow::SetSaved(bool value) {
    saved_ = value;
    savedPanel_->setText(value ? QString() : UnsavedText);
}

QString TLessonWindow::StatusText(int panel) const {
    return (panel == 0 ? savedPanel_ : countPanel_)->text();
}

void TLessonWindow::SetupColumns() {
    datGrid1_->SetColCount(3);
    datGrid1_->Fields().clear();
    datGrid1_->Fields() << kind_.Field1 << kind_.Field2;
    datGrid1_->SetCells(1, 0, kind_.Heading1);
    datGrid1_->SetCells(2, 0, kind_.Heading2);
}

void TLessonWindow::SetLessonFile(const QString& lessonFile) {
    lessonFile_ = lessonFile;
    setWindowTitle(kind_.CaptionPrefix + FileNamePart(lessonFile));
}

// Two open windows never share a working copy: the lowest number that no open window holds is
// taken, where counting the windows could hand out a number still in use.
// A working copy that another editor still has open is skipped too: its file would otherwise
// be replaced under that editor, whose next save would then copy this window's lesson.
void TLessonWindow::FormTempName() {
    std::vector<int> held;
    for (const TLessonWindow* window : Registered())
        if (window != this)
            held.push_back(window->tempNumber_);
    const auto nameOf = [](int number) {
        return FMain->Setup.Path + QStringLiteral("Tmp/%1.tmp").arg(number);
    };
    tempNumber_ = 1;
    while (std::ranges::find(held, tempNumber_) != held.end() ||
           IsHeldElsewhere(nameOf(tempNumber_)))
        ++tempNumber_;
    dat1_.SetFileName(QFile::encodeName(nameOf(tempNumber_)).toStdString());
}

void TLessonWindow::ShowRecordCount() {
    countPanel_->setText(RecordCountText + QString::number(dat1_.RecordCount()));
}

void TLessonWindow::NewLesson(const std::string& marker, int32_t fieldSize) {
    SetupColumns();
    SetLessonFile(NewLessonName);
    FormTempName();
    shape_ = {marker,
              {{kind_.Field1.toStdString(), dtString, fieldSize},
               {kind_.Field2.toStdString(), dtString, fieldSize}}};
    shape_.MakeTable(dat1_, 1);
    SetSaved(true);
    ReloadGrid();
}

void TLessonWindow::OpenFile(const QString& fileName) {
    SetupColumns();
    SetLessonFile(fileName);
    FormTempName();
    lessonSeen_ = CopyLessonToWorkingCopy(fileName, dat1_);
    dat1_.SetActive(true);
    shape_ = TTableShape::Of(dat1_);
    ReloadGrid();
    SetSaved(true);
}

// The lesson file is replaced only by a complete copy of a working copy that holds what the
// grid shows, so a failed save leaves it whole.
bool TLessonWindow::Save() {
    if (lessonFile_ == NewLessonName)
        return SaveAs();
    EnsureWorkingCopy();
    StoreGrid();
    const int32_t last = dat1_.RecordCount();
    if (last > 0 && dat1_.ReadString(kind_.Field1.toStdString(), last).empty())
        dat1_.DeleteRecord(last);
    ReloadGrid();
    if (!WriteLessonFile(WorkingCopyBytes(dat1_)))
        return false;
    SetSaved(true);
    return true;
}

// Another editor, or anything else, may have written the lesson since this window read or wrote
// it: that is never replaced unasked. "Ano" agrees to lose the version the author was asked
// about, not one that appears while the question is open.
bool TLessonWindow::WriteLessonFile(const QByteArray& lesson) {
    for (;;) {
        try {
            platform::ReplaceFileWith(lessonFile_, lesson, &lessonSeen_);
            return true;
        } catch (const platform::FileChanged& changed) {
            if (platform::dialogs().Warning(
                    QStringLiteral("Lekce „%1“ byla mezitím změněna jiným programem. "
                                   "Chcete ji přepsat?")
                        .arg(QDir::toNativeSeparators(lessonFile_)),
                    platform::Dialogs::Choice::YesNo) == platform::Dialogs::Button::No)
                return false;
            lessonSeen_ = changed.Found;
        } catch (const std::exception& error) {
            RaiseWriteFailure(QStringLiteral("Lekci nelze uložit do „%1“").arg(lessonFile_), error,
                              QStringLiteral("Soubor lekce teď není celý: až bude na disku místo, "
                                             "uložte lekci znovu, tím se opraví."));
        }
    }
}

bool TLessonWindow::SaveAs() {
    TFileDialog& dialog = FMain->SaveDialog1;
    if (!dialog.Execute(this))
        return false;
    const QString fileName = dialog.AppendMissingExtension(LessonExtension);
    // What the author agrees to replace is the file as it stood when asked.
    platform::FileVersion asked = platform::FileVersion::Of(fileName);
    if (!MayOverwrite(fileName))
        return false;
    lessonSeen_ = std::move(asked);
    SetLessonFile(fileName);
    return Save();
}

// The one row of a table without records belongs to no record until text is typed into it.
int32_t TLessonWindow::GridRecords() const {
    if (loadedRecords_ > 0)
        return loadedRecords_;
    return datGrid1_->Cells(1, 1).isEmpty() && datGrid1_->Cells(2, 1).isEmpty() ? 0 : 1;
}

void TLessonWindow::StoreGrid() {
    if (dat1_.Active() && dat1_.RecordCount() < GridRecords())
        dat1_.AppendRecord();
    OnWorkingCopy(dat1_, [this] { datGrid1_->SaveToDat(); });
}

// A working copy that the table gave up after a failed write, or that was deleted from outside,
// is made anew from what the grid shows: the grid is then all that the window knows for sure.
void TLessonWindow::EnsureWorkingCopy() {
    if (dat1_.Active() && QFileInfo(FileNameOf(dat1_)).isFile())
        return;
    dat1_.SetActive(false);
    if (IsHeldElsewhere(FileNameOf(dat1_)))
        FormTempName();
    shape_.MakeTable(dat1_, GridRecords());
    StoreGrid();
}

// The grid never loads from a table that has given up its file: it would lose what it shows.
// A row without a record shows nothing, so that nothing deleted seems to be still there.
void TLessonWindow::ReloadGrid() {
    RequireWorkingCopy(dat1_);
    OnWorkingCopy(dat1_, [this] { datGrid1_->LoadFromDat(); });
    loadedRecords_ = dat1_.RecordCount();
    if (loadedRecords_ == 0)
        for (int col = 0; col < datGrid1_->ColCount(); ++col)
            datGrid1_->SetCells(col, 1, QString());
    ShowRecordCount();
}

void TLessonWindow::DatGrid1KeyPress(QChar key) {
    SetSaved(false);
    if (datGrid1_->Cells(datGrid1_->Col(), datGrid1_->Row()).isEmpty() || key != u'\r')
        return;
    if (datGrid1_->Col() == 1)
        datGrid1_->SetCol(2);
    else if (datGrid1_->Col() == 2)
        CompleteRow();
}

void TLessonWindow::CompleteRow() {
    const int row = datGrid1_->Row();
    if (kind_.PutsGapMark)
        PutGapMark(row);
    datGrid1_->SetCol(1);
    EnsureWorkingCopy();
    StoreGrid();
    dat1_.AppendRecord();
    ReloadGrid();
    datGrid1_->SetRow(row + 1);
}

void TLessonWindow::PutGapMark(int row) {
    QString sentence = datGrid1_->Cells(1, row);
    const QString expression = datGrid1_->Cells(2, row);
    const qsizetype at = sentence.indexOf(expression);
    if (at < 0)
        return;
    datGrid1_->SetCells(1, row, sentence.replace(at, expression.size(), QStringLiteral("_")));
}

void TLessonWindow::InsertMark(const QString& mark) {
    const int col = datGrid1_->Col();
    const int row = datGrid1_->Row();
    datGrid1_->SetCells(col, row, mark + u' ' + datGrid1_->Cells(col, row));
    SetSaved(false);
}

// Grid rows stand for records by their number, so after a removal the grid is stored first
// (nothing typed is lost) and then reloaded, before any row could be stored over the wrong
// record.
void TLessonWindow::DeleteRecord() {
    const int row = datGrid1_->Row();
    if (row > loadedRecords_)
        return;
    EnsureWorkingCopy();
    StoreGrid();
    dat1_.DeleteRecord(row);
    ReloadGrid();
    datGrid1_->SetRow(std::min(row, datGrid1_->RowCount() - 1));
    SetSaved(false);
}

// A failed export leaves an existing file as it was.
void TLessonWindow::ExportCsv(const QString& fileName) {
    EnsureWorkingCopy();
    const std::string field1 = kind_.Field1.toStdString();
    const std::string field2 = kind_.Field2.toStdString();
    const int32_t count = dat1_.RecordCount();
    QByteArray text;
    OnWorkingCopy(dat1_, [&] {
        for (int32_t record = 1; record <= count; ++record) {
            text += '"' + QByteArray::fromStdString(dat1_.ReadString(field1, record)) + "\";\"";
            text += QByteArray::fromStdString(dat1_.ReadString(field2, record)) + "\";\r\n";
        }
    });
    try {
        platform::ReplaceFileWith(fileName, text);
    } catch (const std::exception& error) {
        RaiseWriteFailure(QStringLiteral("Soubor „%1“ nelze zapsat").arg(fileName), error,
                          QStringLiteral("Soubor teď není celý: až bude na disku místo, "
                                         "exportujte lekci znovu."));
    }
}

bool TLessonWindow::FormCloseQuery() {
    if (saved_)
        return true;
    switch (platform::dialogs().Warning(QStringLiteral("Soubor není uložen. Chcete jej uložit?"),
                                        platform::Dialogs::Choice::YesNoCancel)) {
    case platform::Dialogs::Button::No:
        return true;
    case platform::Dialogs::Button::Yes:
        // Only a lesson that reached its file may go: a cancelled or failed save keeps it open.
        try {
            return Save();
        } catch (const std::exception& error) {
            platform::ReportError(error);
            return false;
        }
    default:
        return false;
    }
}

void TLessonWindow::FormClose() {
    dat1_.SetActive(false);
    if (tempNumber_ > 0)
        QFile::remove(FileNameOf(dat1_));
    std::erase(Registered(), this);
    FMain->UpdateActions();
}

void TLessonWindow::Discard() {
    FormClose();
    QWidget* frame = parentWidget();
    QWidget* gone = frame ? frame : this;
    // The deletion waits for the event loop, and the error box that follows runs one of its own:
    // shown until then, the window would stand behind the box as if its lesson had opened.
    gone->hide();
    gone->deleteLater();
}

void TLessonWindow::CloseAnswered() {
    closeAnswered_ = true;
    QWidget* frame = parentWidget();
    (frame ? frame : this)->close();
}

void TLessonWindow::closeEvent(QCloseEvent* event) {
    if (!closeAnswered_ && !FormCloseQuery()) {
        event->ignore();
        return;
    }
    platform::ReportingErrors([this] { FormClose(); })();
    event->accept();
}

void TLessonWindow::FormResize() {
    datGrid1_->SetColCount(3);
    const int room = datGrid1_->width() - ColumnMargin;
    if (room <= 0)
        return;
    const TSetup& setup = FMain->Setup;
    datGrid1_->SetColWidths(1, std::max(PercentToPixels(setup.*kind_.ColSize1, room), 0));
    datGrid1_->SetColWidths(2, std::max(PercentToPixels(setup.*kind_.ColSize2, room), 0));
}

void TLessonWindow::FormShow() {
    FormResize();
}

void TLessonWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    platform::ReportingErrors([this] { FormResize(); })();
}

void TLessonWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    platform::ReportingErrors([this] { FormShow(); })();
}

// A grid too narrow to share out keeps its widths, and column 2 never goes below nothing.
void TLessonWindow::DatGrid1MouseUp() {
    const int room = datGrid1_->width() - ColumnMargin;
    if (room <= 0 || datGrid1_->ColCount() < 3)
        return;
    const int width1 = datGrid1_->ColWidths(1);
    const int width2 = std::max(room - width1, 0);
    datGrid1_->SetColWidths(2, width2);
    TSetup& setup = FMain->Setup;
    setup.*kind_.ColSize1 = PixelsToPercent(width1, room);
    setup.*kind_.ColSize2 = PixelsToPercent(width2, room);
}

void TLessonWindow::DatGrid1DrawCell(int col, int row, const QRect& rect, QPainter& canvas) {
    if (col != 0)
        return;
    canvas.fillRect(rect, palette().color(QPalette::Button));
    const QString text = datGrid1_->Cells(col, row);
    const QFontMetrics metrics = canvas.fontMetrics();
    const int x = rect.left() + datGrid1_->ColWidths(0) / 2 - metrics.horizontalAdvance(text) / 2;
    const int y = rect.top() + datGrid1_->RowHeights(row) / 2 - metrics.height() / 2;
    canvas.setPen(palette().color(QPalette::ButtonText));
    canvas.drawText(x, y + metrics.ascent(), text);
}

} // namespace editor
