// Finders over the pages of one sheet kind, shared by the tests of the sheets.
#pragma once

#include "SheetTestUtil.h"
#include "sheets/SheetBuilders.h"

#include <algorithm>
#include <gtest/gtest.h>

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

// The filled-in text values ("AGLettericaCondensedLight") of a page or band, in order.
inline QStringList TextValues(const std::vector<rl::TElement>& elements) {
    QStringList out;
    for (const rl::TElement& e : elements)
        if (e.kind == rl::TElementKind::Label && e.font.family == QLatin1String("AGLettericaCondensedLight") && !e.text.isEmpty())
            out << e.text;
    return out;
}

} // namespace sheettest
