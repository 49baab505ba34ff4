#pragma once

#include "Registry.h"

#include <memory>

// A settings key that a test writes as the user's text editor or an installer would: what was
// written reaches the file when the key goes.
struct FlushWhenDropped {
    void operator()(platform::Registry* registry) const {
        registry->Flush();
        delete registry;
    }
};
using WrittenKey = std::unique_ptr<platform::Registry, FlushWhenDropped>;
