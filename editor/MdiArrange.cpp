#include "MdiArrange.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace editor {

namespace {

QList<QMdiSubWindow*> Children(const QMdiArea& area, bool minimised) {
    QList<QMdiSubWindow*> children;
    for (QMdiSubWindow* child : area.subWindowList(QMdiArea::CreationOrder))
        if (child->isVisible() && child->isMinimized() == minimised)
            children.append(child);
    return children;
}

} // namespace

void TileOneAboveAnother(QMdiArea& area) {
    const QList<QMdiSubWindow*> children = Children(area, false);
    if (children.isEmpty())
        return;
    const QRect room = area.viewport()->rect();
    const int count = int(children.size());
    // The last strips take one pixel more each until the height is used up.
    const int height = room.height() / count;
    const int rest = room.height() % count;
    int top = room.top();
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow* child = children[i];
        if (child->isMaximized())
            child->showNormal();
        const int stripHeight = height + (i >= count - rest ? 1 : 0);
        child->setGeometry(room.left(), top, room.width(), stripHeight);
        top += stripHeight;
    }
}

void ArrangeIcons(QMdiArea& area) {
    const QRect room = area.viewport()->rect();
    int left = room.left();
    int bottom = room.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* icon : Children(area, true)) {
        const QSize size = icon->size();
        if (left > room.left() && left + size.width() > room.right() + 1) {
            left = room.left();
            bottom -= rowHeight;
            rowHeight = 0;
        }
        icon->move(left, bottom - size.height());
        left += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}

} // namespace editor
