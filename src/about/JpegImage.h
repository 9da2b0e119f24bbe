#pragma once

#include <QByteArray>
#include <QImage>

namespace pulsewell {

// Decodes a JPEG with libjpeg; a null image when the bytes are not one.
QImage DecodeJpeg(const QByteArray& bytes);

}  // namespace pulsewell
