#pragma once

class QGroupBox;
class QLabel;
class QWidget;

namespace learner {

class TDrill;

// The labels of a drill window's score box that follow every answer.
struct TScoreLabels {
    QLabel* LbSpravne;
    QLabel* LbSpatne;
    QLabel* LbJesteZbyva;
    QLabel* LbUspesnost;
};

// The look that the drill windows share: the layout font on the button face, the dark top band
// with the logo, and the score box on the band.
void StyleDrillWindow(QWidget& window, QWidget& band, QLabel& logo, QGroupBox& score);
// Right and wrong answers, the items not yet answered right and the success rate.
void ShowScore(const TDrill& drill, const TScoreLabels& labels);
// The current group and the number of groups.
void ShowGroup(const TDrill& drill, QLabel& label);
// The message that ends every drill; it waits, and while it is open no window takes input.
void AnnounceLessonEnd();
// Shows a drill window, in the middle of the screen when it was hidden, in front of the others.
void ShowDrillWindow(QWidget& window);

} // namespace learner
