#include "SideBarLabel.h"

#include <QMouseEvent>

namespace learner {

TSideBarLabel::TSideBarLabel(QWidget* parent) : QLabel(parent) {
    // Moves must arrive with no button held, for the hover colour.
    setMouseTracking(true);
}

void TSideBarLabel::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMove();
    QLabel::mouseMoveEvent(event);
}

void TSideBarLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    // A press dragged off the label before release is no click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

void TSideBarLabel::leaveEvent(QEvent* event) {
    emit MouseLeave();
    QLabel::leaveEvent(event);
}

} // namespace learner
