#include "Icons.h"

#include <QString>
#include <array>

// The pictures live in a static library, whose resources the linker drops unless something
// registers them; the macro must stand outside any namespace.
static QPixmap EditorPicture(const char* name) {
    static const bool registered = [] {
        Q_INIT_RESOURCE(editor_icons);
        return true;
    }();
    Q_UNUSED(registered);
    return QPixmap(QStringLiteral(":/editor/") + QLatin1String(name));
}

namespace editor {

QIcon ImageList1(int index) {
    static constexpr std::array names = {"editor-new.png", "editor-open.png", "editor-save.png",
                                         "editor-close.png", "editor-insert.png"};
    return QIcon(EditorPicture(names.at(size_t(index))));
}

QPixmap OpenLessonPicture() {
    return EditorPicture("panel-open.png");
}

QPixmap NewLessonPicture() {
    return EditorPicture("panel-new.png");
}

QPixmap PanelCloseGlyph() {
    return EditorPicture("panel-close.png");
}

} // namespace editor
