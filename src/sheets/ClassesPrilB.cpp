#include "sheets/ClassesPrilB.h"

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "sheets/SheetPaging.h"

namespace {

using namespace layout;

const TRows kTopB = {
    Caption{24, 1, 11, kBold, "Лист Б. Доходы от источников за пределами Российской Федерации,"},
    ValueLabel{61, 6, "RateCaption", 11, kBold, kAlways},
    Caption{7, 20, 10, kBold, "1. Расчет сумм доходов и налога"},
};

// Several captions begin or end with a blank, as on the form.
const TRows kDohodB = {
    Caption{7, 4, 8, kPlain, "Код страны по классификатору ОКСМ (числовой)(010)"},
    CharBoxes{93, 2.5, 3, "CountryCode"},
    Caption{7, 9.5, 7, kPlain, "Наименование источника выплаты дохода (020)"},
    TextField{63, 12.3, 122, "SourceName", rl::TPen::Dot},
    Caption{7, 15.1, 7, kPlain, "Наименование валюты (030)"},
    Caption{143, 15.1, 7, kPlain, "Код валюты (040)"},
    TextField{40, 17.9, 100, "CurrencyName", rl::TPen::Dot},
    TextField{168, 17.9, 20, "CurrencyCode", rl::TPen::Dot},
    CaptionLines{100, 19.9, 7, false, "Курс иностранной валюты,|установленный Банком России на| дату получения дохода (060)"},
    CaptionLines{7, 22.7, 7, false, "Дата получения дохода|(цифрами день, месяц, год)(050)"},
    TextField{47, 28.3, 50, "IncomeDate", rl::TPen::Dot},
    TextField{142, 28.3, 45, "IncomeRate", rl::TPen::Dot},
    CaptionLines{100, 30.3, 7, false, "Сумма дохода полученного в|иностранной валюте в пересчете|в рубли (080)"},
    CaptionLines{7, 33.1, 7, false, "Сумма дохода, полученного в|иностранной валюте (070)"},
    MoneyField{142, 38.7, 33, "Line080"},
    TextField{47, 38.7, 50, "IncomeCur", rl::TPen::Dot},
    CaptionLines{100, 40.7, 7, false, "Курс иностранной валюты,|установленный Банком России на| дату уплаты налога (100)"},
    CaptionLines{7, 43.5, 7, false, "Дата уплаты налога (цифрами|день, месяц, год)(090)"},
    TextField{47, 49.1, 50, "TaxDate", rl::TPen::Dot},
    TextField{142, 49.1, 45, "TaxRate", rl::TPen::Dot},
    CaptionLines{7, 51.1, 7, false, "Сумма налога, уплаченного в |иностранном государстве|в иностранной валюте (110)"},
    CaptionLines{100, 51.1, 7, false, "Сумма налога, уплаченного в |иностранном государстве в |пересчете в рубли (120)"},
    TextField{47, 59.5, 50, "TaxCur", rl::TPen::Dot},
    MoneyField{142, 59.5, 33, "Line120"},
    CaptionLines{7, 61.5, 7, false, "Сумма налога, исчисленного в|Российской Федерации по|соответствующей ставке (130)"},
    CaptionLines{100, 61.5, 7, false, "Сумма налога, подлежащая|зачету в Российской Федерации|(140)"},
    RublesField{47, 69.9, 33, "Line130"},
    RublesField{142, 69.9, 33, "Line140"},
    HLine{7, 71.1, 185, rl::TPen::Dot},
};

const TRows kItogoB = {
    Caption{7, 2, 10, kBold, "2. Итоговые результаты:"},
    CaptionLines{7, 8, 7, false, "2.1. Общая сумма дохода,|полученного в иностранной|валюте в пересчете в рубли (150)"},
    CaptionLines{100, 8, 7, false, "2.2. Общая сумма налога,|уплаченного в иностранных|государствах в пересчете в|рубли (160)"},
    MoneyField{47, 16.4, 33, "Line150"},
    MoneyField{137, 16.4, 33, "Line160"},
    CaptionLines{7, 18.4, 7, false, "2.3. Общая сумма налога,|исчисленного в Российской|Федерации по соответствующей|ставке (170)"},
    CaptionLines{100, 21.2, 7, false, "2.4. Общая сумма налога,|подлежащая зачету в|Российской Федерации (180)"},
    RublesField{47, 29.6, 33, "Line170"},
    RublesField{137, 29.6, 33, "Line180"},
    HLine{7, 30.8, 185, rl::TPen::Dot},
};

QString Str(const std::string& s) { return QString::fromStdString(s); }

// A rate per currency unit in the general number format, with the run's ",".
QString RatePerUnit(Currency rate, std::int32_t units) {
    return QString::fromStdString(FloatToStr(rate.ToDouble() / (units != 0 ? units : 1), ','));
}

TIncomeB Income(const kTInoValutDoh& d) {
    return {Str(d.CountryCode),
            Str(d.SourseName),
            QString::fromStdString(DateToStr(d.IncomeDate)),
            Str(d.CurrencyCode),
            RatePerUnit(d.IncomeRate, d.IncomeUnits),
            Str(d.CurrencyName),
            QString::fromStdString(d.IncomeCur.ToString(',')),
            QString::fromStdString(d.TaxCur.ToString(',')),
            QString::fromStdString(DateToStr(d.TaxDate)),
            RatePerUnit(d.TaxRate, d.TaxUnits),
            d.IncomeRub,
            d.TaxRub,
            d.TaxDue,
            d.TaxCredit};
}

bool BuildPrilB(rl::TOstrekReport& report, const TBuildContext& ctx, int kind, int rate, const char* rateText,
                const kTSvodSumPrilB& totals) {
    std::vector<TIncomeB> blocks;
    for (const kTInoValutDoh& d : ctx.DanLog.Dohody->InoValutList.Items)
        if (d.Stav == rate) blocks.push_back(Income(d));
    BuildBlockPages(
        report, ctx, kind, blocks, &clDohodB, [&] { clTopB(report, QString::fromUtf8(rateText), true); },
        [&](bool last) {
            if (last)
                clItogoB(report, totals.Line150, totals.Line160, totals.Line170, totals.Line180, true);
            else
                clItogoB(report, {}, {}, {}, {}, true);
        });
    return true;
}

} // namespace

rl::TBand& clTopB(rl::TOstrekReport& AOwner, const QString& RateText, bool PrintValues) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    v.Texts["RateCaption"] = QStringLiteral("облагаемые налогом по ставке (001)") + (PrintValues ? RateText : QStringLiteral("____")) +
                             QStringLiteral("%");
    Layout(band, kTopB, v, PrintValues);
    const rl::TElement& third = band.Elements.back();
    band.Height = third.top + third.height + 1;
    return band;
}

rl::TBand& clDohodB(rl::TOstrekReport& AOwner, const TIncomeB& d, bool PrintValues) {
    rl::TBand& band = AOwner.NewBand(false);
    // The date and rate of the tax payment only where a foreign tax was paid.
    const bool taxPaid = d.TaxRub > Currency();
    TValues v;
    v.Texts = {{"CountryCode", d.CountryCode.rightJustified(3, QLatin1Char(' '))},
               {"SourceName", d.SourceName},
               {"IncomeDate", d.IncomeDate},
               {"CurrencyCode", d.CurrencyCode},
               {"IncomeRate", d.IncomeRate},
               {"CurrencyName", d.CurrencyName},
               {"IncomeCur", d.IncomeCur},
               {"TaxCur", d.TaxCur},
               {"TaxDate", taxPaid ? d.TaxDate : QString()},
               {"TaxRate", taxPaid ? d.TaxRate : QString()}};
    v.Amounts = {{"Line080", d.IncomeRub}, {"Line120", d.TaxRub}};
    v.Roubles = {{"Line130", RoundHalfUpRoubles(d.TaxDue)}, {"Line140", RoundHalfUpRoubles(d.TaxCredit)}};
    Layout(band, kDohodB, v, PrintValues);
    band.Height = 71.1 + 5;
    return band;
}

rl::TBand& clItogoB(rl::TOstrekReport& AOwner, Currency Line150, Currency Line160, Currency Line170, Currency Line180,
                    bool PrintValues) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    v.Amounts = {{"Line150", Line150}, {"Line160", Line160}};
    v.Roubles = {{"Line170", RoundHalfUpRoubles(Line170)}, {"Line180", RoundHalfUpRoubles(Line180)}};
    Layout(band, kItogoB, v, PrintValues);
    band.Height = 30.8 + 10;
    return band;
}

bool BuildPrilB9(rl::TOstrekReport& report, const TBuildContext& ctx) {
    return BuildPrilB(report, ctx, skPrilB9, 9, "   9   ", ctx.SvodSum.PrilB9);
}
bool BuildPrilB13(rl::TOstrekReport& report, const TBuildContext& ctx) {
    return BuildPrilB(report, ctx, skPrilB13, 13, "  13   ", ctx.SvodSum.PrilB13);
}
bool BuildPrilB35(rl::TOstrekReport& report, const TBuildContext& ctx) {
    return BuildPrilB(report, ctx, skPrilB35, 35, "  35   ", ctx.SvodSum.PrilB35);
}
