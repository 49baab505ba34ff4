#pragma once

#include <QIcon>
#include <QPixmap>

namespace editor {

// The five 16 × 16 pictures of the tool bar, the menu and the commands, by their number:
// 0 new, 1 open, 2 save, 3 close, 4 insert.
QIcon ImageList1(int index);

// The start panel: the icons beside "Další lekce" and "Typ otázka - odpověď", and the close
// glyph of its title strip.
QPixmap OpenLessonPicture();
QPixmap NewLessonPicture();
QPixmap PanelCloseGlyph();

} // namespace editor
