#include "USetup.h"

#include "Application.h"
#include "ui_USetup.h"

namespace learner {

TFSetup::TFSetup(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TFSetup>()) {
    ui->setupUi(this);
    setFixedSize(313, 368);
    setFont(platform::LayoutFont(11));

    // Toggled rather than clicked: filling the dialog from the settings must apply the rule too.
    connect(ui->ChBZkoZkousetCelou, &QCheckBox::toggled, this, &TFSetup::ChBZkoZkousetCelouClick);
    connect(ui->ChBVyuZkousetCelou, &QCheckBox::toggled, this, &TFSetup::ChBVyuZkousetCelouClick);
    connect(ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->Button2, &QPushButton::clicked, this, &QDialog::reject);
}

TFSetup::~TFSetup() = default;

void TFSetup::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TFSetup::FormShow() {
    ui->PageControl1->setCurrentIndex(0);
}

void TFSetup::ChBZkoZkousetCelouClick(bool checked) {
    ui->EdZkoZkousetPo->setEnabled(!checked);
}

void TFSetup::ChBVyuZkousetCelouClick(bool checked) {
    ui->EdVyuZkousetPo->setEnabled(!checked);
}

} // namespace learner
