#include "UTest2.h"

namespace editor {

namespace {

const TLessonKind FillIn{
    .LayoutCaption = QStringLiteral("Doplňování"),
    .CaptionPrefix = QStringLiteral("Doplňování - "),
    .Field1 = QStringLiteral("veta"),
    .Field2 = QStringLiteral("vyraz"),
    .Heading1 = QStringLiteral("Věta"),
    .Heading2 = QStringLiteral("Výraz pro vložení"),
    .PutsGapMark = true,
    .ColSize1 = &TSetup::ColSizeTest2_1,
    .ColSize2 = &TSetup::ColSizeTest2_2,
};

} // namespace

TFTest2::TFTest2(QWidget* parent) : TLessonWindow(FillIn, parent) {}

} // namespace editor
