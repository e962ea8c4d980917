#include "sheets/ClassesPrilE.h"

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "reportcore/ClassesReportPlan.h"

namespace {

using namespace layout;

const TRows kTopE = {
    Caption{30, 1, 11, kBold, "Лист К. Расчет стандартных и социальных налоговых вычетов"},
};

MoneyField Month(double left, double top, const char* value) { return MoneyField{left, top, 37, value}; }

const TRows kPartOne = {
    Caption{8, 0, 9, kBold, "1. Доход по месяцам налогового периода (заполняется нарастающим итогом)"},
    Caption{9, 4.2, 9, kBold, "1.1. Итого за:"},
    Caption{11, 10.6, 9, kPlain, "январь (010)"},
    Caption{103, 10.6, 9, kPlain, "январь-июль (070)"},
    Month(45, 14, "Line010"),
    Month(136, 14, "Line070"),
    Caption{11, 17.2, 9, kPlain, "январь-февраль (020)"},
    Caption{103, 17.2, 9, kPlain, "январь-август (080)"},
    Month(45, 20.6, "Line020"),
    Month(136, 20.6, "Line080"),
    Caption{11, 23.8, 9, kPlain, "январь-март (030)"},
    Caption{103, 23.8, 9, kPlain, "январь-сентябрь (090)"},
    Month(45, 27.2, "Line030"),
    Month(136, 27.2, "Line090"),
    Caption{11, 30.4, 9, kPlain, "январь-апрель (040)"},
    Caption{103, 30.4, 9, kPlain, "январь-октябрь (100)"},
    Month(45, 33.8, "Line040"),
    Month(136, 33.8, "Line100"),
    Caption{11, 37, 9, kPlain, "январь-май (050)"},
    Caption{103, 37, 9, kPlain, "январь-ноябрь (110)"},
    Month(45, 40.4, "Line050"),
    Month(136, 40.4, "Line110"),
    Caption{11, 43.6, 9, kPlain, "январь-июнь (060)"},
    Caption{103, 43.6, 9, kPlain, "январь-декабрь (120)"},
    Month(45, 47, "Line060"),
    Month(136, 47, "Line120"),
    Caption{8, 49, 9, kBold, "1.2.  Количество месяцев, в которых доход не превысил 20000 руб. (с учетом пункта 1)"},
    Caption{147, 49, 8, kPlain, "(130)"},
    // The counts end at their fields' ends: the form's leading blanks would push "12" out of the
    // field in a face wider than the form's.
    TextField{174, 52.4, 17, "Months130", rl::TPen::Dot, TShow::WithValues, TAlign::Right},
    Caption{8, 55.4, 9, kBold, "1.3.  Количество месяцев, в которых доход не превысил 40000 руб. (с учетом пункта 1)"},
    Caption{146, 55.4, 8, kPlain, "(140)"},
    TextField{173, 58.8, 17, "Months140", rl::TPen::Dot, TShow::WithValues, TAlign::Right},
};

RublesField Standard(double top, const char* value) { return RublesField{141, top, 42, value}; }
MoneyField Social(double top, const char* value) { return MoneyField{124, top, 47, value}; }

const TRows kPartTwo = {
    Caption{6, 0, 9, kBold, "2. Расчет стандартных налоговых вычетов, установленных статьей 218 Кодекса"},
    Caption{150, 3, 8, kBold, "Сумма вычета"},
    Caption{8, 6.4, 8, kPlain, "2.1."},
    CaptionLines{14, 6.4, 8, false, "Сумма стандартного налогового вычета по пп.1 п.1 ст.218 Кодекса (3000 руб. x|кол-во мес.) (150)"},
    Standard(12.8, "Line150"),
    Caption{8, 13, 8, kPlain, "2.2."},
    CaptionLines{14, 13, 8, false, "Сумма стандартного налогового вычета по пп.2 п.1 ст.218 Кодекса (500 руб. x|кол-во мес.) (160)"},
    Standard(19.4, "Line160"),
    Caption{8, 19.6, 8, kPlain, "2.3."},
    CaptionLines{14, 19.6, 8, false, "Сумма стандартного налогового вычета по пп.3 п.1 ст.218 Кодекса (400 руб. x|п. 1.2.) (170)"},
    Standard(26, "Line170"),
    Caption{8, 26.2, 8, kPlain, "2.4."},
    CaptionLines{14, 26.2, 8, false,
                 "Сумма стандартного налогового вычета на ребенка родителю (супругу родителя)|"
                 "(600 руб. x п. 1.3. x количество детей) (180)"},
    Standard(32.6, "Line180"),
    Caption{8, 32.8, 8, kPlain, "2.5."},
    CaptionLines{14, 32.8, 8, false,
                 "Сумма стандартного налогового вычета на ребенка одинокому родителю, опекуну|"
                 "(попечителю), вдове (вдовцу), приемному родителю|(1200 руб. x п. 1.3. x количество детей) (190)"},
    Standard(42.4, "Line190"),
    Caption{8, 42.6, 8, kPlain, "2.6."},
    CaptionLines{14, 42.6, 8, false,
                 "Сумма стандартного налогового вычета родителю (супругу родителя) на детей - инвалидов в|"
                 "возрасте до 18 лет, на учащихся очной формы обучения, аспирантов, ординаторов,|"
                 "студентов в возрасте до 24 лет, являющихся инвалидами I и II группы|"
                 "(1200 руб. x п. 1.3. x количество детей) (200)"},
    Standard(55.4, "Line200"),
    Caption{8, 55.6, 8, kPlain, "2.7."},
    CaptionLines{14, 55.6, 8, false,
                 "Сумма стандартного налогового вычета одинокому родителю, опекуну (попечителю), вдове|"
                 "(вдовцу), приемному родителю на детей - инвалидов в возрасте до 18 лет, на учащихся|"
                 "очной формы обучения, аспирантов, ординаторов, студентов в возрасте до 24 лет,|"
                 "являющихся инвалидами I и II группы"},
    Caption{14, 68.4, 8, kPlain, "(2400 руб. x п. 1.3. x количество детей) (210)"},
    Standard(71.6, "Line210"),
    Caption{8, 78, 8, kBold, "2.8."},
    Caption{14, 78, 8, kBold, "Итого вычетов"},
    Caption{37, 78, 8, kPlain, "(220)"},
    MoneyField{126, 81.2, 42, "Line220"},
    Caption{6, 84.4, 9, kBold, "3. Расчет социальных налоговых вычетов, установленных статьей 219 Кодекса"},
    Caption{8, 94, 8, kPlain, "3.1."},
    CaptionLines{14, 94, 8, false,
                 "Сумма, перечисленная на благотворительные цели (не более 25% от общей|"
                 "суммы дохода, полученного в налоговом периоде) (230)"},
    Social(100.4, "Line230"),
    Caption{8, 103.6, 8, kPlain, "3.2."},
    Caption{14, 103.6, 8, kPlain, "Сумма, уплаченная за свое обучение (не более 38000 руб.) (240)"},
    Social(106.8, "Line240"),
    Caption{8, 110, 8, kPlain, "3.3."},
    CaptionLines{14, 110, 8, false,
                 "Сумма, уплаченная за обучение детей (не более 38000 руб. за каждого ребенка|"
                 "на обоих родителей, опекуна, попечителя) (250)"},
    Social(116.4, "Line250"),
    Caption{8, 119.6, 8, kPlain, "3.4."},
    CaptionLines{14, 119.6, 8, false, "Сумма, уплаченная за лечение и приобретение медикаментов|(не более 38000 руб.) (260)"},
    Social(126, "Line260"),
    Caption{8, 129.2, 8, kPlain, "3.5."},
    Caption{14, 129.2, 8, kPlain, "Суммы расходов по дорогостоящему лечению (270)"},
    Social(132.4, "Line270"),
    Caption{8, 138.8, 8, kBold, "3.6."},
    Caption{14, 138.8, 8, kBold, "Итого вычетов"},
    Social(142, "Line280"),
    Caption{37, 138.8, 8, kPlain, "(280)"},
};

const char* const kMonthNames[] = {"Line010", "Line020", "Line030", "Line040", "Line050", "Line060",
                                   "Line070", "Line080", "Line090", "Line100", "Line110", "Line120"};
const char* const kPartTwoNames[] = {"Line150", "Line160", "Line170", "Line180", "Line190", "Line200", "Line210",
                                     "Line220", "Line230", "Line240", "Line250", "Line260", "Line270", "Line280"};
constexpr std::size_t kWholeRoubleLines = 7; // lines 150 to 210

} // namespace

rl::TBand& clTopE(rl::TOstrekReport& AOwner, bool) {
    rl::TBand& band = AOwner.NewBand(false);
    Layout(band, kTopE, TValues{}, true);
    const rl::TElement& label = band.Elements.back();
    band.Height = label.top + label.height + 1;
    return band;
}

rl::TBand& clPartOne(rl::TOstrekReport& AOwner, const std::array<Currency, 12>& Income, const QString& Months130,
                     const QString& Months140, bool) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    for (std::size_t i = 0; i < Income.size(); ++i) v.Amounts[kMonthNames[i]] = Income[i];
    v.Texts = {{"Months130", Months130}, {"Months140", Months140}};
    Layout(band, kPartOne, v, true);
    band.Height = 61.8;
    return band;
}

rl::TBand& clPartTwo(rl::TOstrekReport& AOwner, const std::array<Currency, 14>& Lines, const QString&, bool) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        if (i < kWholeRoubleLines)
            v.Roubles[kPartTwoNames[i]] = RoundHalfUpRoubles(Lines[i]);
        else
            v.Amounts[kPartTwoNames[i]] = Lines[i];
    }
    Layout(band, kPartTwo, v, true);
    const rl::TElement& last = band.Elements.back(); // "(280)"
    band.Height = last.top + last.height + 1;
    return band;
}

bool BuildPrilE(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTSvodSumPrilE& e = ctx.SvodSum.PrilE;
    const bool standard = ctx.DanLog.Vychety->StandartVych.Granting;
    const int pages = ctx.Plan.SheetPageCount[skPrilE];
    const int docs = ctx.DanLog.DeclDan->AppK;
    for (int p = 0; p < pages; ++p) {
        PageHeader(report, ctx, skPrilE, p);
        clTopE(report, true);
        const QString blanks(8, QLatin1Char(' '));
        clPartOne(report, standard ? e.CumIncome : std::array<Currency, 12>{},
                  standard ? blanks + QString::number(e.Months130) : QString(),
                  standard ? blanks + QString::number(e.Months140) : QString(), true);
        clPartTwo(report,
                  {e.Line150, e.Line160, e.Line170, e.Line180, e.Line190, e.Line200, e.Line210, e.Line220, e.Line230,
                   e.Line240, e.Line250, e.Line260, e.Line270, e.Line280},
                  docs != 0 ? QString::number(docs) : QString(), true);
        PageFooter(report, ctx);
    }
    return true;
}
