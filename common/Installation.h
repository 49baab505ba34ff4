#pragma once

#include <QString>

// The key under which both programs keep their settings, under the machine's root and the
// user's.
inline const QString ProductKey = QStringLiteral("\\Software\\Orvane\\Lexiquill\\4");

// The install folder named machine-wide as "Path", with a trailing separator; empty when none
// is named, and then the programs look for their files in the current folder. A damaged value is
// shown in the default error box and counts as none.
QString ReadInstallFolder();
