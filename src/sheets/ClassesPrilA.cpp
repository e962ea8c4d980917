#include "sheets/ClassesPrilA.h"

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "sheets/SheetPaging.h"

namespace {

using namespace layout;

const TRows kTopA = {
    Caption{40, 1, 11, kBold, "Лист А. Доходы от источников в Российской Федерации,"},
    ValueLabel{61, 6, "RateCaption", 11, kBold, kAlways},
    Caption{7, 20, 10, kBold, "1. Расчет сумм доходов и налога"},
};

const TRows kDohodA = {
    Caption{7, 2, 8, kPlain, "ИНН источника выплаты дохода (010)"},
    Caption{93, 2, 8, kPlain, "/ КПП (020)"},
    Caption{138, 2, 8, kPlain, "/ Код по ОКАТО (021)"},
    TextField{60, 5.2, 30, "INN", rl::TPen::Dot},
    TextField{108, 5.2, 30, "KPP", rl::TPen::Dot},
    TextField{168, 5.2, 27, "OKATO", rl::TPen::Dot},
    CaptionLines{7, 8.2, 8, false, "Наименование источника выплаты дохода|(030)"},
    TextField{66, 14.6, 130, "Name", rl::TPen::Dot},
    TextGoesOn{7, 20.1, 189, "Name", rl::TPen::Dot, 200},
    Caption{7, 23.6, 8, kPlain, "Сумма дохода (040)"},
    Caption{98, 23.6, 8, kPlain, "Сумма облагаемого дохода (050)"},
    MoneyField{35, 26.8, 41, "Line040"},
    MoneyField{141, 26.8, 35, "Line050"},
    Caption{7, 29.1, 8, kPlain, "Сумма налога к уплате (060)"},
    Caption{98, 29.1, 8, kPlain, "Сумма налога уплаченная (070)"},
    RublesField{45, 32.3, 44, "Line060"},
    RublesField{141, 32.3, 44, "Line070"},
    HLine{7, 34.3, 189, rl::TPen::Dot},
};

const TRows kItogoA = {
    Caption{7, 2, 10, kBold, "2. Итоговые результаты"},
    CaptionLines{101, 7, 8, false, "2.2. Общая сумма|облагаемого дохода|(090)"},
    CaptionLines{7, 10.5, 8, false, "2.1. Общая сумма|дохода (080)"},
    MoneyField{33, 17, 44, "Line080"},
    MoneyField{128, 17, 44, "Line090"},
    CaptionLines{7, 19.5, 8, false, "2.3. Сумма налога к уплате|(100)"},
    CaptionLines{101, 19.5, 8, false, "2.4. Сумма налога уплаченная|(110)"},
    RublesField{45, 26, 44, "Line100"},
    RublesField{142, 26, 44, "Line110"},
    HLine{7, 30, 183, rl::TPen::Dot},
};

QString Str(const std::string& s) { return QString::fromStdString(s); }

bool BuildPrilA(rl::TOstrekReport& report, const TBuildContext& ctx, int kind, const char* rateText,
                const kTSvodSumPrilA& sums) {
    std::vector<TSourceA> blocks;
    for (const RecA& s : sums.Sources)
        blocks.push_back(
            {Str(s.INN), Str(s.KPP), Str(s.OKATO), Str(s.SourseName), s.Income, s.Obl, s.TaxIsch, s.HoldSum});
    BuildBlockPages(
        report, ctx, kind, blocks, &clDohodA, [&] { clTopA(report, QString::fromUtf8(rateText), true); },
        [&](bool last) {
            if (last)
                clItogoA(report, sums.Line080, sums.Line090, sums.Line100, sums.Line110, true);
            else
                clItogoA(report, {}, {}, {}, {}, true);
        });
    return true;
}

} // namespace

rl::TBand& clTopA(rl::TOstrekReport& AOwner, const QString& RateText, bool PrintValues) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    v.Texts["RateCaption"] = QStringLiteral("облагаемые налогом по ставке (001)") + (PrintValues ? RateText : QStringLiteral("____")) +
                             QStringLiteral("%");
    Layout(band, kTopA, v, PrintValues);
    const rl::TElement& third = band.Elements.back();
    band.Height = third.top + third.height + 1;
    return band;
}

rl::TBand& clDohodA(rl::TOstrekReport& AOwner, const TSourceA& s, bool PrintValues) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    v.Texts = {{"INN", s.INN}, {"KPP", s.KPP}, {"OKATO", s.OKATO}, {"Name", s.Name}};
    v.Amounts = {{"Line040", s.Income}, {"Line050", s.Taxable}};
    v.Roubles = {{"Line060", RoundHalfUpRoubles(s.TaxDue)}, {"Line070", RoundHalfUpRoubles(s.TaxPaid)}};
    Layout(band, kDohodA, v, PrintValues);
    band.Height = 37;
    return band;
}

rl::TBand& clItogoA(rl::TOstrekReport& AOwner, Currency Line080, Currency Line090, Currency Line100, Currency Line110,
                    bool PrintValues) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    v.Amounts = {{"Line080", Line080}, {"Line090", Line090}};
    v.Roubles = {{"Line100", RoundHalfUpRoubles(Line100)}, {"Line110", RoundHalfUpRoubles(Line110)}};
    Layout(band, kItogoA, v, PrintValues);
    band.Height = 30 + 16;
    return band;
}

bool BuildPrilA9(rl::TOstrekReport& report, const TBuildContext& ctx) {
    return BuildPrilA(report, ctx, skPrilA9, "   9   ", ctx.SvodSum.PrilA6);
}
bool BuildPrilA13(rl::TOstrekReport& report, const TBuildContext& ctx) {
    return BuildPrilA(report, ctx, skPrilA13, "  13   ", ctx.SvodSum.PrilA13);
}
bool BuildPrilA30(rl::TOstrekReport& report, const TBuildContext& ctx) {
    return BuildPrilA(report, ctx, skPrilA30, "  30   ", ctx.SvodSum.PrilA30);
}
bool BuildPrilA35(rl::TOstrekReport& report, const TBuildContext& ctx) {
    return BuildPrilA(report, ctx, skPrilA35, "  35   ", ctx.SvodSum.PrilA35);
}
