#pragma once

#include <QColor>

class QWidget;

namespace learner {

// The dark grey of the main window's side bar and of the drill windows' top band.
inline const QColor BandColour(0x66, 0x66, 0x66);

// Fills the widget's background: buttons with the button colour, the rest with the window
// colour.
void SetBackground(QWidget* widget, const QColor& colour);
void SetTextColour(QWidget* widget, const QColor& colour);

} // namespace learner
