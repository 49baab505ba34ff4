#include "ULesson.h"

#include "Application.h"
#include "DatGrid.h"
#include "Dialogs.h"
#include "FileDialog.h"
#include "FileStream.h"
#include "LessonInfo.h"
#include "UMain.h"
#include "Windows.h"
#include "ui_ULesson.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QSaveFile>
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

QString FileNameOf(const TDat& dat) {
    return QFile::decodeName(dat.FileName().c_str());
}

// The copy always belongs to whoever made it: a read-only lesson still gives a working copy
// that its window can write.
void CopyReplacing(const QString& source, const QString& target) {
    if (QFile::exists(target) && !QFile::remove(target))
        Raise(QStringLiteral("Soubor „%1“ nelze nahradit.").arg(target));
    QFile original(source);
    if (!original.copy(target))
        Raise(QStringLiteral("Soubor „%1“ nelze zkopírovat do „%2“: %3")
                  .arg(source, target, original.errorString()));
    QFile::setPermissions(target,
                          QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
}

// The lesson file is replaced only by a complete copy, so a failed save leaves it whole.
void ReplaceWhole(const QString& source, const QString& target) {
    QFile from(source);
    QSaveFile to(target);
    if (!from.open(QIODevice::ReadOnly))
        Raise(QStringLiteral("Soubor „%1“ nelze číst: %2").arg(source, from.errorString()));
    if (!to.open(QIODevice::WriteOnly) || to.write(from.readAll()) != from.size() || !to.commit())
        Raise(QStringLiteral("Lekci nelze uložit do „%1“: %2").arg(target, to.errorString()));
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
    const QString tempName = FileNameOf(dat1_);
    if (QFile::exists(tempName) && !QFile::remove(tempName))
        Raise(QStringLiteral("Soubor „%1“ nelze nahradit.").arg(tempName));
    dat1_.SetActive(true);
    dat1_.AddField(kind_.Field1.toStdString(), dtString, fieldSize);
    dat1_.AddField(kind_.Field2.toStdString(), dtString, fieldSize);
    dat1_.SetDataType(marker);
    SetSaved(true);
    dat1_.AppendRecord();
    datGrid1_->LoadFromDat();
    ShowRecordCount();
}

void TLessonWindow::OpenFile(const QString& fileName) {
    SetupColumns();
    SetLessonFile(fileName);
    FormTempName();
    CopyReplacing(fileName, FileNameOf(dat1_));
    dat1_.SetActive(true);
    datGrid1_->LoadFromDat();
    SetSaved(true);
    ShowRecordCount();
}

bool TLessonWindow::Save() {
    if (lessonFile_ == NewLessonName)
        return SaveAs();
    StoreGrid();
    const int32_t last = dat1_.RecordCount();
    if (last > 0 && dat1_.ReadString(kind_.Field1.toStdString(), last).empty())
        dat1_.DeleteRecord(last);
    datGrid1_->LoadFromDat();
    ShowRecordCount();
    RequireWorkingCopy();
    dat1_.SetActive(false);
    try {
        ReplaceWhole(FileNameOf(dat1_), lessonFile_);
    } catch (...) {
        dat1_.SetActive(true);
        throw;
    }
    dat1_.SetActive(true);
    SetSaved(true);
    return true;
}

bool TLessonWindow::SaveAs() {
    TFileDialog& dialog = FMain->SaveDialog1;
    if (!dialog.Execute(this))
        return false;
    const QString fileName = dialog.AppendMissingExtension(LessonExtension);
    if (!MayOverwrite(fileName))
        return false;
    SetLessonFile(fileName);
    return Save();
}

void TLessonWindow::StoreGrid() {
    const bool rowHoldsText =
        !datGrid1_->Cells(1, 1).isEmpty() || !datGrid1_->Cells(2, 1).isEmpty();
    if (dat1_.Active() && dat1_.RecordCount() == 0 && rowHoldsText)
        dat1_.AppendRecord();
    datGrid1_->SaveToDat();
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
    StoreGrid();
    dat1_.AppendRecord();
    datGrid1_->LoadFromDat();
    datGrid1_->SetRow(row + 1);
    ShowRecordCount();
    RequireWorkingCopy();
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
    if (!dat1_.Active() || row > dat1_.RecordCount())
        return;
    StoreGrid();
    dat1_.DeleteRecord(row);
    datGrid1_->LoadFromDat();
    datGrid1_->SetRow(std::min(row, datGrid1_->RowCount() - 1));
    ShowRecordCount();
    SetSaved(false);
    RequireWorkingCopy();
}

// The table closes itself when a write to its file fails; a working copy in that state is never
// copied over the lesson, and the author hears of it at once.
void TLessonWindow::RequireWorkingCopy() const {
    if (!dat1_.Active())
        Raise(QStringLiteral("Pracovní kopii lekce „%1“ nelze zapsat.").arg(FileNameOf(dat1_)));
}

void TLessonWindow::ExportCsv(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Raise(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, file.errorString()));
    const std::string field1 = kind_.Field1.toStdString();
    const std::string field2 = kind_.Field2.toStdString();
    const int32_t count = dat1_.RecordCount();
    QByteArray text;
    for (int32_t record = 1; record <= count; ++record) {
        text += '"' + QByteArray::fromStdString(dat1_.ReadString(field1, record)) + "\";\"";
        text += QByteArray::fromStdString(dat1_.ReadString(field2, record)) + "\";\r\n";
    }
    if (file.write(text) != text.size())
        Raise(QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, file.errorString()));
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
    (frame ? frame : this)->deleteLater();
}

void TLessonWindow::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
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
