#pragma once

#include <QString>
#include <optional>
#include <string>

namespace platform {

// Lesson texts are single-byte Windows-1250 strings in the file and Unicode on the screen.
QString FromLessonText(const std::string& bytes);
// Empty when the text holds a character that Windows-1250 cannot hold: such a text must never
// reach a lesson file changed.
std::optional<std::string> ToLessonText(const QString& text);

} // namespace platform
