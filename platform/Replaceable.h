#pragma once

#include <memory>
#include <utility>

namespace platform {

// One program-wide instance of a platform interface: `Default` until a test puts its own in
// place, and `Default` again once the test hands back an empty pointer.
template <typename Interface, typename Default> class Replaceable {
public:
    Interface& Get() {
        if (!instance_)
            instance_ = std::make_unique<Default>();
        return *instance_;
    }
    void Set(std::unique_ptr<Interface> replacement) { instance_ = std::move(replacement); }

private:
    std::unique_ptr<Interface> instance_;
};

} // namespace platform
