#include "UVyuka1.h"

#include "ui_UVyuka1.h"

namespace learner {

namespace {

// The question is shown as stored, only the hint brackets taken out.
QString AsStored(const QString& stripped) {
    return stripped;
}

const TChoiceLessonTwin Vyuka1Twin{
    .Fields = WordLesson,
    .ShownQuestion = &AsStored,
    .Sizeable = false,
    .DesignFrame = std::nullopt,
};

} // namespace

TFVyuka1::TFVyuka1(QWidget* parent)
    : TChoiceLesson(Vyuka1Twin, parent), ui(std::make_unique<Ui::TFVyuka1>()) {
    ui->setupUi(this);
    Attach(ControlsOf(*ui));
}

TFVyuka1::~TFVyuka1() = default;

} // namespace learner
