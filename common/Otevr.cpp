#include "Otevr.h"

#include <QFileInfo>
#include <utility>

void TOtevr::Add(const QString& name) {
    if (!QFileInfo(name).isFile())
        return;
    bool found = false;
    // Walking up from the bottom carries an existing entry to the top one place at a time.
    for (int32_t i = Count; i >= 2; --i)
        if (Items[size_t(i)] == name) {
            std::swap(Items[size_t(i)], Items[size_t(i) - 1]);
            found = true;
        }
    if (Count >= 1 && Items[1] == name)
        found = true;
    if (!found) {
        ++Count;
        Items.insert(Items.begin() + 1, name);
        Items.resize(size_t(Count) + 1);
    }
    if (Refresh)
        Refresh();
}
