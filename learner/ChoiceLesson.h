#pragma once

#include "Dat.h"
#include "Drill.h"

#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <optional>

class QGroupBox;
class QLabel;
class QPainter;

namespace learner {

class TChoiceGrid;

// What sets the two choice lessons apart beyond their layouts: the lesson kind, how its
// question is shown, and the window's border and place.
struct TChoiceLessonTwin {
    TLessonFields Fields;
    // The question as shown, from its text with the hint brackets already taken out.
    QString (*ShownQuestion)(const QString& stripped);
    bool Sizeable;
    // Where the window appears first, frame included; without one it comes up in the middle of
    // the screen at every showing.
    std::optional<QRect> DesignFrame;
};

// The controls of a choice lesson's layout that the lesson drives.
struct TChoiceControls {
    QWidget* Shape1;
    QLabel* Image1;
    QGroupBox* GroupBox1;
    QLabel* LbSpravne;
    QLabel* LbSpatne;
    QLabel* LbJesteZbyva;
    QLabel* LbSkupina;
    QLabel* LbUspesnost;
    QLabel* Label1;
    TChoiceGrid* Grid1;
};

template <typename Form> TChoiceControls ControlsOf(const Form& form) {
    return {form.Shape1,       form.Image1,    form.GroupBox1,   form.LbSpravne, form.LbSpatne,
            form.LbJesteZbyva, form.LbSkupina, form.LbUspesnost, form.Label1,    form.Grid1};
}

// A drill in which the learner clicks the answer among the answers of the current group laid
// out at random on a 5 × 5 grid. After a miss every cell holding the right answer is red for
// 1200 ms, and only then does the missed item go behind the others whose answers were on the
// grid. The windows are created hidden, and closing one only hides it.
class TChoiceLesson : public QWidget {
    Q_OBJECT
public:
    ~TChoiceLesson() override;

    // Loads the lesson, shuffles it, shows the first question and the window without blocking.
    // A lesson without items ends at once and the window stays hidden; one that cannot be read
    // hides the window, leaves it without a lesson and passes the error on.
    void Start(const QString& fileName, uint8_t groupSize, uint8_t repeats);
    // Pos := p and the end of its group; a group size of 0 or above 25 becomes 25 for good.
    void SetPosition(int32_t p);
    void ShowQuestion();
    void FillGrid();
    void ShowMistake();

    const TDrill& Drill() const { return drill_; }

    TDat Dat1;
    // Runs exactly while the right answer is shown after a miss.
    QTimer TimChyba;

protected:
    explicit TChoiceLesson(const TChoiceLessonTwin& twin, QWidget* parent);
    // Takes over the controls of the twin's layout once it is set up.
    void Attach(const TChoiceControls& controls);
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Grid1MouseDown(int x, int y);
    void Grid1DrawCell(int col, int row, const QRect& rect, QPainter& canvas) const;
    void TimChybaTimer();
    void ExtendGroup();
    bool IsRightAnswer(const QString& cell) const;
    void ShowWindow();

    const TChoiceLessonTwin twin_;
    TChoiceControls ui_{};
    TDrill drill_;
};

} // namespace learner
