#pragma once

#include <QString>
#include <memory>

namespace platform {

// Hands links and programs to the desktop. Neither call waits or reports failure.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens a link ("http://...", "mailto:...") in the user's default program for it.
    virtual void OpenLink(const QString& link) = 0;
    // Starts a program without arguments and without waiting for it.
    virtual void StartProgram(const QString& path) = 0;
};

// The program's shell: the desktop's unless a test put another in place.
Shell& shell();
// Replaces the program's shell (tests); an empty pointer puts the desktop's back.
void SetShell(std::unique_ptr<Shell> replacement);

// "name" with the platform's executable suffix: ".exe" on Windows, none elsewhere.
QString ExecutableName(const QString& name);

} // namespace platform
