#include "ScriptedDialogs.h"

#include <utility>

namespace platform {

namespace {

template <typename Answer> Answer TakeAnswer(std::deque<Answer>& answers, Answer refusal) {
    if (answers.empty())
        return refusal;
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

void ScriptedDialogs::Error(const QString& text) {
    shown.push_back({Kind::Error, text, QString::fromUtf8(ErrorCaption)});
}

void ScriptedDialogs::Message(const QString& text, const QString& caption) {
    shown.push_back({Kind::Message, text, caption});
}

Dialogs::Button ScriptedDialogs::Warning(const QString& text, Choice choice) {
    shown.push_back({Kind::Warning, text, QString::fromUtf8(WarningCaption), choice});
    if (whileWarning)
        std::exchange(whileWarning, nullptr)();
    const Button answer = TakeAnswer(warningAnswers, Button::Cancel);
    // A Cancel scripted for a box without it stands for Escape, which answers No there.
    return answer == Button::Cancel && choice == Choice::YesNo ? Button::No : answer;
}

QString ScriptedDialogs::OpenFileName(QWidget*, const QString& filter, const QString& lastName) {
    shown.push_back({Kind::OpenFile, filter, lastName});
    return TakeAnswer(openAnswers, QString());
}

QString ScriptedDialogs::SaveFileName(QWidget*, const QString& filter, const QString& lastName) {
    shown.push_back({Kind::SaveFile, filter, lastName});
    return TakeAnswer(saveAnswers, QString());
}

ScriptedDialogs& UseScriptedDialogs() {
    auto scripted = std::make_unique<ScriptedDialogs>();
    ScriptedDialogs& result = *scripted;
    SetDialogs(std::move(scripted));
    return result;
}

} // namespace platform
