#include "reportlayer/ReportLayer.h"

#include "platform/QtWindowing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <cmath>
#include <zint.h>

namespace rl {

namespace {

// Text is measured at one fixed resolution, so it is cut and aligned alike on every device.
constexpr double kMeasureDpi = 1200;

QFont MakeFont(const TFontSpec& spec, double pxPerMm) {
    // The form's font names map to the fonts installed here; measuring and painting must see the
    // same map whatever the host program has set up.
    static const bool substituted = (InstallFontSubstitutions(), true);
    (void)substituted;
    QFont f(spec.family);
    f.setBold(spec.bold);
    f.setUnderline(spec.underline);
    f.setItalic(spec.italic);
    f.setPixelSize(std::max(1, static_cast<int>(spec.size / 72.0 * 25.4 * pxPerMm + 0.5)));
    f.setKerning(false);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

// EAN-8 bars as module runs (1 = bar) of the 67 modules, from libzint.
std::vector<bool> Ean8Modules(const QString& digits) {
    std::vector<bool> modules;
    zint_symbol* s = ZBarcode_Create();
    if (!s) return modules;
    s->symbology = BARCODE_EANX;
    const QByteArray seven = digits.left(7).toLatin1();
    if (ZBarcode_Encode(s, reinterpret_cast<const unsigned char*>(seven.constData()), seven.size()) < ZINT_ERROR) {
        for (int x = 0; x < s->width; ++x) {
            const int byte = x / 8, bit = x % 8; // zint keeps row 0's modules in encoded_data
            modules.push_back((s->encoded_data[0][byte] >> bit) & 1);
        }
    }
    ZBarcode_Delete(s);
    return modules;
}

// Where an image kept at its natural size lands on the device: centred in the element, its corner
// on whole dots of a 300 dpi grid counted from the page's top-left corner. On a 300, 600 or 1200
// dpi device (a 1200 dpi printer, a page scanned or rendered at 300 or 600 dpi) every dot of the
// grid is then whole device pixels and, for a 300 or 600 dpi image, every pixel of the image too, so
// that no module of a barcode is a pixel wider than another. Empty when the image does not fit.
//
// The rectangle is drawn in by a sixteenth of a dot on every side: a renderer that gives an image
// every device pixel its edge touches (poppler, which also rasterises PDF files for CUPS printers)
// would otherwise make a 118-dot image 119 pixels wide and resample it, blurring every module.
// Renderers that take the pixels whose centres lie inside see the same whole pixels either way.
QRectF NaturalRect(const TElement& e, QSize pixels, double pxPerMm) {
    constexpr double kGridPerMm = 300 / 25.4;
    // 1200 / 25.4 / (300 / 25.4) is not quite 4: a ratio that is meant to be whole is made whole.
    const auto whole = [](double ratio) { return std::abs(ratio - std::round(ratio)) < 1e-6 ? std::round(ratio) : ratio; };
    const double pixelsPerMm = e.imageDpi / 25.4;
    const double width = pixels.width() / pixelsPerMm, height = pixels.height() / pixelsPerMm;
    if (width > e.width + 1e-9 || height > e.height + 1e-9) return {};
    const double left = std::round((e.left + (e.width - width) / 2) * kGridPerMm);
    const double top = std::round((e.top + (e.height - height) / 2) * kGridPerMm);
    const double grid = whole(pxPerMm / kGridPerMm);          // device pixels a grid dot
    const double pixel = whole(2 * pxPerMm / pixelsPerMm) / 2; // device pixels an image pixel (0.5 at 300 dpi)
    const double inset = grid / 16;
    return QRectF(left * grid + inset, top * grid + inset, pixels.width() * pixel - 2 * inset, pixels.height() * pixel - 2 * inset);
}

// A two-colour bitmap in the one form that Qt's PDF engine writes as a 1-bit image without loss:
// Format_Mono with black at index 0 and white at 1 (any other table makes it an 8-bit colour image).
QImage BlackOnWhite(const QImage& img) {
    if (img.depth() != 1) return img;
    const QList<QRgb> blackWhite = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    QImage out = img.format() == QImage::Format_Mono && img.colorTable() == blackWhite
                     ? img
                     : img.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_Mono, blackWhite);
    // The engine writes a row's last byte whole: the bits after the last pixel, which Qt's
    // conversions leave as the memory held them, are cleared so that only the picture reaches the file.
    if (const int used = out.width() % 8) {
        const auto pixels = static_cast<uchar>(0xFF << (8 - used));
        const int last = out.width() / 8;
        for (int y = 0; y < out.height(); ++y)
            if (out.constScanLine(y)[last] & ~pixels) out.scanLine(y)[last] &= pixels;
    }
    return out;
}

} // namespace

double TextWidthMm(const QString& text, const TFontSpec& font) {
    const double pxPerMm = kMeasureDpi / 25.4;
    QFontMetricsF m(MakeFont(font, pxPerMm));
    return m.horizontalAdvance(text) / pxPerMm;
}

double TextHeightMm(const TFontSpec& font) {
    const double pxPerMm = kMeasureDpi / 25.4;
    QFontMetricsF m(MakeFont(font, pxPerMm));
    return m.height() / pxPerMm;
}

namespace {

TElement& Place(std::vector<TElement>& elements, TElementKind kind, double left, double top, double width, double height) {
    TElement& e = elements.emplace_back();
    e.kind = kind;
    e.left = left;
    e.top = top;
    e.width = width;
    e.height = height;
    return e;
}

} // namespace

TElement& TBand::AddLabel(double left, double top, const QString& text, const TFontSpec& font, QColor color) {
    TElement& e = Place(Elements, TElementKind::Label, left, top, TextWidthMm(text, font), TextHeightMm(font));
    e.text = text;
    e.font = font;
    e.color = color;
    return e;
}

TElement& TBand::AddHLine(double left, double top, double width, TPen pen) {
    TElement& e = Place(Elements, TElementKind::Line, left, top, width, 0);
    e.pen = pen;
    return e;
}

TElement& TBand::AddVLine(double left, double top, double height) {
    return Place(Elements, TElementKind::Line, left, top, 0, height);
}

TElement& TBand::AddRect(double left, double top, double width, double height, QColor fill) {
    TElement& e = Place(Elements, TElementKind::Rect, left, top, width, height);
    e.fill = fill;
    return e;
}

TElement& TBand::AddImage(double left, double top, double width, double height, const QImage& image, double dpi) {
    TElement& e = Place(Elements, TElementKind::Image, left, top, width, height);
    e.image = image;
    e.imageDpi = dpi;
    return e;
}

TElement& TBand::AddPageCode(double left, double top, const QString& code) {
    TElement& e = Place(Elements, TElementKind::PageCode, left, top, 30, 13);
    e.text = code;
    return e;
}

TBand& TOstrekReport::NewBand(bool forceNewPage) {
    Bands.emplace_back();
    Bands.back().ForceNewPage = forceNewPage;
    return Bands.back();
}

std::vector<TPage> TOstrekReport::Pages() const {
    std::vector<TPage> pages;
    double y = 0;
    const double usable = kPageHeight - kBottomMargin;
    for (const TBand& band : Bands) {
        const bool pageEmpty = pages.empty() || pages.back().Elements.empty();
        if (pages.empty() || (band.ForceNewPage && !pageEmpty) || (y + band.Height > usable && !pageEmpty)) {
            if (pages.empty() || !pageEmpty) pages.emplace_back();
            y = 0;
        }
        for (TElement e : band.Elements) {
            e.top += y;
            pages.back().Elements.push_back(e);
        }
        y += band.Height;
    }
    return pages;
}

QString PageCodeDigits(const QString& code) {
    QString digits;
    for (QChar c : code)
        if (c.isDigit()) digits += c;
    return digits.size() == 8 ? digits : QString();
}

void PaintPage(QPainter& p, const TPage& page, double pxPerMm) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const auto X = [pxPerMm](double mm) { return mm * pxPerMm; };
    for (const TElement& e : page.Elements) {
        switch (e.kind) {
        case TElementKind::Label: {
            const QFont f = MakeFont(e.font, pxPerMm);
            p.setFont(f);
            p.setPen(e.color);
            QFontMetricsF m(f);
            p.drawText(QPointF(X(e.left), X(e.top) + m.ascent()), e.text);
            break;
        }
        case TElementKind::Line: {
            QPen pen(e.color);
            pen.setWidthF(std::max(1.0, 0.2 * pxPerMm) * (e.pen == TPen::Strike ? 2 : 1));
            if (e.pen == TPen::Dot) pen.setStyle(Qt::DotLine);
            p.setPen(pen);
            p.drawLine(QPointF(X(e.left), X(e.top)), QPointF(X(e.left + e.width), X(e.top + e.height)));
            break;
        }
        case TElementKind::Rect: {
            QPen pen(e.color);
            pen.setWidthF(std::max(1.0, 0.2 * pxPerMm));
            p.setPen(pen);
            p.setBrush(e.fill.isValid() ? QBrush(e.fill) : QBrush(Qt::NoBrush));
            p.drawRect(QRectF(X(e.left), X(e.top), X(e.width), X(e.height)));
            p.setBrush(Qt::NoBrush);
            break;
        }
        case TElementKind::Image: {
            const QImage& img = e.image;
            if (img.isNull()) break;
            const QRectF natural = e.imageDpi > 0 ? NaturalRect(e, img.size(), pxPerMm) : QRectF();
            if (natural.isEmpty()) {
                p.drawImage(QRectF(X(e.left), X(e.top), X(e.width), X(e.height)), img);
                break;
            }
            // Neither smoothed nor JPEG-compressed: a scanner must see the same black and white.
            p.save();
            p.setRenderHint(QPainter::SmoothPixmapTransform, false);
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setRenderHint(QPainter::LosslessImageRendering, true);
            p.drawImage(natural, BlackOnWhite(img));
            p.restore();
            break;
        }
        case TElementKind::PageCode: {
            const std::vector<bool> modules = Ean8Modules(PageCodeDigits(e.text));
            if (modules.empty()) break;
            const double module = e.width / static_cast<double>(modules.size());
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            for (std::size_t i = 0; i < modules.size(); ++i)
                if (modules[i]) p.drawRect(QRectF(X(e.left + i * module), X(e.top), X(module), X(e.height)));
            p.setBrush(Qt::NoBrush);
            break;
        }
        }
    }
    p.restore();
}

} // namespace rl
