#pragma once

#include <QString>

// The pictures compiled into both programs. Asking for a path registers the pictures first: a
// static library's resources are otherwise dropped by the linker, as nothing refers to them.
namespace assets {

// 100 × 150, the learner's side bar.
QString MainLogo();
// 75 × 50, the drill windows and the About box.
QString SmallLogo();

} // namespace assets
