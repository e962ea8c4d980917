#include "sheets/ClassesPrilG.h"

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "sheets/SheetPaging.h"

namespace {

using namespace layout;

const TRows kTopG = {
    Caption{12, 1, 10, kBold, "Лист Д. Расчет профессиональных налоговых вычетов по авторским вознаграждениям,"},
    Caption{7, 5, 10, kBold, "вознаграждениям за создание, исполнение или иное использование произведений науки, литературы"},
    Caption{7, 9, 10, kBold, "и искусства, вознаграждениям авторам открытий, изобретений и промышленных образцов (авторские"},
    Caption{83, 13, 10, kBold, "вознаграждения)"},
};
const TRows kTopGHeading = {
    Caption{7, 23, 10, kBold, "1. Расчет сумм фактически произведенных и документально подтвержденных расходов"},
};

const TRows kDohodG = {
    Caption{7, 2, 8, kPlain, "ИНН источника выплаты дохода (010)"},
    Caption{113, 2, 8, kPlain, "/ КПП (020)"},
    TextField{60, 5.2, 47, "INN", rl::TPen::Dot},
    TextField{130, 5.2, 47, "KPP", rl::TPen::Dot},
    CaptionLines{7, 7.2, 8, false, "Наименование источника выплаты дохода|(030)"},
    TextField{65, 12.1, 126, "Name", rl::TPen::Dot},
    TextGoesOn{7, 17.6, 184, "Name", rl::TPen::Dot, 200},
    CaptionLines{75, 21.1, 8, false, "Наименование вида авторского|вознаграждения|(вознаграждения)(050)"},
    CaptionLines{7, 24.3, 8, false, "Код вида авторского вознаграждения|(вознаграждения) (040)"},
    TextField{57, 30.7, 16, "FeeCode", rl::TPen::Dot},
    TextField{111, 30.7, 80, "FeeName", rl::TPen::Dot},
    TextGoesOn{13, 37.1, 177, "FeeName", rl::TPen::Dot, 500},
    CaptionLines{7, 40.3, 8, false, "Сумма авторского вознаграждения|(вознаграждения) (060)"},
    CaptionLines{79, 40.3, 8, false, "Код расхода*|(070)"},
    CaptionLines{103, 40.3, 8, false, "Норматив, %|(080)"},
    Caption{125, 43.5, 8, kPlain, "Сумма расхода (090)"},
    MoneyField{7, 51.5, 43, "Line060"},
    TextField{81, 51.5, 16, "ExpenseCode", rl::TPen::Dot},
    TextField{103, 51.5, 16, "Norm", rl::TPen::Dot},
    MoneyField{125, 51.5, 43, "Line090"},
    HLine{7, 52.7, 184, rl::TPen::Dot},
};

const TRows kItogoG = {
    Caption{7, 4, 10, kBold, "2. Итого:"},
    CaptionLines{51, 1, 8, false, "2.1. Общая сумма авторских вознаграждений|(вознаграждений) (100)"},
    Caption{128, 4.2, 8, kPlain, "2.2. Общая сумма расходов (110)"},
    MoneyField{51, 12.2, 43, "Line100"},
    MoneyField{128, 12.2, 43, "Line110"},
    CaptionLines{7, 21.6, 6, false,
                 "*-указывается код расхода (405 - нормативная величина, в соответствии с п. 3 ст. 221 Налогового кодекса "
                 "Российской Федерации, либо 404 - при наличии документально|подтвержденных расходов)"},
};

QString Str(const std::string& s) { return QString::fromStdString(s); }

TFeeSourceG Source(const DohodAvtVozn& r) {
    const QString norm = Str(r.DeductNormText);
    return {Str(r.INN),           Str(r.KPP), QString(), Str(r.SourseName), Str(r.IncomeCodeText), Str(r.IncomeName),
            Str(r.DeductCodeText), norm == QLatin1String("0") ? QStringLiteral("  ") : norm, r.IncomeSum, r.DeductSum};
}

template <class Sums>
bool BuildSheetG(rl::TOstrekReport& report, const TBuildContext& ctx, int kind, int sourceCountry, const Sums& sums) {
    std::vector<TFeeSourceG> blocks;
    for (const DohodAvtVozn& r : sums.Records) blocks.push_back(Source(r));
    BuildBlockPages(
        report, ctx, kind, blocks, &clDohodG, [&] { clTopG(report, sourceCountry, true); },
        [&](bool last) {
            if (last)
                clItogoG(report, sums.Line100, sums.Line110, QString::number(ctx.DanLog.DeclDan->AppD));
            else
                clItogoG(report, {}, {}, QStringLiteral(" "));
        });
    return true;
}

} // namespace

TRows SourceCountryRows(double R, int SourceCountry, bool PrintValues) {
    static const char* const kRussia = "Доходы получены от источников: в Российской Федерации";
    static const char* const kAbroad = "за пределами Российской Федерации";
    const double b1 = 7 + rl::TextWidthMm(QString::fromUtf8(kRussia), fonts::Unreal(8)) + 1;
    const double abroad = b1 + 4.8 + 4;
    const double b2 = abroad + rl::TextWidthMm(QString::fromUtf8(kAbroad), fonts::Unreal(8)) + 1;
    TRows rows = {
        Caption{7, R, 8, kPlain, kRussia},
        Frame{b1, R, 4.8, 4},
        Caption{abroad, R, 8, kPlain, kAbroad},
        Frame{b2, R, 4.8, 4},
        Caption{b2 + 4.8 + 3, R, 7, kPlain, "(нужное отметить знаком V)"},
        Caption{b2 + 4.8 + 3 + 13, R + 3, 7, kPlain, "(001)"},
    };
    if (PrintValues && (SourceCountry == 1 || SourceCountry == 2))
        rows.push_back(Caption{(SourceCountry == 1 ? b1 : b2) + 1.5, R + 0.2, 8, kBold, "V"});
    return rows;
}

rl::TBand& clTopG(rl::TOstrekReport& AOwner, int SourceCountry, bool PrintValues) {
    rl::TBand& band = AOwner.NewBand(false);
    Layout(band, kTopG, TValues{}, PrintValues);
    Layout(band, SourceCountryRows(17, SourceCountry, PrintValues), TValues{}, PrintValues);
    Layout(band, kTopGHeading, TValues{}, PrintValues);
    band.Height = 30;
    return band;
}

rl::TBand& clDohodG(rl::TOstrekReport& AOwner, const TFeeSourceG& s, bool PrintValues) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    v.Texts = {{"INN", s.INN},         {"KPP", s.KPP},   {"Name", s.Name},        {"FeeCode", s.FeeCode},
               {"FeeName", s.FeeName}, {"Norm", s.Norm}, {"ExpenseCode", s.ExpenseCode}};
    v.Amounts = {{"Line060", s.Fee}, {"Line090", s.Expense}};
    Layout(band, kDohodG, v, PrintValues);
    band.Height = 53.7;
    return band;
}

rl::TBand& clItogoG(rl::TOstrekReport& AOwner, Currency Line100, Currency Line110, const QString&) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    v.Amounts = {{"Line100", Line100}, {"Line110", Line110}};
    Layout(band, kItogoG, v, true);
    band.Height = 38;
    return band;
}

bool BuildPrilG(rl::TOstrekReport& report, const TBuildContext& ctx) {
    return BuildSheetG(report, ctx, skPrilG, 1, ctx.SvodSum.PrilG);
}
bool BuildPrilG_In(rl::TOstrekReport& report, const TBuildContext& ctx) {
    return BuildSheetG(report, ctx, skPrilG_In, 2, ctx.SvodSum.PrilG_In);
}
