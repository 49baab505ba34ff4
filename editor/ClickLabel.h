#pragma once

#include <QLabel>

namespace editor {

// A label of the start panel that acts as a link: a left click runs its Click signal.
class TClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit TClickLabel(QWidget* parent = nullptr);

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace editor
