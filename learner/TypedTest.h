#pragma once

#include "Dat.h"
#include "Drill.h"

#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

namespace learner {

namespace Ui {
class TTypedTest;
}

// What sets the two typed tests apart: the lesson kind and how its question is shown, and the
// few places of the window that differ.
struct TTypedTestTwin {
    const char* ObjectName;
    TLessonFields Fields;
    // The question as shown, from its text with the hint brackets already taken out.
    QString (*ShownQuestion)(const QString& stripped);
    QString Caption;
    int ClientHeight;
    int QuestionHeight;
    int AnswerTop;
};

// A drill in which the learner types each answer: the items of the lesson in a random order,
// asked in groups; a missed item is shown with its stored answer and goes to the end of its
// group. The windows are created hidden, and closing one only hides it.
class TTypedTest : public QWidget {
    Q_OBJECT
public:
    ~TTypedTest() override;

    // Loads the lesson, shuffles it, shows the first question and the window without blocking.
    // A lesson without items ends at once and the window stays hidden; one that cannot be read
    // hides the window, leaves it without a lesson and passes the error on.
    void Start(const QString& fileName, uint8_t groupSize, uint8_t repeats);
    void SetPosition(int32_t p);
    void ShowQuestion();

    const TDrill& Drill() const { return drill_; }

    TDat Dat1;

protected:
    TTypedTest(const TTypedTestTwin& twin, QWidget* parent);
    void closeEvent(QCloseEvent* event) override;

private:
    void Edit1KeyPress();
    void Button1Click();
    void FormClose();

    std::unique_ptr<Ui::TTypedTest> ui;
    const TTypedTestTwin twin_;
    TDrill drill_;
};

} // namespace learner
