#include "sheets/ClassesPrilH.h"

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "reportcore/ClassesReportPlan.h"

namespace {

using namespace layout;

// The deduction column: the form's field is 18 mm (six digit cells) while the 1 000 000 roubles
// of lines 020 and 060 take seven, so the field grows one cell to the left into the free room
// beside the captions; its "руб." and kopecks stay where the form has them.
MoneyField Deduction(double top, const char* value) { return MoneyField{149, top, 21, value}; }
MoneyField Income(double top, const char* value) { return MoneyField{45, top, 28, value}; }

const TRows kTopH = {
    Caption{22, 0.1, 10, kBold, "Лист Ж. Расчет имущественных налоговых вычетов по доходам от продажи имущества"},
    Frame{5, 7.7, 187, 7, TFill::GreyPanel},
    Caption{6, 7.7, 8, kBold,
            "1. Расчет имущественных налоговых вычетов по доходам от продажи имущества, установленных пп.1 п.1 ст.220 Кодекса"},
    Caption{6, 14.2, 8, kPlain,
            "1.1. Суммы, полученные от продажи жилых домов, квартир, включая приватизированные жилые помещения, дач, садовых домиков или"},
    Caption{12, 17.4, 8, kPlain, "земельных участков, находившихся в собственности менее 3 лет"},
    Caption{10, 21.2, 8, kPlain, "1.1.1. Сумма дохода от"},
    CaptionLines{17, 24.4, 8, false, "всех источников|выплаты (010)"},
    Caption{101, 19.6, 8, kPlain, "1.1.2. Сумма налогового вычета"},
    CaptionLines{106, 22.7, 7, false, "(документально подтвержденные|расходы либо 1000000 руб., но не|более значения пп. 1.1.1.) (020)"},
    Income(30.8, "Line010"),
    Deduction(30.8, "Line020"),
    Caption{6, 32.3, 8, kPlain,
            "1.2. Суммы, полученные от продажи долей жилых домов, квартир, включая приватизированные жилые помещения, дач, садовых домиков"},
    Caption{12, 35.5, 8, kPlain, "или земельных участков, находившихся в собственности менее 3 лет"},
    Caption{10, 42.5, 8, kPlain, "1.2.1. Сумма дохода от"},
    CaptionLines{17, 45.7, 8, false, "всех источников|выплаты (030)"},
    Caption{101, 37.7, 8, kPlain, "1.2.2. Сумма налогового вычета"},
    CaptionLines{106, 40.8, 7, false,
                 "(документально подтвержденные|расходы либо (1000000 руб. х размер|доли), но не более значения пп. 1.2.1.)|(040)"},
    Income(52.1, "Line030"),
    Deduction(52.1, "Line040"),
    Caption{6, 53.6, 8, kPlain,
            "1.3. Общая сумма, полученная от продажи жилых домов, квартир, включая приватизированные жилые помещения, дач, садовых домиков"},
    Caption{12, 56.8, 8, kPlain, "или земельных участков и долей в указанном имуществе, находившихся в собственности менее 3 лет"},
    Caption{10, 60.6, 8, kPlain, "1.3.1. Сумма дохода от"},
    CaptionLines{17, 63.8, 8, false, "всех источников|выплаты"},
    CaptionLines{17, 70.2, 7, false, "(пп. 1.1.1.+ пп. 1.2.1.)|(050)"},
    Caption{101, 60.6, 8, kPlain, "1.3.2. Общая сумма налогового вычета"},
    CaptionLines{106, 63.8, 7, false,
                 "(документально подтвержденные|расходы в размере не превышающем|значения пп.1.3.1.,но не более|1000000 руб.) (060)"},
    Income(74.4, "Line050"),
    Deduction(74.4, "Line060"),
    Caption{6, 75.9, 8, kPlain,
            "1.4. Суммы, полученные от продажи жилых домов, квартир, включая приватизированные жилые помещения, дач, садовых домиков или"},
    Caption{12, 79.1, 8, kPlain, "земельных участков, находившихся в собственности 3 года и более"},
    Caption{10, 82.9, 8, kPlain, "1.4.1. Сумма дохода от"},
    CaptionLines{17, 86.1, 8, false, "всех источников|выплаты (070)"},
    Caption{101, 86.1, 8, kPlain, "1.4.2. Сумма налогового вычета (не"},
    Caption{106, 89.3, 8, kPlain, "более значения пп. 1.4.1.) (080)"},
    Income(92.5, "Line070"),
    Deduction(92.5, "Line080"),
    Caption{6, 94, 8, kPlain,
            "1.5. Суммы, полученные от продажи долей жилых домов, квартир, включая приватизированные жилые помещения, дач, садовых"},
    Caption{12, 97.2, 8, kPlain, "домиков или земельных участков, находившихся в собственности 3 года и более"},
    Caption{10, 101, 8, kPlain, "1.5.1. Сумма дохода от"},
    CaptionLines{17, 104.2, 8, false, "всех источников|выплаты (090)"},
    Caption{101, 101, 8, kPlain, "1.5.2. Сумма налогового вычета (не"},
    CaptionLines{106, 104.2, 8, false, "более значения пп. 1.5.1.)|(100)"},
    Income(110.6, "Line090"),
    Deduction(110.6, "Line100"),
    Caption{6, 112.1, 8, kPlain, "1.6.Суммы, полученные от продажи иного имущества, находившегося в собственности менее 3-х лет"},
    Caption{10, 119.1, 8, kPlain, "1.6.1. Сумма дохода от"},
    CaptionLines{17, 122.3, 8, false, "всех источников|выплаты (110)"},
    Caption{101, 115.9, 8, kPlain, "1.6.2. Сумма налогового вычета"},
    CaptionLines{106, 119.1, 8, false, "(документально подтвержденные|расходы либо 125000 руб., но не|более значения пп. 1.6.1.) (120)"},
    Income(128.7, "Line110"),
    Deduction(128.7, "Line120"),
    Caption{6, 130.2, 8, kPlain, "1.7.Суммы, полученные от продажи иного имущества, находившегося в собственности 3 года и более"},
    Caption{10, 134, 8, kPlain, "1.7.1. Сумма дохода от"},
    CaptionLines{17, 137.2, 8, false, "всех источников|выплаты (130)"},
    Caption{101, 137.2, 8, kPlain, "1.7.2. Сумма налогового вычета (не"},
    Caption{106, 140.4, 8, kPlain, "более значения пп. 1.7.1.) (140)"},
    Income(143.6, "Line130"),
    Deduction(143.6, "Line140"),
    Caption{6, 145.1, 8, kPlain, "1.8.Суммы, полученные от продажи доли (ее части) в уставном капитале организации"},
    Caption{10, 148.9, 8, kPlain, "1.8.1. Сумма дохода от"},
    CaptionLines{17, 152.1, 8, false, "всех источников|выплаты (150)"},
    Caption{101, 148.9, 8, kPlain, "1.8.2. Сумма документально"},
    CaptionLines{106, 152.1, 8, false, "подтвержденных расходов, но не|более значения пп. 1.8.1. (160)"},
    Income(158.5, "Line150"),
    Deduction(158.5, "Line160"),
    Caption{10, 163, 8, kBold, "Итого:"},
    CaptionLines{22, 163.2, 8, false,
                 "1.9. Общая сумма вычетов|    (пп.1.3.2 + пп.1.4.2 + пп.1.5.2 + пп.1.6.2 + пп.1.7.2 + пп.1.8.2) (170)"},
    MoneyField{135, 172.8, 35, "Line170"},
    Frame{5, 174, 187, 7, TFill::GreyPanel},
    Caption{6, 174, 8, kBold,
            "2. Расчет суммы имущественных налоговых вычетов по доходам от продажи ценных бумаг, установленных п.3 ст.214.1 Кодекса"},
    Caption{6, 180.5, 8, kPlain, "2.1.Суммы, полученные от продажи ценных бумаг, находившихся в собственности менее 3-х лет"},
    Caption{10, 184.3, 8, kPlain, "2.1.1. Сумма дохода от"},
    CaptionLines{17, 187.5, 8, false, "всех источников|выплаты (180)"},
    Caption{101, 184.3, 8, kPlain, "2.1.2. Сумма налогового вычета"},
    CaptionLines{106, 187.5, 7, false, " (125 000 руб, но не более значения|пп. 2.1.1.) (190)"},
    Income(193.9, "Line180"),
    Deduction(193.9, "Line190"),
    Caption{6, 195.4, 8, kPlain, "2.2.Суммы, полученные от продажи ценных бумаг, находившихся в собственности 3 года и более"},
    Caption{10, 199.2, 8, kPlain, "2.2.1. Сумма дохода от"},
    CaptionLines{17, 202.4, 8, false, "всех источников|выплаты (200)"},
    Caption{101, 202.4, 8, kPlain, "2.2.2. Сумма налогового вычета (равно"},
    Caption{106, 205.6, 8, kPlain, "значению пп. 2.1.1.) (210)"},
    Income(208.8, "Line200"),
    Deduction(208.8, "Line210"),
    Caption{10, 213.3, 8, kBold, "Итого:"},
    MoneyField{135, 216.7, 35, "Line220"},
    Caption{22, 213.5, 8, kPlain, "2.3. Общая сумма вычетов (пп.2.1.2 + пп.2.2.2) (220)"},
};

const char* const kLineNames[] = {"Line010", "Line020", "Line030", "Line040", "Line050", "Line060", "Line070", "Line080",
                                  "Line090", "Line100", "Line110", "Line120", "Line130", "Line140", "Line150", "Line160",
                                  "Line170", "Line180", "Line190", "Line200", "Line210", "Line220"};

} // namespace

rl::TBand& clTopH(rl::TOstrekReport& AOwner, const std::array<Currency, 22>& Lines, const QString&, bool) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    for (std::size_t i = 0; i < Lines.size(); ++i) v.Amounts[kLineNames[i]] = Lines[i];
    Layout(band, kTopH, v, true);
    const rl::TElement& last = band.Elements.back(); // the caption of line 220
    band.Height = last.top + last.height;
    return band;
}

bool BuildPrilH(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTSvodSumPrilH& h = ctx.SvodSum.PrilH;
    const int pages = ctx.Plan.SheetPageCount[skPrilH];
    for (int p = 0; p < pages; ++p) {
        PageHeader(report, ctx, skPrilH, p);
        clTopH(report,
               {h.Line010, h.Line020, h.Line030, h.Line040, h.Line050, h.Line060, h.Line070, h.Line080,
                h.Line090, h.Line100, h.Line110, h.Line120, h.Line130, h.Line140, h.Line150, h.Line160,
                h.Line170, h.Line180, h.Line190, h.Line200, h.Line210, h.Line220},
               QString::number(ctx.DanLog.DeclDan->AppK), true);
        PageFooter(report, ctx);
    }
    return true;
}
