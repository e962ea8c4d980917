// The skeleton shared by sheets З (securities operations) and И (the same through a trustee): the
// rows of a block's source, the frame and dashed rules, the title band with its tick row, the
// totals rows, and the builder that puts one source of each kind of operation on a page.
#pragma once

#include "sheets/GeneralClasses.h"

#include <string>
#include <vector>

struct kTSvodSumPrilJK;

// One source block: its source and its amounts in form line order, the block's own figures
// (income, expenses, loss; futures: income, expenses) first, then the sheet figures.
struct TSecuritiesBlock {
    QString INN, KPP, SourceName;
    std::vector<Currency> Lines;
};

namespace securities {

// A dashed rule: "--" repeated with two blanks between the repetitions.
extern const std::string kDashes59, kDashes61;
// The heading of the futures block, two lines.
extern const char* const kFuturesHeading;

TRows Join(std::initializer_list<TRows> parts);
// The source of a block, its captions dy lower than in a block with a one-line heading.
TRows SourceRows(double dy, const char* inn, const char* kpp, const char* name);
// A frame round the sheet figures: white, with its black outline.
layout::Frame FigureFrame(double top, double width, double height);
// Section 4; the line codes differ between the sheets.
TRows TotalsRows(const char* income, const char* taxable, const char* expenses);

// A block band: the rows with the block's values ("INN", "KPP", "Name", "L1" ...).
rl::TBand& Block(rl::TOstrekReport& AOwner, const TRows& rows, double height, const TSecuritiesBlock& b);
// The title band: the tick row's boxes stand 1 mm after the caption before them.
rl::TBand& Title(rl::TOstrekReport& AOwner, const char* line1, double left2, const char* line2, int kind, bool printValues);
rl::TBand& Totals(rl::TOstrekReport& AOwner, const TRows& rows, Currency a, Currency b, Currency c);

// The figures one kind of block prints: its band, its list of sources (index into the sum object's
// Sources), whether it is a futures block (two own amounts), and the sheet figures it carries on
// the page of its last source.
struct TKindOnPage {
    rl::TBand& (*band)(rl::TOstrekReport&, const TSecuritiesBlock&, bool);
    std::size_t sources;
    bool futures;
    std::vector<Currency> figures;
};

bool BuildSheet(rl::TOstrekReport& report, const TBuildContext& ctx, int kind, const kTSvodSumPrilJK& sums,
                rl::TBand& (*title)(rl::TOstrekReport&, int, bool), const std::vector<TKindOnPage>& kinds,
                rl::TBand& (*totals)(rl::TOstrekReport&, Currency, Currency, Currency, const QString&, bool), int docCount);

} // namespace securities
