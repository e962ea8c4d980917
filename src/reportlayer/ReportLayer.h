// Our small report layer, standing in for a banded report framework: a report is a list of bands
// in millimetres; bands are laid out on A4 pages; a page is a list of elements (labels, lines,
// rectangles, images, the page code) painted the same way on screen, on a printer and into images.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

class QPainter;

namespace rl {

inline constexpr double kPageWidth = 210;   // A4, mm
inline constexpr double kPageHeight = 297;
inline constexpr double kBottomMargin = 10; // left, right and top margins are 0
inline constexpr double kDefaultBandHeight = 13;

enum class TElementKind { Label, Line, Rect, Image, PageCode };
// Strike: a solid line twice as wide that crosses a mark out (a month on sheet В) and is meant
// to run through the text under it.
enum class TPen { Solid, Dot, Strike };

struct TFontSpec {
    QString family; // the form's font names ("Unreal", "AGLettericaCondensedLight", "Arial", ...)
    double size = 10; // points
    bool bold = false;
    bool underline = false;
    bool italic = false;
};

struct TElement {
    TElementKind kind = TElementKind::Label;
    double left = 0, top = 0, width = 0, height = 0; // mm: from the band's top-left corner, or the page's
    QString text;       // a label's caption; the page code's text
    QImage image;       // an image's pixels, held in memory (shared, not copied, with the page)
    TFontSpec font;
    QColor color = Qt::black; // text, or the pen of lines and rectangles
    TPen pen = TPen::Solid;
    QColor fill;              // a rectangle's fill; invalid for none
    double imageDpi = 0;      // an image's pixels per inch at its natural size; 0: stretched to the rectangle
};

// The width and height of a label's text in mm, measured once for every output.
double TextWidthMm(const QString& text, const TFontSpec& font);
double TextHeightMm(const TFontSpec& font);

class TBand {
public:
    double Height = kDefaultBandHeight;
    bool ForceNewPage = false;
    std::vector<TElement> Elements;

    // A label sized to its caption; the result may be moved (right alignment) by the caller.
    TElement& AddLabel(double left, double top, const QString& text, const TFontSpec& font, QColor color = Qt::black);
    // A horizontal line drawn at its top.
    TElement& AddHLine(double left, double top, double width, TPen pen = TPen::Solid);
    // A vertical line drawn at its left.
    TElement& AddVLine(double left, double top, double height);
    // A rectangle: outline in black, filled when fill is valid.
    TElement& AddRect(double left, double top, double width, double height, QColor fill = QColor());
    // An image; a null image draws nothing. With dpi 0 it is stretched to the rectangle; else it
    // keeps its natural size (one pixel a dot at that resolution), centred in the rectangle with its
    // corner on whole 1/300 inch from the page's top-left corner, so that a barcode's modules stay
    // whole dots on paper (stretched after all when it is larger than the rectangle).
    TElement& AddImage(double left, double top, double width, double height, const QImage& image, double dpi = 0);
    // The page code "!5102!0033!" drawn as EAN-8 bars of its eight digits.
    TElement& AddPageCode(double left, double top, const QString& code);
};

struct TPage {
    std::vector<TElement> Elements; // positions from the page's top-left corner
};

// The report of one sheet kind: its bands in order of creation.
class TOstrekReport {
public:
    TBand& NewBand(bool forceNewPage = false);
    std::vector<TBand> Bands;
    // A band that does not fit moves to the next page; starting a new page never makes an empty one.
    std::vector<TPage> Pages() const;
};

// Paints a page; pxPerMm is the device's resolution (the page's top-left at the painter's origin).
void PaintPage(QPainter& painter, const TPage& page, double pxPerMm);

// The EAN-8 number of a page code: its eight digits ("!5102!0033!" gives "51020033"), empty when
// the code has another form.
QString PageCodeDigits(const QString& code);

} // namespace rl
