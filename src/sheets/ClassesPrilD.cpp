#include "sheets/ClassesPrilD.h"

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "sheets/ClassesPrilG.h"
#include "sheets/SheetPaging.h"

namespace {

using namespace layout;

const TRows kTopD = {
    Caption{28, 1, 10, kBold, "Лист Е. Расчет профессиональных налоговых вычетов по договорам"},
    Caption{70, 6, 10, kBold, "гражданско-правового характера"},
};
const TRows kTopDHeading = {
    Caption{7, 19, 10, kBold, "1. Расчет суммы фактически произведенных и документально подтвержденных расходов"},
};

const TRows kDohodD = {
    Caption{13, 1, 8, kPlain, "ИНН источника выплаты дохода (010)"},
    Caption{123, 1, 8, kPlain, "/ КПП (020)"},
    TextField{70, 4.2, 42, "INN", rl::TPen::Dot},
    TextField{140, 4.2, 42, "KPP", rl::TPen::Dot},
    CaptionLines{13, 7.2, 8, false, "Наименование источника выплаты дохода|(030)"},
    TextField{71, 13.6, 118, "Name", rl::TPen::Dot},
    TextGoesOn{13, 19.1, 175, "Name", rl::TPen::Dot, 200},
    Caption{13, 22.6, 8, kPlain, "Сумма дохода (040)"},
    Caption{107, 22.6, 8, kPlain, "Сумма расхода (050)"},
    MoneyField{45, 25.8, 41, "Line040"},
    MoneyField{137, 25.8, 35, "Line050"},
    HLine{7, 27.8, 184, rl::TPen::Dot},
};

const TRows kItogoD = {
    Caption{7, 0, 10, kBold, "2. Итого:"},
    Caption{55, 0, 8, kPlain, "2.1. Общая сумма доходов (060)"},
    Caption{128, 0, 8, kPlain, "2.2. Общая сумма расходов (070)"},
    MoneyField{55, 8, 43, "Line060"},
    MoneyField{128, 8, 43, "Line070"},
};

QString Str(const std::string& s) { return QString::fromStdString(s); }

} // namespace

rl::TBand& clTopD(rl::TOstrekReport& AOwner, int SourceCountry, bool PrintValues) {
    rl::TBand& band = AOwner.NewBand(false);
    Layout(band, kTopD, TValues{}, PrintValues);
    Layout(band, SourceCountryRows(12, SourceCountry, PrintValues), TValues{}, PrintValues);
    Layout(band, kTopDHeading, TValues{}, PrintValues);
    const rl::TElement& heading = band.Elements.back();
    band.Height = heading.top + heading.height + 1;
    return band;
}

rl::TBand& clDohodD(rl::TOstrekReport& AOwner, const TContractSourceD& s, bool PrintValues) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    v.Texts = {{"INN", s.INN}, {"KPP", s.KPP}, {"Name", s.Name}};
    v.Amounts = {{"Line040", s.Income}, {"Line050", s.Expense}};
    Layout(band, kDohodD, v, PrintValues);
    band.Height = 30;
    return band;
}

rl::TBand& clItogoD(rl::TOstrekReport& AOwner, Currency Line060, Currency Line070, const QString&) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    v.Amounts = {{"Line060", Line060}, {"Line070", Line070}};
    Layout(band, kItogoD, v, true);
    band.Height = 40;
    return band;
}

bool BuildPrilD(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTSvodSumPrilD& sums = ctx.SvodSum.PrilD;
    std::vector<TContractSourceD> blocks;
    for (const DohodGragdPravHar& r : sums.Records)
        blocks.push_back({Str(r.INN), Str(r.KPP), QString(), Str(r.SourseName), r.IncomeSum, r.DeductSum});
    BuildBlockPages(
        report, ctx, skPrilD, blocks, &clDohodD, [&] { clTopD(report, 1, true); },
        [&](bool last) {
            if (last)
                clItogoD(report, sums.Line060, sums.Line070, QString::number(ctx.DanLog.DeclDan->AppE));
            else
                clItogoD(report, {}, {}, QStringLiteral(" "));
        });
    return true;
}
