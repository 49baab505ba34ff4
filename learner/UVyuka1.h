#pragma once

#include "ChoiceLesson.h"

#include <memory>

namespace learner {

namespace Ui {
class TFVyuka1;
}

// The word choice lesson: the Czech expression of a question–answer lesson is asked, the foreign
// one clicked on the grid.
class TFVyuka1 final : public TChoiceLesson {
    Q_OBJECT
public:
    explicit TFVyuka1(QWidget* parent = nullptr);
    ~TFVyuka1() override;

private:
    std::unique_ptr<Ui::TFVyuka1> ui;
};

} // namespace learner
