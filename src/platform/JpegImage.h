// JPEG pictures decoded with libjpeg.
#pragma once

#include <QByteArray>
#include <QImage>

// The decoded picture, or a null image when the bytes are no JPEG the library can read.
QImage DecodeJpeg(const QByteArray& bytes);
