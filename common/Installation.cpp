#include "Installation.h"

#include "Application.h"
#include "Registry.h"

#include <QDir>
#include <stdexcept>

QString ReadInstallFolder() {
    platform::Registry machine(platform::RegistryRoot::LocalMachine);
    if (!machine.OpenKey(ProductKey, false))
        return {};
    QString folder;
    try {
        folder = machine.ReadString(QStringLiteral("Path"));
    } catch (const std::runtime_error& error) {
        platform::ReportError(error);
        return {};
    }
    if (folder.isEmpty() || folder.endsWith(QDir::separator()))
        return folder;
    return folder + QDir::separator();
}
