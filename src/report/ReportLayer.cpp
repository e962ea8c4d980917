#include "report/ReportLayer.h"

#include "platform/QtWindowing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>
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

TElement& TBand::AddImage(double left, double top, double width, double height, const QString& file) {
    TElement& e = Place(Elements, TElementKind::Image, left, top, width, height);
    e.text = file;
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
            pen.setWidthF(std::max(1.0, 0.2 * pxPerMm));
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
            const QImage img(e.text);
            if (!img.isNull()) p.drawImage(QRectF(X(e.left), X(e.top), X(e.width), X(e.height)), img);
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
