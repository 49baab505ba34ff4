#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace platform {

// The captions of the boxes whose callers give none.
inline constexpr char ErrorCaption[] = "Chyba";
inline constexpr char WarningCaption[] = "Varování";

// Message boxes and file dialogs. Windows call them through dialogs(), so that tests can put a
// scripted implementation in place and no test ever waits on a modal box.
class Dialogs {
public:
    enum class Button { Ok, Yes, No, Cancel };
    enum class Choice { YesNo, YesNoCancel };

    virtual ~Dialogs() = default;
    // An error box: error icon, caption ErrorCaption, one OK button.
    virtual void Error(const QString& text) = 0;
    // A plain box with a text, a caption and one OK button.
    virtual void Message(const QString& text, const QString& caption) = 0;
    // A warning question under WarningCaption; returns the button pressed. Escape and the
    // window's close button answer Cancel, or No when there is no Cancel.
    virtual Button Warning(const QString& text, Choice choice) = 0;
    // The chosen file's full path, or empty when cancelled. `filter` is Qt's form:
    // "Lexiquil (*.lq)". The dialog starts at `lastName`, the name chosen before, when there is
    // one. Saving asks nothing about an existing file: the callers ask their own question.
    virtual QString OpenFileName(QWidget* parent, const QString& filter,
                                 const QString& lastName) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& filter,
                                 const QString& lastName) = 0;
};

// The program's dialogs: the real ones unless a test put scripted ones in place.
Dialogs& dialogs();
// Replaces the program's dialogs (tests); an empty pointer puts the real ones back.
void SetDialogs(std::unique_ptr<Dialogs> replacement);

} // namespace platform
