#pragma once

#include "Registry.h"

#include <QString>
#include <memory>

// Settings as a test writes them, the way the user's text editor or an installer would.

// A settings key whose writes reach the file when the key goes.
struct FlushWhenDropped {
    void operator()(platform::Registry* registry) const {
        registry->Flush();
        delete registry;
    }
};
using WrittenKey = std::unique_ptr<platform::Registry, FlushWhenDropped>;

// The current user's `key`, created when missing.
WrittenKey OpenUserKey(const QString& key);

// Writes the machine-wide "Path" under `key` into the machine folder. The machine file has the
// user file's form, and only the user's is ever written: it is written as a user's file in the
// machine folder, and the user's folder is named again afterwards.
void WriteMachinePath(const QString& machineFolder, const QString& userFolder, const QString& key,
                      const QString& path);
