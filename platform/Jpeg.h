#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform {

// Decodes JPEG bytes; a null image when they are not a JPEG picture.
QImage DecodeJpeg(const QByteArray& bytes);
// Decodes a JPEG picture compiled into the program (":/assets/logo.jpg").
QImage LoadJpegResource(const QString& resourcePath);

} // namespace platform
