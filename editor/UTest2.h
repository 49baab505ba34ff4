#pragma once

#include "ULesson.h"

namespace editor {

// The window of a fill-in lesson: a fill-in lesson is only ever opened, never made new here.
class TFTest2 : public TLessonWindow {
    Q_OBJECT
public:
    explicit TFTest2(QWidget* parent = nullptr);
};

} // namespace editor
