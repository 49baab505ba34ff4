#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>

namespace platform {

// Text typed as a number, converted as the run time does. Text that is not such a number raises
// a std::runtime_error: "'<text>' is not a valid integer value" or
// "'<text>' is not a valid floating point value".
int32_t IntegerOfText(const QString& text);
double FloatOfText(const QString& text);

// The user's decimal separator without digit grouping in either direction, so that a number
// shown reads back as the number it was.
QLocale NumberLocale();

} // namespace platform
