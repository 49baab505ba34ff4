#include "UMain.h"

#include "Application.h"
#include "Assets.h"
#include "Dialogs.h"
#include "Jpeg.h"
#include "LessonInfo.h"
#include "NumberText.h"
#include "Placement.h"
#include "Quiz.h"
#include "RecentLessons.h"
#include "Shell.h"
#include "UAbout.h"
#include "USetup.h"
#include "UTest1.h"
#include "UTest2.h"
#include "UVyuka1.h"
#include "UVyuka2.h"
#include "WindowLook.h"
#include "Windows.h"
#include "ui_UMain.h"
#include "ui_USetup.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTreeWidget>
#include <stdexcept>

namespace learner {

namespace {

const QColor HoverColour(0xFF, 0xFF, 0x00);
const QColor LeftColour(0x00, 0x00, 0x00);

// The drills take their settings as bytes: the low 8 bits, so 300 gives 44 and 256 gives 0,
// the whole lesson.
uint8_t LowByte(int32_t value) {
    return static_cast<uint8_t>(value);
}

} // namespace

TFMain::TFMain(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TFMain>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(462, 350);
    setFont(platform::LayoutFont(11));
    SetBackground(this, palette().color(QPalette::Button));
    StyleSideBar();

    ui->Image1->setPixmap(QPixmap::fromImage(platform::LoadJpegResource(assets::MainLogo())));
    ui->LVOtevr->setColumnWidth(0, 100);
    ui->LVOtevr->setColumnHidden(1, true);
    QPalette listPalette = ui->LVOtevr->palette();
    listPalette.setColor(QPalette::Base, palette().color(QPalette::Button));
    ui->LVOtevr->setPalette(listPalette);

    ConnectHandlers();
    FormCreate();
}

TFMain::~TFMain() = default;

void TFMain::StyleSideBar() {
    SetBackground(ui->Shape1, BandColour);
    for (QWidget* label : {ui->LbSetup, ui->LbClose, ui->LbAbout, ui->LbEditor}) {
        label->setFont(platform::LayoutFont(11, true));
        SetBackground(label, BandColour);
    }
    // White reads better than the window text on the dark bar; the mode choice is always
    // visible, so it has to be legible at a glance.
    for (QWidget* radio : {ui->RadioButton1, ui->RadioButton2}) {
        radio->setFont(platform::LayoutFont(11, true));
        SetBackground(radio, BandColour);
        SetTextColour(radio, Qt::white);
    }
}

void TFMain::ConnectHandlers() {
    connect(ui->Ukoncit, &QAction::triggered, this, &TFMain::UkoncitExecute);
    connect(ui->Nastaveni, &QAction::triggered, this, &TFMain::NastaveniExecute);
    connect(ui->OProgramu, &QAction::triggered, this, &TFMain::OProgramuExecute);
    connect(ui->Editor, &QAction::triggered, this, &TFMain::EditorExecute);

    connect(ui->LVOtevr, &QTreeWidget::itemDoubleClicked, this,
            platform::ReportingErrors([this] { LVOtevrDblClick(); }));
    connect(ui->Button1, &QPushButton::clicked, this,
            platform::ReportingErrors([this] { Button1Click(); }));

    connect(ui->LbEditor, &TSideBarLabel::Click, this, &TFMain::EditorExecute);
    connect(ui->LbEditor, &TSideBarLabel::MouseMove, this, &TFMain::LbEditorMouseMove);
    connect(ui->LbEditor, &TSideBarLabel::MouseLeave, this, &TFMain::LbEditorMouseLeave);
    connect(ui->LbSetup, &TSideBarLabel::Click, this, &TFMain::NastaveniExecute);
    connect(ui->LbSetup, &TSideBarLabel::MouseMove, this, &TFMain::LbSetupMouseMove);
    connect(ui->LbSetup, &TSideBarLabel::MouseLeave, this, &TFMain::LbSetupMouseLeave);
    connect(ui->LbAbout, &TSideBarLabel::Click, this, &TFMain::OProgramuExecute);
    connect(ui->LbAbout, &TSideBarLabel::MouseMove, this, &TFMain::LbAboutMouseMove);
    connect(ui->LbAbout, &TSideBarLabel::MouseLeave, this, &TFMain::LbAboutMouseLeave);
    connect(ui->LbClose, &TSideBarLabel::Click, this, &TFMain::UkoncitExecute);
    connect(ui->LbClose, &TSideBarLabel::MouseMove, this, &TFMain::LbCloseMouseMove);
    connect(ui->LbClose, &TSideBarLabel::MouseLeave, this, &TFMain::LbCloseMouseLeave);
}

void TFMain::FormCreate() {
    // Only the kind marker is read here, so a lesson the learner may not write to opens too.
    Dat1.SetReadOnly(true);
    Dat1.SetCreateFile(false);
    RecentFiles.Refresh = [this] { FillRecentLessons(*ui->LVOtevr, RecentFiles); };
}

void TFMain::showEvent(QShowEvent* event) {
    if (!started_) {
        started_ = true;
        FormShow();
    }
    QWidget::showEvent(event);
}

void TFMain::closeEvent(QCloseEvent* event) {
    // A window that never showed has not loaded the settings; saving would overwrite them.
    if (started_)
        FormClose();
    event->accept();
}

void TFMain::FormShow() {
    LoadSetup();
    PlaceWindow();
    OpenSound(MPChyba, QStringLiteral("chyba.wav"));
    OpenSound(MPSpravne, QStringLiteral("spravne.wav"));
    RecentFiles.Refresh();
}

void TFMain::FormClose() {
    Setup.Top = y();
    Setup.Left = x();
    // Settings that cannot be written are worth a message, not sounds left open.
    try {
        SaveSetup();
    } catch (const std::runtime_error& error) {
        platform::ReportError(error);
    }
    MPSpravne.Close();
    MPChyba.Close();
}

void TFMain::PlaceWindow() {
    // A place saved with a screen that is gone would leave the window out of reach; one a little
    // past an edge still leaves enough of the title bar to take it by.
    if (!platform::TitleBarWithinReach(Setup.Left, Setup.Top, frameGeometry().width())) {
        const QPoint centre = CentredPosition();
        Setup.Left = centre.x();
        Setup.Top = centre.y();
    }
    move(Setup.Left, Setup.Top);
}

QPoint TFMain::CentredPosition() const {
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const QSize window = frameGeometry().size();
    return {(screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2};
}

void TFMain::OpenSound(platform::SoundPlayer& player, const QString& fileName) {
    player.SetFileName(Setup.Path + fileName);
    // A missing sound is worth one message, not the loss of the rest of the start.
    try {
        player.Open();
    } catch (const std::runtime_error& error) {
        platform::dialogs().Error(QString::fromUtf8(error.what()));
    }
}

void TFMain::PlayError() {
    if (Setup.Zvuk)
        MPChyba.Play();
}

void TFMain::PlayCorrect() {
    if (Setup.Zvuk)
        MPSpravne.Play();
}

QString TFMain::StripMarks(const QString& text) const {
    return learner::StripMarks(text);
}

bool TFMain::CheckAnswer(const QString& answer, const QString& expected) const {
    return learner::CheckAnswer(answer, expected);
}

void TFMain::ShuffleOrder(std::vector<int32_t>& order, int32_t count) const {
    learner::ShuffleOrder(order, count);
}

void TFMain::RequeueMissed(std::vector<int32_t>& order, int32_t pos, int32_t count,
                           int32_t groupEnd) const {
    learner::RequeueMissed(order, pos, count, groupEnd);
}

void TFMain::OpenLesson(const QString& name) {
    const std::string fileName = QFile::encodeName(name).toStdString();
    if (!Dat1.IsCompatibleFile(fileName))
        return;
    RecentFiles.Add(name);
    Dat1.SetFileName(fileName);
    Dat1.SetActive(true);
    std::string marker;
    Dat1.GetDataType(marker);
    Dat1.SetActive(false);
    OpeningLesson(name, [&] { StartDrill(name, LessonKindOf(marker)); });
}

void TFMain::StartDrill(const QString& name, LessonKind kind) {
    if (ui->RadioButton1->isChecked()) {
        const uint8_t groupSize = Setup.ZkoZkousetCelou ? 0 : LowByte(Setup.ZkoZkousetPo);
        const uint8_t repeats = LowByte(Setup.ZkoVyrazKrat);
        if (kind == LessonKind::QuestionAnswer)
            FTest1->Start(name, groupSize, repeats);
        else if (kind == LessonKind::FillIn)
            FTest2->Start(name, groupSize, repeats);
    }
    if (ui->RadioButton2->isChecked()) {
        const uint8_t groupSize = Setup.VyuZkousetCelou ? 0 : LowByte(Setup.VyuZkousetPo);
        const uint8_t repeats = LowByte(Setup.VyuVyrazKrat);
        if (kind == LessonKind::QuestionAnswer)
            FVyuka1->Start(name, groupSize, repeats);
        else if (kind == LessonKind::FillIn)
            FVyuka2->Start(name, groupSize, repeats);
    }
}

void TFMain::LVOtevrDblClick() {
    const QTreeWidgetItem* row = ui->LVOtevr->currentItem();
    if (row == nullptr || !row->isSelected())
        return;
    const int entry = row->data(0, Qt::UserRole).toInt();
    if (entry < 1 || entry > RecentFiles.Count)
        return;
    // A copy: opening moves the entries of the list about.
    const QString path = RecentFiles.Items[size_t(entry)];
    OpenLesson(path);
}

void TFMain::Button1Click() {
    const QString name =
        platform::dialogs().OpenFileName(this, QStringLiteral("Lexiquil (*.lq)"), QString());
    if (!name.isEmpty())
        OpenLesson(name);
}

void TFMain::UkoncitExecute() {
    close();
}

void TFMain::OProgramuExecute() {
    FAbout->exec();
}

void TFMain::EditorExecute() {
    const QString program = Setup.Path + platform::ExecutableName(QStringLiteral("lexforge"));
    if (QFileInfo(program).isFile())
        platform::shell().StartProgram(program);
    else
        platform::dialogs().Error(QStringLiteral("Program je nepřístupný."));
}

void TFMain::NastaveniExecute() {
    Ui::TFSetup& dialog = FSetup->Controls();
    dialog.EdZkoZkousetPo->setText(QString::number(Setup.ZkoZkousetPo));
    dialog.EdZkoVyrazKrat->setText(QString::number(Setup.ZkoVyrazKrat));
    dialog.ChBZkoZkousetCelou->setChecked(Setup.ZkoZkousetCelou);
    dialog.EdVyuZkousetPo->setText(QString::number(Setup.VyuZkousetPo));
    dialog.EdVyuVyrazKrat->setText(QString::number(Setup.VyuVyrazKrat));
    dialog.ChBVyuZkousetCelou->setChecked(Setup.VyuZkousetCelou);
    dialog.ChBZvuk->setChecked(Setup.Zvuk);
    if (FSetup->exec() != QDialog::Accepted)
        return;
    Setup.ZkoZkousetPo = platform::IntegerOfText(dialog.EdZkoZkousetPo->text());
    Setup.ZkoVyrazKrat = platform::IntegerOfText(dialog.EdZkoVyrazKrat->text());
    Setup.ZkoZkousetCelou = dialog.ChBZkoZkousetCelou->isChecked();
    Setup.VyuZkousetPo = platform::IntegerOfText(dialog.EdVyuZkousetPo->text());
    Setup.VyuVyrazKrat = platform::IntegerOfText(dialog.EdVyuVyrazKrat->text());
    Setup.VyuZkousetCelou = dialog.ChBVyuZkousetCelou->isChecked();
    Setup.Zvuk = dialog.ChBZvuk->isChecked();
}

void TFMain::LbEditorMouseMove() {
    SetTextColour(ui->LbEditor, HoverColour);
}
void TFMain::LbEditorMouseLeave() {
    SetTextColour(ui->LbEditor, LeftColour);
}
void TFMain::LbSetupMouseMove() {
    SetTextColour(ui->LbSetup, HoverColour);
}
void TFMain::LbSetupMouseLeave() {
    SetTextColour(ui->LbSetup, LeftColour);
}
void TFMain::LbAboutMouseMove() {
    SetTextColour(ui->LbAbout, HoverColour);
}
void TFMain::LbAboutMouseLeave() {
    SetTextColour(ui->LbAbout, LeftColour);
}
void TFMain::LbCloseMouseMove() {
    SetTextColour(ui->LbClose, HoverColour);
}
void TFMain::LbCloseMouseLeave() {
    SetTextColour(ui->LbClose, LeftColour);
}

} // namespace learner
