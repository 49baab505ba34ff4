#pragma once

#include "ChoiceLesson.h"

#include <memory>

namespace learner {

namespace Ui {
class TFVyuka2;
}

// The fill-in choice lesson: a sentence of a fill-in lesson is asked with its gap, the expression
// for the gap clicked on the grid.
class TFVyuka2 final : public TChoiceLesson {
    Q_OBJECT
public:
    explicit TFVyuka2(QWidget* parent = nullptr);
    ~TFVyuka2() override;

private:
    std::unique_ptr<Ui::TFVyuka2> ui;
};

} // namespace learner
