#pragma once

#include "ULesson.h"

namespace editor {

// The window of a question-answer lesson.
class TFTest1 : public TLessonWindow {
    Q_OBJECT
public:
    explicit TFTest1(QWidget* parent = nullptr);

    // A new empty lesson with one empty record to type into.
    void NewFile();
};

} // namespace editor
