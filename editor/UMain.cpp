#include "UMain.h"

#include "Application.h"
#include "Icons.h"
#include "LessonInfo.h"
#include "MdiArrange.h"
#include "UAbout.h"
#include "UTest1.h"
#include "UTest2.h"
#include "Windows.h"
#include "ui_UMain.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QMenu>
#include <QToolButton>
#include <array>
#include <exception>

namespace editor {

namespace {

const QString LessonFilter = QStringLiteral("Soubory slovní zásoby (*.lq)");
const QString CsvFilter = QStringLiteral("Hodnoty oddělené středníkem (*.csv)");
const QColor LinkColour(0x00, 0x00, 0x80);

void SetColour(QWidget& widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(role, colour);
    widget.setPalette(palette);
}

void SetBackground(QWidget& widget, const QColor& colour) {
    SetColour(widget, QPalette::Window, colour);
    widget.setAutoFillBackground(true);
}

// Closes the table however the reading of its marker ends.
class ActiveWhileInScope {
public:
    explicit ActiveWhileInScope(TDat& dat) : dat_(dat) { dat_.SetActive(true); }
    ~ActiveWhileInScope() { dat_.SetActive(false); }
    ActiveWhileInScope(const ActiveWhileInScope&) = delete;
    ActiveWhileInScope& operator=(const ActiveWhileInScope&) = delete;

private:
    TDat& dat_;
};

} // namespace

TFMain::TFMain(QWidget* parent)
    : QMainWindow(parent), OpenDialog1(TFileDialog::Kind::Open, LessonFilter),
      SaveDialog1(TFileDialog::Kind::Save, LessonFilter),
      SaveDialogExp(TFileDialog::Kind::Save, CsvFilter), ui(std::make_unique<Ui::TFMain>()) {
    ui->setupUi(this);
    setFont(platform::LayoutFont(11));
    move(195, 115);
    // The table only reads a marker: opened read-only it never makes a file of a mistyped
    // name, and a lesson the author may not write still opens for editing into a copy.
    Dat1.SetAutoActive(false);
    Dat1.SetIndexing(false);
    Dat1.SetReadOnly(true);

    // The commands carry the shortcuts, which only work for actions the window holds.
    addActions({ui->OdebratZaznam, ui->OProgramu, ui->NaSebe, ui->NadSebe, ui->Seradit, ui->Novy,
                ui->Otevrit, ui->Ulozit, ui->UlozitJako, ui->Ukoncit, ui->Zavrit, ui->ExportMenu,
                ui->VlozMinulyCas, ui->VlozPredminCas, ui->VlozPredpritCas,
                ui->VlozPricestiMinule});

    PMOtev = new QMenu(this);
    PMOtev->setObjectName(QStringLiteral("PMOtev"));
    for (size_t k = 0; k < MOtev.size(); ++k) {
        MOtev[k] = PMOtev->addAction(QString());
        MOtev[k]->setObjectName(QStringLiteral("MOtev%1").arg(k + 1));
        MOtev[k]->setVisible(false);
    }
    auto* openButton = static_cast<QToolButton*>(ui->ToolBar1->widgetForAction(ui->ToolButton2));
    openButton->setMenu(PMOtev);
    openButton->setPopupMode(QToolButton::MenuButtonPopup);
    auto* insertButton = static_cast<QToolButton*>(ui->ToolBar1->widgetForAction(ui->ToolButton6));
    insertButton->setMenu(ui->Vlozit1);
    insertButton->setPopupMode(QToolButton::InstantPopup);

    SetIcons();
    StyleStartPanel();
    ConnectHandlers();
    FormCreate();
}

TFMain::~TFMain() {
    // Lesson windows go first, while the settings and the dialogs that they use still exist.
    for (QMdiSubWindow* child : ui->MdiArea->subWindowList())
        delete child;
}

void TFMain::SetIcons() {
    const std::array<std::pair<QAction*, int>, 14> pictures = {{
        {ui->Novy, 0},
        {ui->Otevrit, 1},
        {ui->Ulozit, 2},
        {ui->Zavrit, 3},
        {ui->Novy1, 0},
        {ui->Otevrit1, 1},
        {ui->Ulozit1, 2},
        {ui->Zavrit1, 3},
        {ui->ToolButton1, 0},
        {ui->ToolButton2, 1},
        {ui->ToolButton3, 2},
        {ui->ToolButton4, 3},
        {ui->ToolButton6, 4},
        {ui->Vlozit1->menuAction(), 4},
    }};
    for (const auto& [action, index] : pictures)
        action->setIcon(ImageList1(index));
    // The lesson windows show it too, as they have none of their own.
    setWindowIcon(QIcon(NewLessonPicture()));
    ui->Image3->setPixmap(OpenLessonPicture());
    ui->Image4->setPixmap(NewLessonPicture());
    ui->SpeedButton3->setIcon(PanelCloseGlyph());
}

void TFMain::StyleStartPanel() {
    SetBackground(*ui->PanNovy, palette().color(QPalette::Button));
    SetBackground(*ui->PanBody, Qt::white);
    for (QLabel* heading : {ui->LbLekce, ui->LbOtevritExistujici, ui->LbVytvoritNovou})
        heading->setFont(platform::LayoutFont(11, true));
    for (QFrame* line : {ui->Bevel1, ui->Bevel2})
        SetBackground(*line, Qt::gray);
    for (TClickLabel* link :
         {ui->Label3, ui->Label5, ui->LbOtev1, ui->LbOtev2, ui->LbOtev3, ui->LbOtev4})
        SetColour(*link, QPalette::WindowText, LinkColour);
    for (TClickLabel* label : {ui->LbOtev1, ui->LbOtev2, ui->LbOtev3, ui->LbOtev4})
        label->hide();
    // Links are only as wide as their text, so that the blank beside them is no link.
    for (QLabel* label :
         {ui->LbLekce, static_cast<QLabel*>(ui->Label3), static_cast<QLabel*>(ui->Label5)})
        label->adjustSize();
}

void TFMain::Connect(QAction* action, void (TFMain::*handler)()) {
    connect(action, &QAction::triggered, this,
            platform::ReportingErrors([this, handler] { (this->*handler)(); }));
}

void TFMain::Connect(TClickLabel* label, void (TFMain::*handler)()) {
    connect(label, &TClickLabel::Click, this,
            platform::ReportingErrors([this, handler] { (this->*handler)(); }));
}

void TFMain::ConnectHandlers() {
    // The commands, which carry the shortcuts and the enabled state.
    Connect(ui->OdebratZaznam, &TFMain::OdebratZaznamExecute);
    Connect(ui->OProgramu, &TFMain::OprogramuExecute);
    Connect(ui->NaSebe, &TFMain::NaSebeExecute);
    Connect(ui->NadSebe, &TFMain::NadSebeExecute);
    Connect(ui->Seradit, &TFMain::VedleSebeExecute);
    Connect(ui->Novy, &TFMain::NovyTest1Execute);
    Connect(ui->Otevrit, &TFMain::OtevritExecute);
    Connect(ui->Ulozit, &TFMain::UlozitExecute);
    Connect(ui->UlozitJako, &TFMain::UlozitJakoExecute);
    Connect(ui->Ukoncit, &TFMain::UkoncitExecute);
    Connect(ui->Zavrit, &TFMain::ZavritExecute);
    Connect(ui->ExportMenu, &TFMain::ExportMenuExecute);
    Connect(ui->VlozMinulyCas, &TFMain::VlozMinulyCasExecute);
    Connect(ui->VlozPredminCas, &TFMain::VlozPredminCasExecute);
    Connect(ui->VlozPredpritCas, &TFMain::VlozPredpritCasExecute);
    Connect(ui->VlozPricestiMinule, &TFMain::VlozPricestiMinuleExecute);

    // The menu items call the handlers themselves and stay enabled.
    Connect(ui->Novy1, &TFMain::ZobrazPanNovyExecute);
    Connect(ui->Otevrit1, &TFMain::OtevritExecute);
    Connect(ui->Zavrit1, &TFMain::ZavritExecute);
    Connect(ui->Ulozit1, &TFMain::UlozitExecute);
    Connect(ui->UlozitJako1, &TFMain::UlozitJakoExecute);
    Connect(ui->Export1, &TFMain::ExportMenuExecute);
    Connect(ui->Ukoncit1, &TFMain::UkoncitExecute);
    Connect(ui->PredpritCas1, &TFMain::VlozPredpritCasExecute);
    Connect(ui->PricestiMinule1, &TFMain::VlozPricestiMinuleExecute);
    Connect(ui->PredminCas1, &TFMain::VlozPredminCasExecute);
    Connect(ui->MinulyCas1, &TFMain::VlozMinulyCasExecute);
    Connect(ui->OdebratZaznam1, &TFMain::OdebratZaznamExecute);
    Connect(ui->NaSebe1, &TFMain::NaSebeExecute);
    Connect(ui->NadSebe1, &TFMain::NadSebeExecute);
    Connect(ui->SeraditIkony1, &TFMain::VedleSebeExecute);
    Connect(ui->OProgramu1, &TFMain::OprogramuExecute);

    Connect(ui->ToolButton1, &TFMain::ZobrazPanNovyExecute);
    Connect(ui->ToolButton2, &TFMain::OtevritExecute);
    Connect(ui->ToolButton3, &TFMain::UlozitExecute);
    Connect(ui->ToolButton4, &TFMain::ZavritExecute);

    connect(ui->SpeedButton3, &QToolButton::clicked, this, &TFMain::SpeedButton3Click);
    Connect(ui->Image3, &TFMain::Label3Click);
    Connect(ui->Label3, &TFMain::Label3Click);
    Connect(ui->Image4, &TFMain::Label5Click);
    Connect(ui->Label5, &TFMain::Label5Click);
    const std::array<TClickLabel*, 4> labels = {ui->LbOtev1, ui->LbOtev2, ui->LbOtev3, ui->LbOtev4};
    for (int k = 1; k <= 4; ++k) {
        const auto openRecent = platform::ReportingErrors([this, k] { LbOtevClick(k); });
        connect(labels[size_t(k) - 1], &TClickLabel::Click, this, openRecent);
        connect(MOtev[size_t(k) - 1], &QAction::triggered, this, openRecent);
    }
}

void TFMain::FormCreate() {
    RecentFiles.Refresh = [this] { RefreshRecentFiles(); };
}

void TFMain::showEvent(QShowEvent* event) {
    if (!started_) {
        started_ = true;
        try {
            FormShow();
        } catch (const std::exception& error) {
            platform::ReportError(error);
        }
    }
    QMainWindow::showEvent(event);
}

void TFMain::closeEvent(QCloseEvent* event) {
    try {
        if (!CloseLessonWindows()) {
            event->ignore();
            return;
        }
        // A window that never showed has not loaded the settings; saving would overwrite them.
        if (started_)
            FormClose();
    } catch (const std::exception& error) {
        platform::ReportError(error);
    }
    event->accept();
}

void TFMain::FormShow() {
    LoadSetup();
    UpdateActions();
    RecentFiles.Refresh();
}

void TFMain::FormClose() {
    SaveSetup();
}

bool TFMain::CloseLessonWindows() {
    std::vector<TLessonWindow*> answered;
    for (QMdiSubWindow* child : ui->MdiArea->subWindowList(QMdiArea::CreationOrder))
        if (auto* window = qobject_cast<TLessonWindow*>(child->widget())) {
            if (!window->FormCloseQuery())
                return false;
            answered.push_back(window);
        }
    for (TLessonWindow* window : answered)
        window->CloseAnswered();
    return true;
}

void TFMain::UpdateActions() {
    const bool lessonOpen = !TLessonWindow::OpenWindows().empty();
    for (QAction* command :
         {ui->Ulozit, ui->UlozitJako, ui->ExportMenu, ui->Zavrit, ui->OdebratZaznam,
          ui->VlozPredminCas, ui->VlozPredpritCas, ui->VlozPricestiMinule, ui->VlozMinulyCas})
        command->setEnabled(lessonOpen);
    ui->PanNovy->setVisible(!lessonOpen);
}

void TFMain::RefreshRecentFiles() {
    const std::array<TClickLabel*, 4> labels = {ui->LbOtev1, ui->LbOtev2, ui->LbOtev3, ui->LbOtev4};
    for (int32_t k = 1; k <= 4; ++k) {
        const bool shown = RecentFiles.Count >= k;
        const QString caption = shown ? FileNamePart(RecentFiles.Items[size_t(k)]) : QString();
        TClickLabel& label = *labels[size_t(k) - 1];
        QAction& item = *MOtev[size_t(k) - 1];
        label.setText(caption);
        item.setText(caption);
        label.setVisible(shown);
        item.setVisible(shown);
    }
}

void TFMain::LbOtevClick(int k) {
    if (k < 1 || k > RecentFiles.Count)
        return;
    // A copy: opening moves the entries of the list.
    const QString fileName = RecentFiles.Items[size_t(k)];
    if (QFileInfo(fileName).isFile())
        OpenLesson(fileName);
}

void TFMain::OpenLesson(const QString& FileName) {
    std::string marker;
    {
        Dat1.SetFileName(QFile::encodeName(FileName).toStdString());
        ActiveWhileInScope reading(Dat1);
        Dat1.GetDataType(marker);
    }
    OpeningLesson(FileName, [&] {
        switch (LessonKindOf(marker)) {
        case LessonKind::QuestionAnswer:
            AddLessonWindow<TFTest1>([&](TFTest1& window) { window.OpenFile(FileName); }, 1);
            break;
        case LessonKind::FillIn:
            AddLessonWindow<TFTest2>([&](TFTest2& window) { window.OpenFile(FileName); }, 2);
            break;
        case LessonKind::None:
            break;
        }
    });
    RecentFiles.Add(FileName);
    ui->PanNovy->hide();
    UpdateActions();
}

// A window whose lesson could not be made or opened goes again at once: it has no working copy,
// so nothing typed into it could ever be stored.
template <typename Window, typename Load> void TFMain::AddLessonWindow(Load load, int tag) {
    auto* window = new Window;
    QMdiSubWindow* child = ui->MdiArea->addSubWindow(window);
    child->show();
    ui->MdiArea->setActiveSubWindow(child);
    try {
        load(*window);
    } catch (const std::exception&) {
        window->Discard();
        throw;
    }
    window->SetTag(tag);
}

TLessonWindow* TFMain::ActiveLessonWindow() const {
    const QMdiSubWindow* child = ui->MdiArea->currentSubWindow();
    return child ? qobject_cast<TLessonWindow*>(child->widget()) : nullptr;
}

TLessonWindow* TFMain::CommandTarget() const {
    TLessonWindow* window = ActiveLessonWindow();
    if (window == nullptr || (window->Tag() != 1 && window->Tag() != 2))
        return nullptr;
    return window;
}

void TFMain::NovyTest1Execute() {
    AddLessonWindow<TFTest1>([](TFTest1& window) { window.NewFile(); }, 1);
    UpdateActions();
    ui->PanNovy->hide();
}

void TFMain::OtevritExecute() {
    if (OpenDialog1.Execute(this))
        OpenLesson(OpenDialog1.FileName());
}

void TFMain::UlozitExecute() {
    if (TLessonWindow* window = CommandTarget())
        window->Save();
}

void TFMain::UlozitJakoExecute() {
    if (TLessonWindow* window = CommandTarget())
        window->SaveAs();
}

void TFMain::ZavritExecute() {
    if (TLessonWindow* window = CommandTarget())
        window->parentWidget()->close();
}

void TFMain::OdebratZaznamExecute() {
    if (TLessonWindow* window = CommandTarget())
        window->DeleteRecord();
}

void TFMain::ExportMenuExecute() {
    TLessonWindow* window = CommandTarget();
    if (window == nullptr || !SaveDialogExp.Execute(this))
        return;
    const QString fileName = SaveDialogExp.AppendMissingExtension(QStringLiteral(".csv"));
    if (MayOverwrite(fileName))
        window->ExportCsv(fileName);
}

void TFMain::InsertMark(const QString& mark) {
    if (TLessonWindow* window = CommandTarget())
        window->InsertMark(mark);
}

void TFMain::VlozMinulyCasExecute() {
    InsertMark(QStringLiteral("<Minulý čas:>"));
}

void TFMain::VlozPredminCasExecute() {
    InsertMark(QStringLiteral("<Předminulý čas:>"));
}

void TFMain::VlozPredpritCasExecute() {
    InsertMark(QStringLiteral("<Předpřítomný čas:>"));
}

void TFMain::VlozPricestiMinuleExecute() {
    InsertMark(QStringLiteral("<Příčestí minulé:>"));
}

void TFMain::NaSebeExecute() {
    ui->MdiArea->cascadeSubWindows();
}

void TFMain::NadSebeExecute() {
    TileOneAboveAnother(*ui->MdiArea);
}

void TFMain::VedleSebeExecute() {
    ArrangeIcons(*ui->MdiArea);
}

void TFMain::OprogramuExecute() {
    FAbout->exec();
}

void TFMain::UkoncitExecute() {
    close();
}

void TFMain::ZobrazPanNovyExecute() {
    RecentFiles.Refresh();
    ui->PanNovy->show();
}

void TFMain::SpeedButton3Click() {
    ui->PanNovy->hide();
}

void TFMain::Label3Click() {
    OtevritExecute();
}

void TFMain::Label5Click() {
    NovyTest1Execute();
}

} // namespace editor
