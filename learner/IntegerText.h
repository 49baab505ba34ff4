#pragma once

#include <QString>
#include <cstdint>

namespace learner {

// Text typed as a whole number. Anything else raises a std::runtime_error with the message
// "'<text>' is not a valid integer value".
int32_t IntegerOfText(const QString& text);

} // namespace learner
