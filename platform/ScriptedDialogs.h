#pragma once

#include "Dialogs.h"

#include <deque>
#include <functional>
#include <vector>

namespace platform {

// Dialogs for tests: nothing is shown and nothing waits. Every box and file dialog asked for is
// recorded in `shown`; the answers come from the queues that the test fills, and an empty
// queue answers as the user who cancels would (Cancel, or No without Cancel; an empty path).
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Error, Message, Warning, OpenFile, SaveFile };
    // `text` is the message, or the filter of a file dialog; `caption` is the box's caption, or
    // the name a file dialog started at. `choice` matters only for warnings.
    struct Shown {
        Kind kind;
        QString text;
        QString caption;
        Choice choice = Choice::YesNo;
    };

    std::vector<Shown> shown;
    std::deque<Button> warningAnswers;
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    // Runs once while the next warning is open, as another program would act meanwhile.
    std::function<void()> whileWarning;

    void Error(const QString& text) override;
    void Message(const QString& text, const QString& caption) override;
    Button Warning(const QString& text, Choice choice) override;
    QString OpenFileName(QWidget* parent, const QString& filter, const QString& lastName) override;
    QString SaveFileName(QWidget* parent, const QString& filter, const QString& lastName) override;
};

// Puts fresh scripted dialogs in place as the program's dialogs and returns them; they stay
// valid until the next SetDialogs.
ScriptedDialogs& UseScriptedDialogs();

} // namespace platform
