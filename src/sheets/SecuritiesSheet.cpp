#include "sheets/SecuritiesSheet.h"

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "reportcore/ClassesReportPlan.h"

namespace securities {

using namespace layout;

namespace {

constexpr auto kDot = rl::TPen::Dot;

std::string Dashes(int count) {
    std::string s = "--";
    for (int i = 1; i < count; ++i) s += "  --";
    return s;
}

QString Str(const std::string& s) { return QString::fromStdString(s); }

} // namespace

const std::string kDashes59 = Dashes(59);
const std::string kDashes61 = Dashes(61);

const char* const kFuturesHeading =
    "3. Расчет налоговой базы по операциям с финансовыми инструментами срочных сделок, базисным активом по которым|"
    "являются ценные бумаги";

TRows Join(std::initializer_list<TRows> parts) {
    TRows out;
    for (const TRows& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TRows SourceRows(double dy, const char* inn, const char* kpp, const char* name) {
    return {
        Caption{7, 4.5 + dy, 8, kPlain, inn},
        Caption{97, 4.5 + dy, 8, kPlain, kpp},
        TextField{60, 7.7 + dy, 37, "INN", kDot},
        TextField{113, 7.7 + dy, 37, "KPP", kDot},
        CaptionLines{7, 7.8 + dy, 8, false, name},
        TextField{60, 13.6 + dy, 133, "Name", kDot},
    };
}

Frame FigureFrame(double top, double width, double height) { return Frame{6.5, top, width, height, TFill::White}; }

TRows TotalsRows(const char* income, const char* taxable, const char* expenses) {
    return {
        Caption{7, 0, 9, kBold, "4. ИТОГО"},
        Caption{7, 4, 7, kBold, "4.1. Сумма полученного дохода"},
        Caption{66, 4, 7, kBold, "4.2. Сумма облагаемого дохода"},
        CaptionLines{127, 4, 7, true, "4.3. Сумма документально подтвержденных|расходов, принимаемых к вычету"},
        Caption{7, 6.8, 7, kPlain, income},
        Caption{66, 6.8, 7, kPlain, taxable},
        Caption{170, 6.8, 7, kPlain, expenses},
        MoneyField{7, 13.8, 39, "L1"},
        MoneyField{66, 13.8, 39, "L2"},
        MoneyField{127, 13.8, 39, "L3"},
        Caption{7, 14.8, 7, kPlain, kDashes61.c_str()},
    };
}

rl::TBand& Block(rl::TOstrekReport& AOwner, const TRows& rows, double height, const TSecuritiesBlock& b) {
    static const char* const kNames[] = {"L1", "L2", "L3", "L4", "L5", "L6"};
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    v.Texts = {{"INN", b.INN}, {"KPP", b.KPP}, {"Name", b.SourceName}};
    for (std::size_t i = 0; i < b.Lines.size() && i < std::size(kNames); ++i) v.Amounts[kNames[i]] = b.Lines[i];
    // The block bands print whatever they are given.
    Layout(band, rows, v, true);
    band.Height = height;
    return band;
}

rl::TBand& Title(rl::TOstrekReport& AOwner, const char* line1, double left2, const char* line2, int kind, bool printValues) {
    static const char* const kRussia = "Доходы получены от источников: в Российской Федерации";
    static const char* const kAbroad = "за пределами Российской Федерации";
    if (!printValues) kind = 0;
    const double russiaEnd = 7 + rl::TextWidthMm(QString::fromUtf8(kRussia), fonts::Unreal(8));
    const double abroad = russiaEnd + 1 + 4.8 + 4;
    const double abroadEnd = abroad + rl::TextWidthMm(QString::fromUtf8(kAbroad), fonts::Unreal(8));
    const double box2End = abroadEnd + 1 + 4.8;
    TRows rows = {
        Caption{6, 0.1, 9, kBold, line1},
        Caption{left2, 4.1, 9, kBold, line2},
        Caption{7, 8.1, 8, kPlain, kRussia},
    };
    if (kind == 1) rows.push_back(Caption{russiaEnd + 2.5, 8.3, 8, kBold, "V"});
    rows.push_back(Frame{russiaEnd + 1, 8.1, 4.8, 4});
    rows.push_back(Caption{abroad, 8.1, 8, kPlain, kAbroad});
    if (kind == 2) rows.push_back(Caption{abroadEnd + 2.5, 8.3, 8, kBold, "V"});
    rows.push_back(Frame{abroadEnd + 1, 8.1, 4.8, 4});
    rows.push_back(Caption{box2End + 3, 8.1, 7, kPlain, "(нужное отметить знаком V)"});
    rows.push_back(Caption{7, 12.1, 7, kPlain, kDashes59.c_str()});
    rows.push_back(Caption{box2End + 13, 10.3, 7, kPlain, "(001)"});
    rows.push_back(Caption{7, 14.1, 8, kBold,
                           "1. Расчет налоговой базы при продаже ценных бумаг при наличии документально подтвержденных расходов"});
    rl::TBand& band = AOwner.NewBand(false);
    Layout(band, rows, TValues{}, printValues);
    const rl::TElement& last = band.Elements.back();
    band.Height = last.top + last.height;
    return band;
}

rl::TBand& Totals(rl::TOstrekReport& AOwner, const TRows& rows, Currency a, Currency b, Currency c) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    v.Amounts = {{"L1", a}, {"L2", b}, {"L3", c}};
    Layout(band, rows, v, true);
    band.Height = 18.8;
    return band;
}


bool BuildSheet(rl::TOstrekReport& report, const TBuildContext& ctx, int kind, const kTSvodSumPrilJK& sums,
                rl::TBand& (*title)(rl::TOstrekReport&, int, bool), const std::vector<TKindOnPage>& kinds,
                rl::TBand& (*totals)(rl::TOstrekReport&, Currency, Currency, Currency, const QString&, bool), int docCount) {
    const int pages = ctx.Plan.SheetPageCount[kind];
    for (int p = 0; p < pages; ++p) {
        const auto i = static_cast<std::size_t>(p);
        PageHeader(report, ctx, kind, p);
        title(report, 1, true);
        for (const TKindOnPage& k : kinds) {
            const std::vector<CBDoh>& list = sums.Sources.at(k.sources);
            TSecuritiesBlock block;
            const std::size_t own = k.futures ? 2 : 3;
            block.Lines.assign(own + k.figures.size(), Currency());
            if (i < list.size()) {
                const CBDoh& r = list[i];
                block.INN = Str(r.INN);
                block.KPP = Str(r.KPP);
                block.SourceName = Str(r.SourceName);
                block.Lines[0] = r.SaleSum;
                block.Lines[1] = r.ExpenseSum;
                if (!k.futures) block.Lines[2] = r.LossSum;
                // The sheet figures of a kind print once, in the block of its last source.
                if (i + 1 == list.size()) std::copy(k.figures.begin(), k.figures.end(), block.Lines.begin() + static_cast<long>(own));
            }
            k.band(report, block, true);
        }
        if (p == pages - 1)
            totals(report, sums.IncomeTotal, sums.TaxableTotal, sums.ExpenseTotal, QString::number(docCount), true);
        else
            totals(report, {}, {}, {}, QString(), true);
        PageFooter(report, ctx);
    }
    return true;
}

} // namespace securities
