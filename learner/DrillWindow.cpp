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

void ShowScore(const TDrill& drill, const TScoreLabels& labels) {
    labels.LbSpravne->setText(QString::number(drill.Spravne));
    labels.LbSpatne->setText(QString::number(drill.Chybne));
    labels.LbJesteZbyva->setText(QString::number(drill.Count - drill.Pos));
    labels.LbUspesnost->setText(drill.SuccessRate());
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
