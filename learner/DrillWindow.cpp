#include "DrillWindow.h"

#include "Application.h"
#include "Assets.h"
#include "Dialogs.h"
#include "Drill.h"
#include "Jpeg.h"
#include "WindowLook.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace learner {

void StyleDrillWindow(QWidget& window, QWidget& band, QLabel& logo, QGroupBox& score) {
    window.setFont(platform::LayoutFont(11));
    SetBackground(&window, window.palette().color(QPalette::Button));
    SetBackground(&band, BandColour);
    logo.setPixmap(QPixmap::fromImage(platform::LoadJpegResource(assets::SmallLogo())));
    logo.resize(logo.pixmap().size());
    SetBackground(&score, BandColour);
    // The learner glances at the score between answers: black on the dark grey is hard to read.
    SetTextColour(&score, Qt::white);
}

namespace {

// The figures grow with the lesson: a label as wide as its layout left room for would cut off
// "999 / 1000" or a five-digit count.
void ShowFigure(QLabel& label, const QString& text) {
    label.setText(text);
    label.adjustSize();
}

} // namespace

void ShowScore(const TDrill& drill, const TScoreLabels& labels) {
    ShowFigure(*labels.LbSpravne, QString::number(drill.Spravne));
    ShowFigure(*labels.LbSpatne, QString::number(drill.Chybne));
    ShowFigure(*labels.LbJesteZbyva, QString::number(drill.Count - drill.Pos));
    ShowFigure(*labels.LbUspesnost, drill.SuccessRate());
}

void ShowGroup(const TDrill& drill, QLabel& label) {
    ShowFigure(label, drill.GroupLabel());
}

void AnnounceLessonEnd() {
    platform::dialogs().Message(QStringLiteral("Všechny otázky byly zodpovězeny.."),
                                QStringLiteral("Konec lekce"));
}

void ShowDrillWindow(QWidget& window) {
    if (window.isVisible()) {
        // A new lesson in a window that is already open: it may lie behind the main window.
        window.raise();
    } else {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QSize size = window.frameGeometry().size();
        window.move(screen.x() + (screen.width() - size.width()) / 2,
                    screen.y() + (screen.height() - size.height()) / 2);
        window.show();
    }
    window.activateWindow();
}

} // namespace learner
