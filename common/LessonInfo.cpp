#include "LessonInfo.h"

#include <QDir>
#include <new>
#include <stdexcept>

namespace {

#ifdef Q_OS_WIN
bool IsSeparator(QChar c) {
    return c == u'\\' || c == u':';
}
#else
bool IsSeparator(QChar c) {
    return c == u'/';
}
#endif

qsizetype LastSeparator(const QString& path) {
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (IsSeparator(path[i]))
            return i;
    return -1;
}

} // namespace

LessonKind LessonKindOf(const std::string& marker) {
    if (marker == "lq3 test1")
        return LessonKind::QuestionAnswer;
    if (marker.starts_with("lq4 test2"))
        return LessonKind::FillIn;
    return LessonKind::None;
}

QString LessonKindCaption(LessonKind kind) {
    switch (kind) {
    case LessonKind::QuestionAnswer:
        return QStringLiteral("Otázka-odpověď");
    case LessonKind::FillIn:
        return QStringLiteral("Doplňování");
    case LessonKind::None:
        break;
    }
    return {};
}

QString FileNamePart(const QString& path) {
    return path.mid(LastSeparator(path) + 1);
}

QString FolderPart(const QString& path) {
    const qsizetype last = LastSeparator(path);
    if (last < 0)
        return {};
    const bool keepsSeparator = last == 0 || path[last] == u':' || IsSeparator(path[last - 1]);
    return path.left(keepsSeparator ? last + 1 : last);
}

void OpeningLesson(const QString& path, const std::function<void()>& open) {
    try {
        open();
    } catch (const std::bad_alloc&) {
        // What the failed opening had taken is freed by now, so the message has room again.
        throw std::runtime_error(QStringLiteral("Lekce „%1“ je příliš velká, nelze ji otevřít.")
                                     .arg(QDir::toNativeSeparators(path))
                                     .toStdString());
    }
}
