#include "TypedTest.h"

#include "Application.h"
#include "DrillWindow.h"
#include "Random.h"
#include "UMain.h"
#include "Windows.h"
#include "ui_TypedTest.h"

#include <QCloseEvent>
#include <QFile>

namespace learner {

TTypedTest::TTypedTest(const TTypedTestTwin& twin, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TTypedTest>()), twin_(twin) {
    setObjectName(QString::fromLatin1(twin_.ObjectName));
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(twin_.Caption);
    setFixedSize(width(), twin_.ClientHeight);
    ui->Label1->resize(ui->Label1->width(), twin_.QuestionHeight);
    ui->Edit1->move(ui->Edit1->x(), twin_.AnswerTop);
    ui->Button1->move(ui->Button1->x(), twin_.AnswerTop);

    StyleDrillWindow(*this, *ui->Shape1, *ui->Image1, *ui->GroupBox1);
    ui->Label1->setFont(platform::LayoutFont(16, true));
    ui->Edit1->setFont(platform::LayoutFont(16, true));
    // After a miss the disabled field shows the right answer, which must read as clearly as
    // the question; the field's grey background already says that it takes nothing.
    QPalette answerPalette = ui->Edit1->palette();
    answerPalette.setColor(QPalette::Disabled, QPalette::Text,
                           answerPalette.color(QPalette::Active, QPalette::Text));
    ui->Edit1->setPalette(answerPalette);

    // Enter is the only key the test takes; every other key is the answer field's.
    connect(ui->Edit1, &QLineEdit::returnPressed, this,
            platform::ReportingErrors([this] { Edit1KeyPress(); }));
    connect(ui->Button1, &QPushButton::clicked, this,
            platform::ReportingErrors([this] { Button1Click(); }));
}

TTypedTest::~TTypedTest() = default;

void TTypedTest::Start(const QString& fileName, uint8_t groupSize, uint8_t repeats) {
    Random().SeedFromClock();
    try {
        drill_.Load(Dat1, QFile::encodeName(fileName).toStdString(), twin_.Fields, groupSize,
                    repeats);
    } catch (...) {
        // Whatever the window showed belongs to a lesson it no longer holds.
        close();
        throw;
    }
    FMain->ShuffleOrder(drill_.Order, drill_.Count);
    SetPosition(0);
    ShowQuestion();
    if (drill_.HasCurrent())
        ShowDrillWindow(*this);
}

void TTypedTest::SetPosition(int32_t p) {
    drill_.SetPosition(p);
}

void TTypedTest::ShowQuestion() {
    ShowScore(drill_, {ui->LbSpravne, ui->LbSpatne, ui->LbJesteZbyva, ui->LbUspesnost});
    if (!drill_.HasCurrent()) {
        ui->Edit1->setEnabled(false);
        ui->Button1->setEnabled(false);
        AnnounceLessonEnd();
        close();
        return;
    }
    ShowGroup(drill_, *ui->LbSkupina);
    const QString& question = twin_.Fields.Question(drill_.Current());
    ui->Label1->setText(twin_.ShownQuestion(FMain->StripMarks(question)));
    ui->Edit1->clear();
    ui->Edit1->setEnabled(true);
    ui->Button1->setEnabled(false);
    ui->Edit1->setFocus();
}

void TTypedTest::Edit1KeyPress() {
    if (!drill_.HasCurrent())
        return;
    const QString& expected = twin_.Fields.Answer(drill_.Current());
    if (FMain->CheckAnswer(ui->Edit1->text(), expected)) {
        ++drill_.Spravne;
        FMain->PlayCorrect();
        SetPosition(drill_.Pos + 1);
        ShowQuestion();
        return;
    }
    ++drill_.Chybne;
    FMain->PlayError();
    ui->Edit1->setText(expected);
    FMain->RequeueMissed(drill_.Order, drill_.Pos, drill_.Count, drill_.GroupEnd);
    ui->Edit1->setEnabled(false);
    ui->Button1->setEnabled(true);
    ui->Button1->setFocus();
}

void TTypedTest::Button1Click() {
    ShowQuestion();
}

void TTypedTest::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TTypedTest::FormClose() {
    drill_.Drop();
    // Nothing is left to answer until the next start.
    ui->Edit1->setEnabled(false);
    ui->Button1->setEnabled(false);
}

} // namespace learner
