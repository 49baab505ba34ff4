#include "NumberText.h"

#include <stdexcept>

namespace platform {

int32_t IntegerOfText(const QString& text) {
    bool converted = false;
    const int value = text.toInt(&converted, 10);
    if (!converted)
        throw std::runtime_error("'" + text.toStdString() + "' is not a valid integer value");
    return value;
}

double FloatOfText(const QString& text) {
    bool converted = false;
    const double value = NumberLocale().toDouble(text, &converted);
    if (!converted)
        throw std::runtime_error("'" + text.toStdString() +
                                 "' is not a valid floating point value");
    return value;
}

QLocale NumberLocale() {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

} // namespace platform
