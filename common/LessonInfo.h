#pragma once

#include <QString>
#include <functional>
#include <string>

enum class LessonKind { None, QuestionAnswer, FillIn };

// "lq3 test1" exactly is a question-answer lesson; every marker that begins with "lq4 test2"
// ("lq4 test2a", "lq4 test2b") is a fill-in lesson.
LessonKind LessonKindOf(const std::string& marker);
// The caption of the kind in the recent list: "Otázka-odpověď", "Doplňování" or empty.
QString LessonKindCaption(LessonKind kind);

// The part of a path after its last separator.
QString FileNamePart(const QString& path);
// The part of a path before its last separator, without that separator unless it is what makes
// the folder a root ("/", or "C:\" on Windows).
QString FolderPart(const QString& path);

// Runs `open`, which opens the lesson `path`. A lesson too large for the memory comes out as an
// error that names it in Czech: the allocator's own "std::bad_alloc" tells the user nothing.
void OpeningLesson(const QString& path, const std::function<void()>& open);
