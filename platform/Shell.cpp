#include "Shell.h"

#include "Replaceable.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace platform {

namespace {

class DesktopShell : public Shell {
public:
    void OpenLink(const QString& link) override { QDesktopServices::openUrl(QUrl(link)); }
    void StartProgram(const QString& path) override { QProcess::startDetached(path, {}); }
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
