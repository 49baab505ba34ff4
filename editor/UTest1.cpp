#include "UTest1.h"

namespace editor {

namespace {

const TLessonKind QuestionAnswer{
    .LayoutCaption = QStringLiteral("Otázka - odpověď"),
    .CaptionPrefix = QStringLiteral("Test otázka odpověď - "),
    .Field1 = QStringLiteral("AJ"),
    .Field2 = QStringLiteral("CJ"),
    .Heading1 = QStringLiteral("Cizí výraz"),
    .Heading2 = QStringLiteral("Český výraz"),
    .PutsGapMark = false,
    .ColSize1 = &TSetup::ColSizeTest1_1,
    .ColSize2 = &TSetup::ColSizeTest1_2,
};

} // namespace

TFTest1::TFTest1(QWidget* parent) : TLessonWindow(QuestionAnswer, parent) {}

void TFTest1::NewFile() {
    NewLesson("lq3 test1", 100);
}

} // namespace editor
