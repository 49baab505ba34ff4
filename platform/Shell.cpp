#include "Shell.h"

#include "Replaceable.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace platform {

namespace {

class DesktopShell : public Shell {
public:
    void OpenLink(const QString& link) override { QDesktopServices::openUrl(QUrl(link)); }
    // A bare name means the program in the current folder, as the caller tested it there; Qt
    // would look for a bare name on the PATH instead.
    void StartProgram(const QString& path) override {
        QProcess::startDetached(QFileInfo(path).absoluteFilePath(), {});
    }
};

Replaceable<Shell, DesktopShell>& Instance() {
    static Replaceable<Shell, DesktopShell> instance;
    return instance;
}

} // namespace

Shell& shell() {
    return Instance().Get();
}

void SetShell(std::unique_ptr<Shell> replacement) {
    Instance().Set(std::move(replacement));
}

QString ExecutableName(const QString& name) {
#ifdef Q_OS_WIN
    return name + QStringLiteral(".exe");
#else
    return name;
#endif
}

} // namespace platform
