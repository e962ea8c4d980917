// Finders over the pages of one sheet kind, shared by the tests of the sheets.
#pragma once

#include "SheetTestUtil.h"
#include "sheets/SheetBuilders.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace sheettest {

inline std::vector<rl::TPage> SheetPages(Run& run, int kind) {
    rl::TOstrekReport report;
    EXPECT_TRUE(BuildSheet(kind, report, run.Context()));
    return report.Pages();
}

inline int Count(const rl::TPage& page, const QString& text) { return static_cast<int>(Labels(page, text).size()); }

inline const rl::TElement* Only(const rl::TPage& page, const QString& text) {
    const auto found = Labels(page, text);
    EXPECT_EQ(found.size(), 1u) << text.toStdString();
    return found.empty() ? nullptr : found[0];
}

// The digit cells (and sign) of a row of amounts at `top`, left to right, with lefts in [from, to).
inline QString DigitRow(const std::vector<rl::TElement>& elements, double top, double from, double to) {
    std::vector<std::pair<double, QString>> cells;
    for (const rl::TElement& e : elements)
        if (e.kind == rl::TElementKind::Label && e.font.family == QLatin1String("Unreal") && e.font.size == 11 &&
            std::abs(e.top - top) < 1e-6 && e.left >= from && e.left < to)
            cells.emplace_back(e.left, e.text);
    std::sort(cells.begin(), cells.end());
    QString out;
    for (const auto& c : cells) out += c.second;
    return out;
}
inline QString DigitRow(const rl::TPage& page, double top, double from, double to) {
    return DigitRow(page.Elements, top, from, to);
}

// The three digits of the page number in the page header.
inline QString HeaderPageNumber(const rl::TPage& page) {
    QString out;
    for (int i = 0; i < 3; ++i)
        for (const rl::TElement& e : page.Elements)
            if (e.kind == rl::TElementKind::Label && e.font.family == QLatin1String("Arial") &&
                std::abs(e.left - (131.2 + 6 * i)) < 1e-6 && std::abs(e.top - 16) < 1e-6)
                out += e.text;
    return out;
}

// The top of the band on a page that holds the caption `text` (its `index`-th on the page) at
// `captionTop` from the band's top; NaN when the page has no such caption.
inline double BandTop(const rl::TPage& page, const QString& text, double captionTop, std::size_t index = 0) {
    const auto found = Labels(page, text);
    return index < found.size() ? found[index]->top - captionTop : std::numeric_limits<double>::quiet_NaN();
}

// How a value block prints a line's value: a text on its underline, roubles and kopecks in digit
// cells, or whole roubles in digit cells.
enum class TField { Text, Money, Roubles };

// Where the value of a form line stands on its band: the value block's Left, Top (its underline)
// and Width, as the form's layout tables give them.
struct TLinePlace {
    TField field;
    double left, top;
    int width;
};

// The value printed at a line's place on the band whose top is bandTop, read as the printing blocks
// place it: a text in its field's span on the line 4.5 mm above the underline (trimmed); an amount
// from the digit cells 4.3 mm above it, the roubles in the cells 3 mm apart that end at the field's
// end and the kopecks in the two cells 7 and 10 mm after it, written "roubles,kopecks". Empty when
// nothing is printed there. In UTF-8, so that a failed check shows it.
inline std::string ValueAt(const rl::TPage& page, double bandTop, const TLinePlace& at) {
    constexpr double kEps = 1e-6;
    if (at.field == TField::Text) {
        QStringList parts;
        for (const rl::TElement& e : page.Elements)
            if (e.kind == rl::TElementKind::Label && e.font.family == QLatin1String("AGLettericaCondensedLight") &&
                std::abs(e.top - (bandTop + at.top - 4.5)) < kEps && e.left >= at.left - kEps &&
                e.left < at.left + at.width)
                parts << e.text;
        return parts.join(QString()).trimmed().toStdString();
    }
    const double top = bandTop + at.top - 4.3;
    auto cell = [&](double left) -> const rl::TElement* {
        for (const rl::TElement& e : page.Elements)
            if (e.kind == rl::TElementKind::Label && e.font.family == QLatin1String("Unreal") && e.font.size == 11 &&
                std::abs(e.top - top) < kEps && std::abs(e.left - left) < kEps)
                return &e;
        return nullptr;
    };
    const double end = at.left + at.width;
    QString roubles;
    for (int i = 1; i <= 16; ++i) {
        const rl::TElement* c = cell(end - 3 * i);
        if (!c) break;
        roubles.prepend(c->text);
    }
    if (at.field == TField::Roubles) return roubles.toStdString();
    QString kopecks;
    for (double left : {end + 7, end + 10})
        if (const rl::TElement* c = cell(left)) kopecks += c->text;
    return roubles.isEmpty() && kopecks.isEmpty() ? std::string() : (roubles + QLatin1Char(',') + kopecks).toStdString();
}

// A band of a page, found by a caption that stands on it at `top` from the band's top.
struct TBandAnchor {
    const char* caption;
    double top;
};

// A form line's place on its band and the value printed there on each of the bands a check walks
// (a sheet's blocks, its pages, or its declarations).
struct TLineCheck {
    const char* line;
    TLinePlace at;
    std::vector<const char*> printed;
};

// Every line's value at its place on the `index`-th band of the page that the anchor finds, against
// column `column` of the rows; `where` names the band in a failure.
inline void ExpectLines(const rl::TPage& page, const TBandAnchor& band, std::size_t index,
                        const std::vector<TLineCheck>& rows, std::size_t column, const std::string& where) {
    const double top = BandTop(page, QString::fromUtf8(band.caption), band.top, index);
    ASSERT_FALSE(std::isnan(top)) << where << "no band with \"" << band.caption << "\"";
    for (const TLineCheck& r : rows) EXPECT_EQ(ValueAt(page, top, r.at), r.printed.at(column)) << where << "line " << r.line;
}

// The filled-in text values ("AGLettericaCondensedLight") of a page or band, in order.
inline QStringList TextValues(const std::vector<rl::TElement>& elements) {
    QStringList out;
    for (const rl::TElement& e : elements)
        if (e.kind == rl::TElementKind::Label && e.font.family == QLatin1String("AGLettericaCondensedLight") && !e.text.isEmpty())
            out << e.text;
    return out;
}

} // namespace sheettest
