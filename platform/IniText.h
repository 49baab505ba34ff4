#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

namespace platform {

// A setting by its full name, as QSettings gives it ("a/b/c").
using IniValue = std::pair<QString, QVariant>;

// The text of an INI settings file holding `values`, sorted by name, each name once, in the
// form that QSettings::IniFormat reads back to the same names and values: the first part of a
// name is its section, as in the files Qt writes. Texts and lists of texts are written; values of
// other types are left out.
QByteArray IniText(const std::vector<IniValue>& values);

} // namespace platform
