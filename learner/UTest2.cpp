#include "UTest2.h"

namespace learner {

namespace {

const TTypedTestTwin Test2Twin{
    .ObjectName = "FTest2",
    .Fields = FillInLesson,
    .ShownQuestion = &WidenGap,
    .Caption = QStringLiteral("Test (doplňování)"),
    .ClientHeight = 320,
    .QuestionHeight = 97,
    .AnswerTop = 272,
};

} // namespace

TFTest2::TFTest2(QWidget* parent) : TTypedTest(Test2Twin, parent) {}

} // namespace learner
