#include "UAbout.h"

#include "Application.h"
#include "Assets.h"
#include "Jpeg.h"
#include "ui_UAbout.h"

#include <algorithm>

namespace {

struct ProgramLook {
    QString title;
    int clientHeight;
};

ProgramLook LookOf(TFAbout::Program program) {
    if (program == TFAbout::Program::Editor)
        return {QStringLiteral("Editor slovní zásoby pro LQ4"), 260};
    return {QStringLiteral("Lexiquill 4"), 262};
}

// Keeps the maker's name clear of the window's right edge, which a name wider than the room
// left at its place would cross.
constexpr int bandMargin = 4;

void SetLabelFont(QLabel* label, int pixelHeight, bool bold) {
    QFont font = platform::LayoutFont(pixelHeight, bold);
    // The link labels are underlined from their creation and keep it.
    font.setUnderline(label->font().underline());
    label->setFont(font);
    label->adjustSize();
}

} // namespace

TFAbout::TFAbout(Program program, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TFAbout>()) {
    ui->setupUi(this);
    const ProgramLook look = LookOf(program);
    setFixedSize(width(), look.clientHeight);
    setFont(platform::LayoutFont(11));
    ui->Label1->setText(look.title);

    SetLabelFont(ui->Label1, 13, true);
    for (QLabel* label : {ui->Label2, ui->Label3, ui->Label4, ui->Label5, ui->Label6, ui->Label7})
        SetLabelFont(label, 11, true);
    for (TRUrllabel* link : {ui->RUrllabel1, ui->RUrllabel2, ui->RUrllabel3}) {
        SetLabelFont(link, 11, false);
        link->SetActiveColor(Qt::blue);
    }
    ui->RUrllabel2->SetUrlType(TUrlType::Mail);
    ui->RUrllabel3->SetUrlType(TUrlType::Mail);
    ui->Label5->move(std::min(ui->Label5->x(), width() - bandMargin - ui->Label5->width()),
                     ui->Label5->y());

    ui->Image1->setPixmap(QPixmap::fromImage(platform::LoadJpegResource(assets::SmallLogo())));
    ui->Image1->resize(ui->Image1->pixmap().size());

    connect(ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
}

TFAbout::~TFAbout() = default;
