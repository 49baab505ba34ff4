#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Puts `content` in place of the file `target`, or leaves the target as it was: the bytes go to a
// new file beside it, which is flushed to the disk and only then renamed over the target, and
// the folder is flushed after the rename. An existing target keeps its permissions, and one that
// may not be written is refused. Every step is checked: a failure raises std::runtime_error with
// the system's reason alone (for a full disk "No space left on device"), and removes the new file.
void ReplaceFileWith(const QString& target, const QByteArray& content);

} // namespace platform
