#include "TestSettings.h"

#include <QFile>
#include <gtest/gtest.h>

WrittenKey OpenUserKey(const QString& key) {
    WrittenKey registry(new platform::Registry(platform::RegistryRoot::CurrentUser));
    EXPECT_TRUE(registry->OpenKey(key, true));
    return registry;
}

void WriteMachinePath(const QString& machineFolder, const QString& userFolder, const QString& key,
                      const QString& path) {
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(machineFolder));
    {
        platform::Registry machine(platform::RegistryRoot::CurrentUser);
        EXPECT_TRUE(machine.OpenKey(key, true));
        machine.WriteString("Path", path);
        machine.Flush();
    }
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(userFolder));
}
