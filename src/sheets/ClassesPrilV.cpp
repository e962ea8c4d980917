#include "sheets/ClassesPrilV.h"

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "sheets/SheetPaging.h"

namespace {

using namespace layout;

const TRows kOneV = {
    Caption{13, 3, 11, kBold, "Лист В. Доходы от предпринимательской деятельности и частной практики"},
    Frame{8, 10, 179, 0.2},
    Caption{8, 12, 9, kBold, "1. Вид деятельности"},
    CaptionLines{13, 18.4, 8, false, "1.1. Наименование вида|деятельности (010)"},
    TextField{50, 24.8, 141, "Name", rl::TPen::Dot},
    TextGoesOn{13, 31.2, 177, "Name", rl::TPen::Dot, 500},
    Caption{13, 35.2, 8, kPlain, "1.2. Код вида деятельности (020)"},
    CharBoxes{73, 35.2, 2, "Group1"},
    CharBoxes{88, 35.2, 2, "Group2"},
    CharBoxes{103, 35.2, 2, "Group3"},
    Caption{8, 42.8, 9, kBold, "2. Показатели, используемые для расчета налоговой базы и суммы налога"},
    Caption{13, 47.3, 8, kPlain, "2.1. Месяцы, в которых физическое лицо имело статус индивидуального"},
    CaptionLines{8, 50.5, 8, false,
                 "предпринимателя, нотариуса, занимающегося частной практикой, адвоката, учредившего|"
                 "адвокатский кабинет (зачеркните клетки нужных месяцев) (030)"},
    // The month grid: twelve cells of 4.8 mm sharing their left edge.
    Frame{133, 47.5, 4.8, 10}, Frame{133, 47.5, 9.6, 10}, Frame{133, 47.5, 14.4, 10}, Frame{133, 47.5, 19.2, 10},
    Frame{133, 47.5, 24, 10}, Frame{133, 47.5, 28.8, 10}, Frame{133, 47.5, 33.6, 10}, Frame{133, 47.5, 38.4, 10},
    Frame{133, 47.5, 43.2, 10}, Frame{133, 47.5, 48, 10}, Frame{133, 47.5, 52.8, 10}, Frame{133, 47.5, 57.6, 10},
    Caption{134.2, 50.5, 10, kBold, "1"}, Caption{139, 50.5, 10, kBold, "2"}, Caption{143.8, 50.5, 10, kBold, "3"},
    Caption{148.6, 50.5, 10, kBold, "4"}, Caption{153.4, 50.5, 10, kBold, "5"}, Caption{158.2, 50.5, 10, kBold, "6"},
    Caption{163, 50.5, 10, kBold, "7"}, Caption{167.8, 50.5, 10, kBold, "8"}, Caption{172.6, 50.5, 10, kBold, "9"},
    Caption{176.5, 50.5, 10, kBold, "10"}, Caption{181.3, 50.5, 10, kBold, "11"}, Caption{186.1, 50.5, 10, kBold, "12"},
    Caption{13, 58.9, 8, kPlain, "2.2. Сумма дохода (040)"},
    MoneyField{114, 62.1, 50, "Line040"},
    CaptionLines{13, 67.1, 8, false,
                 "2.3. Сумма фактически произведенных расходов,|"
                 "учитываемых в составе профессионального налогового вычета (050)|В том числе"},
    MoneyField{114, 73.5, 50, "Line050"},
    Caption{13, 76.7, 8, kPlain, "2.3.1. Сумма материальных расходов (060)"},
    MoneyField{114, 79.9, 50, "Line060"},
    Caption{13, 83.9, 8, kPlain, "2.3.2. Сумма амортизационных отчислений (070)"},
    MoneyField{114, 87.1, 50, "Line070"},
    Caption{13, 91.1, 8, kPlain, "2.3.3. Сумма расходов на оплату труда (080)"},
    MoneyField{114, 94.3, 50, "Line080"},
    Caption{13, 98.3, 8, kPlain, "2.3.4. Сумма прочих расходов (090)"},
    MoneyField{114, 101.5, 50, "Line090"},
    CaptionLines{13, 111.9, 8, false,
                 "2.4. Сумма расходов, учитываемых в составе профессионального|"
                 "налогового вычета в пределах норматива (п.п. 2.2.* 0,20)   (100)"},
    MoneyField{114, 121.5, 50, "Line100"},
    Frame{8, 122.7, 179, 0.2},
};

// The line that crosses out month m (from 1): across the middle of its cell.
HLine MonthCrossing(int m) { return HLine{133 + 4.8 * (m - 1), 47.5 + 5, 4.8, rl::TPen::Strike}; }

const TRows kItogoV = {
    Caption{8, 1, 9, kBold, "3.Итого:"},
    Caption{13, 6.2, 8, kPlain, "3.1. Сумма дохода (110)"},
    MoneyField{114, 9.4, 55, "Line110"},
    Caption{13, 11.4, 8, kPlain, "3.2. Сумма профессионального налогового вычета (120)"},
    MoneyField{114, 17.8, 55, "Line120"},
    Caption{13, 19.8, 8, kPlain, "3.3. Сумма начисленных авансовых платежей (130)"},
    MoneyField{114, 26.2, 55, "Line130"},
    Caption{13, 28.2, 8, kPlain, "3.4. Сумма фактически уплаченных авансовых платежей (140)"},
    MoneyField{114, 34.6, 55, "Line140"},
    Frame{8, 38.6, 179, 0.2},
};

QString Str(const std::string& s) { return QString::fromStdString(s); }

TActivityV Activity(const kTPredprinimDeyatDoh& a, std::uint16_t monthSet) {
    TActivityV v{Str(a.Name),
                 Str(a.Code),
                 a.TotalIncome,
                 a.ExpenseTotals.Mat,
                 a.ExpenseTotals.Amortization,
                 a.ExpenseTotals.WorkPay,
                 a.ExpenseTotals.Other,
                 {},
                 {},
                 monthSet};
    // Documented expenses go to line 050, else the amount is the 20 % norm of line 100.
    (a.ConfirmedExpenses ? v.Incurred : v.AtNorm) = a.ResultExpense;
    return v;
}

} // namespace

TCodeGroups SplitActivityCode(const QString& Code) {
    TCodeGroups g;
    const qsizetype first = Code.indexOf(QLatin1Char('.'));
    if (first < 0) {
        g.Group3 = Code;
    } else {
        g.Group1 = Code.left(first);
        const QString rest = Code.mid(first + 1, 100);
        const qsizetype second = rest.indexOf(QLatin1Char('.'));
        if (second < 0) {
            g.Group3 = rest;
        } else {
            g.Group2 = rest.left(second);
            g.Group3 = rest.mid(second + 1, 100);
        }
    }
    g.Group1 = g.Group1.left(2);
    g.Group2 = g.Group2.left(2);
    g.Group3 = g.Group3.left(2);
    return g;
}

rl::TBand& clOneV(rl::TOstrekReport& AOwner, const TActivityV& a) {
    rl::TBand& band = AOwner.NewBand(false);
    const TCodeGroups code = SplitActivityCode(a.Code);
    TValues v;
    v.Texts = {{"Name", a.Name}, {"Group1", code.Group1}, {"Group2", code.Group2}, {"Group3", code.Group3}};
    v.Amounts = {{"Line040", a.Income}, {"Line050", a.Incurred}, {"Line060", a.Material}, {"Line070", a.Depreciation},
                 {"Line080", a.Wages},  {"Line090", a.Other},    {"Line100", a.AtNorm}};
    TRows rows = kOneV;
    for (int m = 1; m <= 12; ++m)
        if (a.MonthSet & (1u << (m - 1))) rows.push_back(MonthCrossing(m));
    Layout(band, rows, v, true);
    band.Height = 122.7 + 2.2;
    return band;
}

rl::TBand& clItogoV(rl::TOstrekReport& AOwner, Currency Line110, Currency Line120, Currency Line140, Currency Line130,
                    const QString&) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    v.Amounts = {{"Line110", Line110}, {"Line120", Line120}, {"Line130", Line130}, {"Line140", Line140}};
    Layout(band, kItogoV, v, true);
    band.Height = 38.6 + 60.5;
    return band;
}

bool BuildPrilV(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTPredprinimDeyatList& list = ctx.DanLog.Dohody->PredprinimDeyatList;
    const kTSvodSumPrilV& totals = ctx.SvodSum.PrilV;
    const int pages = ctx.Plan.SheetPageCount[skPrilV];
    for (int p = 0; p < pages; ++p) {
        PageHeader(report, ctx, skPrilV, p);
        TActivityV activity;
        activity.MonthSet = list.MonthSet;
        if (RecordsOnPage(list.Items.size(), BlocksPerPage(skPrilV), p) == 1)
            activity = Activity(list.Items[static_cast<std::size_t>(p)], list.MonthSet);
        clOneV(report, activity);
        if (p == pages - 1)
            clItogoV(report, totals.Line110, totals.Line120, totals.Line140, totals.Line130,
                     QString::number(ctx.DanLog.DeclDan->AppV));
        else
            clItogoV(report, {}, {}, {}, {}, QString());
        PageFooter(report, ctx);
    }
    return true;
}
