#include "Otevr.h"

#include "Application.h"
#include "Registry.h"

#include <QFileInfo>
#include <stdexcept>
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

void TOtevr::Load(const platform::Registry& key) {
    Count = 0;
    Items.assign(1, QString());
    for (int32_t n = 1; key.ValueExists(QString::number(n)); ++n) {
        QString fileName;
        try {
            fileName = key.ReadString(QString::number(n));
        } catch (const std::runtime_error& error) {
            // The entries before it stay; it and the rest keep their values in the registry,
            // as only entries 1 to Count are written back.
            platform::ReportError(error);
            return;
        }
        Items.push_back(fileName);
        ++Count;
    }
}

void TOtevr::Save(platform::Registry& key) const {
    for (int32_t i = 1; i <= Count; ++i)
        key.WriteString(QString::number(i), Items[size_t(i)]);
}
