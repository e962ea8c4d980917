// Images of the report layer painted onto a device: stretched to their rectangle, or kept at their
// natural size with every pixel on whole device dots, as a barcode needs on paper.
#include "reportlayer/ReportLayer.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

// A 1-bit image of random 2 x 2 blocks (whole 300 dpi dots at 600 dpi).
QImage Blocks(int width, int height) {
    QImage img(width, height, QImage::Format_Mono);
    img.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)}); // white first: not the order a PDF keeps lossless
    std::mt19937 rng(3);
    for (int y = 0; y < height; y += 2)
        for (int x = 0; x < width; x += 2) {
            const int bit = static_cast<int>(rng() % 2);
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) img.setPixel(x + dx, y + dy, static_cast<uint>(bit));
        }
    return img;
}

// The part of a page around the barcode slots (x 185 to 205 mm, y 10 to 70 mm), painted at `dpi`;
// a pixel of the page is at its device position less `Origin(dpi)`.
QPoint Origin(int dpi) { return QPoint(185 * dpi * 10 / 254, 10 * dpi * 10 / 254); }

QImage Paint(const rl::TElement& e, int dpi) {
    rl::TPage page;
    page.Elements.push_back(e);
    QImage out(20 * dpi * 10 / 254, 60 * dpi * 10 / 254, QImage::Format_Grayscale8);
    out.fill(255);
    QPainter p(&out);
    p.translate(-Origin(dpi));
    rl::PaintPage(p, page, dpi / 25.4);
    return out;
}

// The bounding box of the dark pixels.
QRect Dark(const QImage& img) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.constScanLine(y)[x] < 128) box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

TEST(LayerImages, NaturalSizeKeepsEveryPixelOnWholeDots) {
    const QImage source = Blocks(236, 1180); // 600 dpi: 9.99 x 49.95 mm
    rl::TBand band;
    const rl::TElement& e = band.AddImage(192, 15.3, 10, 50, source, 600);
    // Centred in the slot, its corner on the 300 dpi grid counted from the page's corner.
    const int left = static_cast<int>(std::lround((192 + (10 - 236 / 600.0 * 25.4) / 2) / 25.4 * 300));
    const int top = static_cast<int>(std::lround((15.3 + (50 - 1180 / 600.0 * 25.4) / 2) / 25.4 * 300));
    for (int dpi : {300, 600, 1200}) {
        SCOPED_TRACE(dpi);
        const QImage page = Paint(e, dpi);
        const int dot = dpi / 300;            // device pixels a grid dot
        const double perPixel = dpi / 600.0;  // device pixels an image pixel
        // Every device pixel of the image shows the image pixel under it, and none outside is touched.
        const QRect painted = QRect(left * dot, top * dot, static_cast<int>(236 * perPixel), static_cast<int>(1180 * perPixel))
                                  .translated(-Origin(dpi));
        for (int y = painted.top() - 2; y <= painted.bottom() + 2; ++y)
            for (int x = painted.left() - 2; x <= painted.right() + 2; ++x) {
                const bool inside = painted.contains(x, y);
                const bool dark = inside && source.pixelIndex(static_cast<int>((x - painted.left()) / perPixel),
                                                              static_cast<int>((y - painted.top()) / perPixel)) == 1;
                ASSERT_EQ(page.pixel(x, y), dark ? qRgb(0, 0, 0) : qRgb(255, 255, 255)) << x << "," << y;
            }
    }
}

TEST(LayerImages, StretchedWhenAskedOrWhenTooLarge) {
    struct Case {
        const char* name;
        int width, height;
        double dpi;
        QRectF expectedMm; // where the dark pixels go
    } cases[] = {
        {"stretched", 100, 100, 0, {192, 15, 10, 50}},
        {"natural size, too large", 600, 600, 600, {192, 15, 10, 50}},
        {"natural size", 118, 236, 600, {192 + 2.5, 15 + 20, 5, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage black(c.width, c.height, QImage::Format_Mono);
        black.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        black.fill(0);
        rl::TBand band;
        const QImage page = Paint(band.AddImage(192, 15, 10, 50, black, c.dpi), 300);
        const QRect box = Dark(page).translated(Origin(300));
        const double px = 300 / 25.4;
        EXPECT_NEAR(box.left(), c.expectedMm.left() * px, 1);
        EXPECT_NEAR(box.top(), c.expectedMm.top() * px, 1);
        EXPECT_NEAR(box.width(), c.expectedMm.width() * px, 1);
        EXPECT_NEAR(box.height(), c.expectedMm.height() * px, 1);
    }
}

TEST(LayerImages, ANullImageDrawsNothing) {
    rl::TBand band;
    EXPECT_TRUE(Dark(Paint(band.AddImage(192, 15, 10, 50, QImage(), 600), 300)).isNull());
}

// The one image of a PDF file as Qt writes it: its rows, (width + 7) / 8 bytes each.
QByteArray PdfImageRows(const QByteArray& pdf, int width, int height) {
    const qsizetype dict = pdf.indexOf("/Subtype /Image");
    const qsizetype start = pdf.indexOf("stream\n", dict) + 7, end = pdf.indexOf("endstream", start);
    if (dict < 0 || start < 7 || end < 0) return {};
    const int size = (width + 7) / 8 * height;
    QByteArray framed;
    for (int shift : {24, 16, 8, 0}) framed += static_cast<char>((size >> shift) & 0xFF); // the length qUncompress expects
    return qUncompress(framed + pdf.mid(start, end - start));
}

// A 1-bit image reaches the PDF file as its pixels and nothing else: the bits after a row's last
// pixel are clear, whichever palette order the image came with, not what the memory held.
TEST(LayerImages, APdfHoldsTheImagesPixelsOnly) {
    for (bool blackFirst : {true, false}) {
        SCOPED_TRACE(blackFirst);
        QImage source = Blocks(236, 1180);
        if (blackFirst) source = source.convertToFormat(QImage::Format_Mono, {qRgb(0, 0, 0), qRgb(255, 255, 255)});
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter pdf(&buffer);
            pdf.setResolution(1200);
            QPainter p(&pdf);
            rl::TPage page;
            rl::TBand band;
            page.Elements.push_back(band.AddImage(192, 15, 10, 50, source, 600));
            rl::PaintPage(p, page, 1200 / 25.4);
        }
        const QByteArray rows = PdfImageRows(buffer.data(), 236, 1180);
        ASSERT_EQ(rows.size(), 30 * 1180);
        for (int y = 0; y < 1180; ++y) {
            const auto* row = reinterpret_cast<const uchar*>(rows.constData()) + 30 * y;
            ASSERT_EQ(row[29] & 0x0F, 0) << "row " << y;
            for (int x = 0; x < 236; ++x) {
                const bool dark = !((row[x / 8] >> (7 - x % 8)) & 1); // black is 0 in the PDF's gray
                ASSERT_EQ(dark, source.pixelColor(x, y) == Qt::black) << x << "," << y;
            }
        }
    }
}
