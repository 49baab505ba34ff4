#include "UVyuka2.h"

#include "ui_UVyuka2.h"

namespace learner {

namespace {

const TChoiceLessonTwin Vyuka2Twin{
    .Fields = FillInLesson,
    .ShownQuestion = &WidenGap,
    .Sizeable = true,
    // The layout's client area in a sizeable frame with its title bar.
    .DesignFrame = QRect(649, 114, 561, 488),
};

} // namespace

TFVyuka2::TFVyuka2(QWidget* parent)
    : TChoiceLesson(Vyuka2Twin, parent), ui(std::make_unique<Ui::TFVyuka2>()) {
    ui->setupUi(this);
    Attach(ControlsOf(*ui));
}

TFVyuka2::~TFVyuka2() = default;

} // namespace learner
