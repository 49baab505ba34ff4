#pragma once

class QMdiArea;

namespace editor {

// Arrangements of the frame's child windows that QMdiArea lacks.

// Every child that is not minimised becomes a strip as wide as the frame's client area, one
// above another in the frame's order, sharing its height.
void TileOneAboveAnother(QMdiArea& area);
// The minimised children line up along the bottom of the client area from the left, in
// further rows above when one row is full.
void ArrangeIcons(QMdiArea& area);

} // namespace editor
