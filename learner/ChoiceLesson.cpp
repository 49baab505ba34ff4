#include "ChoiceLesson.h"

#include "Application.h"
#include "ChoiceGrid.h"
#include "DrillWindow.h"
#include "Random.h"
#include "UMain.h"
#include "Windows.h"

#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <chrono>

namespace learner {

namespace {

constexpr int BandHeight = 117;
constexpr std::chrono::milliseconds MissShownFor{1200};
// One answer a cell: never more answers on the grid than it has cells.
constexpr int32_t MostAnswers = TChoiceGrid::ColCount * TChoiceGrid::RowCount;
const QColor MissColour(255, 0, 0);

// The design place was chosen on a wide screen; on a smaller one the window comes as close to it
// as the screen lets it, whole.
QPoint OnScreen(const QRect& frame) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    return {std::max(screen.left(), std::min(frame.left(), screen.right() + 1 - frame.width())),
            std::max(screen.top(), std::min(frame.top(), screen.bottom() + 1 - frame.height()))};
}

} // namespace

TChoiceLesson::TChoiceLesson(const TChoiceLessonTwin& twin, QWidget* parent)
    : QWidget(parent), twin_(twin) {
    TimChyba.setObjectName(QStringLiteral("TimChyba"));
    TimChyba.setInterval(MissShownFor);
    connect(&TimChyba, &QTimer::timeout, this,
            platform::ReportingErrors([this] { TimChybaTimer(); }));
}

TChoiceLesson::~TChoiceLesson() = default;

void TChoiceLesson::Attach(const TChoiceControls& controls) {
    ui_ = controls;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowCloseButtonHint;
    if (twin_.Sizeable)
        flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    if (!twin_.Sizeable)
        setFixedSize(size());
    if (twin_.DesignFrame)
        move(OnScreen(*twin_.DesignFrame));

    StyleDrillWindow(*this, *ui_.Shape1, *ui_.Image1, *ui_.GroupBox1);
    ui_.Label1->setFont(platform::LayoutFont(16, true));
    ui_.Grid1->setFont(platform::LayoutFont(11, true));

    ui_.Grid1->OnDrawCell = [this](int col, int row, const QRect& rect, QPainter& canvas) {
        Grid1DrawCell(col, row, rect, canvas);
    };
    ui_.Grid1->OnMouseDown = platform::ReportingErrors(
        [this](Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) { Grid1MouseDown(x, y); });
}

void TChoiceLesson::Start(const QString& fileName, uint8_t groupSize, uint8_t repeats) {
    // The display of a miss belongs to the lesson that is being replaced.
    TimChyba.stop();
    Random().SeedFromClock();
    try {
        drill_.Load(Dat1, QFile::encodeName(fileName).toStdString(), twin_.Fields, groupSize,
                    repeats);
    } catch (...) {
        // Whatever the window showed belongs to a lesson it no longer holds.
        hide();
        throw;
    }
    FMain->ShuffleOrder(drill_.Order, drill_.Count);
    SetPosition(0);
    ShowQuestion();
    if (drill_.HasCurrent())
        ShowWindow();
}

void TChoiceLesson::SetPosition(int32_t p) {
    if (drill_.GroupSize == 0 || drill_.GroupSize > MostAnswers)
        drill_.GroupSize = MostAnswers;
    drill_.SetPosition(p);
}

void TChoiceLesson::ShowQuestion() {
    ShowScore(drill_, {ui_.LbSpravne, ui_.LbSpatne, ui_.LbJesteZbyva, ui_.LbUspesnost});
    if (!drill_.HasCurrent()) {
        AnnounceLessonEnd();
        close();
        return;
    }
    ExtendGroup();
    ShowGroup(drill_, *ui_.LbSkupina);
    const QString& question = twin_.Fields.Question(drill_.Current());
    ui_.Label1->setText(twin_.ShownQuestion(FMain->StripMarks(question)));
    FillGrid();
}

// The last item of a group is asked with the answers of the next group beside its own, so that
// its answer is not the only one left to click. The grid keeps the current item and the places
// right after it, as many as it has cells.
void TChoiceLesson::ExtendGroup() {
    if (drill_.Pos != drill_.GroupEnd || drill_.Pos + 1 >= drill_.Count)
        return;
    drill_.GroupEnd = std::min({drill_.GroupEnd + int32_t(drill_.GroupSize), drill_.Count - 1,
                                drill_.Pos + MostAnswers - 1});
}

void TChoiceLesson::FillGrid() {
    TChoiceGrid& grid = *ui_.Grid1;
    grid.Clear();
    for (int32_t place = drill_.Pos; place <= drill_.GroupEnd; ++place) {
        int col = 0;
        int row = 0;
        do {
            col = Random().Draw(TChoiceGrid::ColCount);
            row = Random().Draw(TChoiceGrid::RowCount);
        } while (!grid.Cells(col, row).isEmpty());
        grid.SetCells(col, row,
                      twin_.Fields.Answer(drill_.Items[size_t(drill_.Order[size_t(place)])]));
    }
}

void TChoiceLesson::ShowMistake() {
    FMain->PlayError();
    if (!TimChyba.isActive())
        TimChyba.start();
    ui_.Grid1->repaint();
}

// The cell that holds the answer exactly as stored is always right, hints and alternatives
// included, or a lesson with such answers could never end; another cell is right when its text
// is one of the accepted answers.
bool TChoiceLesson::IsRightAnswer(const QString& cell) const {
    const QString& answer = twin_.Fields.Answer(drill_.Current());
    return cell == answer || FMain->CheckAnswer(cell, answer);
}

void TChoiceLesson::Grid1MouseDown(int x, int y) {
    // While the right answer is shown the learner reads it, as after a miss in the typed tests.
    if (TimChyba.isActive())
        return;
    const QString cell =
        ui_.Grid1->Cells(x / TChoiceGrid::DefaultColWidth, y / TChoiceGrid::DefaultRowHeight);
    if (!drill_.HasCurrent() || cell.isEmpty())
        return;
    if (IsRightAnswer(cell)) {
        FMain->PlayCorrect();
        ++drill_.Spravne;
        SetPosition(drill_.Pos + 1);
        ShowQuestion();
    } else {
        ++drill_.Chybne;
        ShowMistake();
    }
}

void TChoiceLesson::Grid1DrawCell(int col, int row, const QRect& rect, QPainter& canvas) const {
    const QString text = ui_.Grid1->Cells(col, row);
    canvas.fillRect(rect, ui_.Grid1->palette().color(QPalette::Button));
    DrawCentredText(canvas, rect, text);
    if (TimChyba.isActive() && drill_.HasCurrent() &&
        text == twin_.Fields.Answer(drill_.Current())) {
        canvas.fillRect(rect, MissColour);
        DrawCentredText(canvas, rect, text);
    }
}

void TChoiceLesson::TimChybaTimer() {
    TimChyba.stop();
    FMain->RequeueMissed(drill_.Order, drill_.Pos, drill_.Count, drill_.GroupEnd);
    ShowQuestion();
}

void TChoiceLesson::ShowWindow() {
    if (!twin_.DesignFrame) {
        ShowDrillWindow(*this);
        return;
    }
    show();
    raise();
    activateWindow();
}

void TChoiceLesson::closeEvent(QCloseEvent* event) {
    // A window that is not seen shows no miss; the lesson stays until the next start.
    TimChyba.stop();
    event->accept();
}

void TChoiceLesson::resizeEvent(QResizeEvent* event) {
    // The dark band runs along the whole top edge, however wide the window is made.
    if (ui_.Shape1)
        ui_.Shape1->resize(width(), BandHeight);
    QWidget::resizeEvent(event);
}

} // namespace learner
