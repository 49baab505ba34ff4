#pragma once

#include <QLabel>

namespace learner {

// A command label of the main window's side bar: it reports clicks, every mouse move over it
// and the mouse leaving it.
class TSideBarLabel : public QLabel {
    Q_OBJECT
public:
    explicit TSideBarLabel(QWidget* parent = nullptr);

signals:
    void Click();
    void MouseMove();
    void MouseLeave();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
};

} // namespace learner
