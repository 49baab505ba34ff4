#include "UTest1.h"

namespace learner {

namespace {

const TTypedTestTwin Test1Twin{
    .ObjectName = "FTest1",
    .Fields = WordLesson,
    .ShownQuestion = &TFTest1::SpaceAfterSemicolons,
    .Caption = QStringLiteral("Test"),
    .ClientHeight = 262,
    .QuestionHeight = 49,
    .AnswerTop = 208,
};

} // namespace

TFTest1::TFTest1(QWidget* parent) : TTypedTest(Test1Twin, parent) {}

QString TFTest1::SpaceAfterSemicolons(const QString& text) {
    QString shown;
    shown.reserve(text.size() + text.count(u';'));
    for (const QChar c : text) {
        shown += c;
        if (c == u';')
            shown += u' ';
    }
    return shown;
}

} // namespace learner
