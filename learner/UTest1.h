#pragma once

#include "TypedTest.h"

namespace learner {

// The word test: the Czech expression of a question–answer lesson is asked, the foreign one typed.
class TFTest1 final : public TTypedTest {
    Q_OBJECT
public:
    explicit TFTest1(QWidget* parent = nullptr);

    // The alternatives of a question set apart: one space after every ";", so "a;b" reads "a; b".
    static QString SpaceAfterSemicolons(const QString& text);
};

} // namespace learner
