// Test helper: the barcode images of a report run, read as the bitmap files were.
#pragma once

#include "../barcode/BmpDecode.h"

#include <QImage>
#include <gtest/gtest.h>

// Checks that the image is kept as the PDF needs it (1 bit a pixel, black at index 0 and white at
// 1, 600 dpi) and returns its pixels.
inline bmptest::Gray RunImagePixels(const QImage& img) {
    EXPECT_EQ(img.format(), QImage::Format_Mono);
    EXPECT_EQ(img.colorTable(), (QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
    EXPECT_EQ(img.dotsPerMeterX(), 23622);
    EXPECT_EQ(img.dotsPerMeterY(), 23622);
    return bmptest::FromBits(img.width(), img.height(), static_cast<int>(img.bytesPerLine()), img.constBits());
}
