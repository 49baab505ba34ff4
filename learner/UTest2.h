#pragma once

#include "TypedTest.h"

namespace learner {

// The fill-in test: a sentence of a fill-in lesson is asked with its gap, the expression for the
// gap typed.
class TFTest2 final : public TTypedTest {
    Q_OBJECT
public:
    explicit TFTest2(QWidget* parent = nullptr);
};

} // namespace learner
