#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace platform {
class Registry;
}

// The list of recently opened lessons, most recent first. Entries are full paths, compared
// exactly; nothing is ever removed and there is no limit.
class TOtevr {
public:
    int32_t Count = 0;
    // Items[1] .. Items[Count]; element 0 is never used.
    std::vector<QString> Items = std::vector<QString>(1);

    // Moves `name` to the top, or puts it there when it is new, and then shows the list.
    // A file that does not exist changes nothing.
    void Add(const QString& name);
    // The program's own way of showing the list, run after every Add.
    std::function<void()> Refresh;

    // Replaces the list by the values "1", "2", ... of the open key, read while consecutive
    // names exist. A damaged value is shown in the default error box and ends the list there.
    void Load(const platform::Registry& key);
    // Writes the entries as the values "1" to Count; values beyond stay as they are.
    void Save(platform::Registry& key) const;
};
