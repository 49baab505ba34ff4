#include "IntegerText.h"

#include <stdexcept>

namespace learner {

int32_t IntegerOfText(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        throw std::runtime_error(("'" + text + "' is not a valid integer value").toStdString());
    return value;
}

} // namespace learner
