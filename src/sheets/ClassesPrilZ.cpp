#include "sheets/ClassesPrilZ.h"

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "reportcore/ClassesReportPlan.h"

#include <cmath>

namespace {

using namespace layout;

MoneyField Amount(double top, const char* value) { return MoneyField{133, top, 38, value}; }

const TRows kTopZ = {
    Caption{33, 0, 10, kBold, "Лист Л. Расчет имущественного налогового вычета по суммам, израсходованным"},
    Caption{26, 4, 10, kBold, "на новое строительство либо приобретение на территории Российской Федерации жилого "},
    Caption{37, 8, 10, kBold, "дома, квартиры или доли (долей) в них, установленных пп.2 п.1 ст.220 Кодекса"},
    Caption{12, 12, 9, kBold, "1. Сведения об объекте и произведенных расходах"},
    Caption{11, 16, 8, kPlain, "1.1. Наименование объекта (010)"},
    TextField{71, 19.2, 55, "Name", rl::TPen::Dot},
    Caption{11, 21.2, 8, kPlain, "1.2. Адрес объекта (020):"},
    CaptionLines{56, 25.2, 8, false, "Наименование субъекта|Российской федерации"},
    CaptionLines{165, 25.2, 8, false, "Код|региона"},
    Caption{11, 28.4, 8, kPlain, "Почтовый индекс"},
    TextField{36, 31.6, 17, "PostIndex", rl::TPen::Dot},
    TextField{90, 31.6, 74, "RegionName", rl::TPen::Dot},
    TextField{181, 31.6, 10, "RegionCode", rl::TPen::Dot},
    Caption{11, 34.6, 8, kPlain, "Район"},
    Caption{100, 34.6, 8, kPlain, "Город"},
    TextField{19, 37.8, 77, "District", rl::TPen::Dot},
    TextField{107, 37.8, 80, "City", rl::TPen::Dot},
    Caption{11, 40.8, 8, kPlain, "Населенный пункт (село, поселок и т.д.)"},
    Caption{100, 40.8, 8, kPlain, "Улица (проспект, переулок и т.д.)"},
    TextField{64, 44, 35, "Settlement", rl::TPen::Dot},
    TextField{144, 44, 46, "Street", rl::TPen::Dot},
    CaptionLines{133, 45, 8, false, "Номер|квартиры"},
    Caption{11, 48.2, 8, kPlain, "Номер дома (владения)"},
    Caption{68, 48.2, 8, kPlain, "Номер корпуса"},
    TextField{43, 51.4, 25, "House", rl::TPen::Dot},
    TextField{88, 51.4, 46, "Building", rl::TPen::Dot},
    TextField{154, 51.4, 35, "Flat", rl::TPen::Dot},
    CaptionLines{11, 53.4, 7, false, "1.3. Дата приобретения (начала|строительства) жилого дома, квартиры|или доли (долей) в них (030)"},
    CaptionLines{105, 53.4, 7, false,
                 "1.4. Дата регистрации права собственности|    на жилой дом, квартиру или долю (доли) в|    них (040)"},
    TextField{60, 61.8, 35, "BuyDate", rl::TPen::Dot},
    TextField{155, 61.8, 35, "RegDate", rl::TPen::Dot},
    Caption{69, 62.8, 5, kPlain, "(цифрами день, месяц, год)"},
    Caption{156, 62.8, 5, kPlain, "(цифрами день, месяц, год)"},
    CaptionLines{105, 65.8, 7, false, "1.6. Год начала использования|    налогового вычета (060)"},
    Caption{11, 68.6, 7, kPlain, "1.5. Доля (доли) в праве собственности (050)"},
    TextField{155, 71.4, 25, "StartYear", rl::TPen::Dot},
    TextField{66, 71.4, 25, "Share", rl::TPen::Dot},
    CaptionLines{11, 71.4, 7, false, "1.7. Год, за который предоставляется|налоговый вычет (070)"},
    TextField{60, 77, 35, "Year", rl::TPen::Dot, layout::kAlways},
    CaptionLines{11, 77, 7, false,
                 "1.8. Сумма фактически произведенных расходов на новое строительство или приобретение жилого|"
                 "дома, квартиры или доли (долей) в них (без учета процентов по целевым займам (кредитам)), но не|"
                 "более 1 000 000 рублей (080)"},
    Amount(85.4, "Line080"),
    CaptionLines{11, 88.2, 7, false,
                 "1.9. Сумма фактически уплаченных процентов по целевым займам (кредитам), фактически|"
                 "израсходованным на новое строительство или приобретение жилого дома, квартиры или доли|"
                 "(долей) в них (090)"},
    Amount(96.6, "Line090"),
    CaptionLines{11, 99.6, 9, true,
                 "2. Расчет имущественного налогового вычета по новому строительству или приобретению жилого дома,|"
                 "квартиры или доли (долей) в них"},
    CaptionLines{11, 107.6, 7, false,
                 "2.1. Сумма имущественного налогового вычета по расходам на новое строительство или|"
                 "приобретение жилого дома, квартиры или доли (долей) в них, принятая к зачету в предыдущие|"
                 "налоговые периоды (100), в том числе:"},
    Amount(116, "Line100"),
    Caption{11, 118.8, 7, kPlain, "  - предоставленная налоговым органом на основании налоговой декларации (110)"},
    Amount(121.6, "Line110"),
    CaptionLines{11, 121.6, 7, false,
                 "  - предоставленная налоговым агентом (работодателем) на основании уведомления, выданного|"
                 "налоговым ограном (120)"},
    Amount(127.2, "Line120"),
    CaptionLines{11, 127.2, 7, false,
                 "2.2. Сумма имущественного налогового вычета по уплаченным процентам по целевым займам|"
                 "(кредитам), принятая к зачету в предыдущие налоговые периоды (130), в том числе:"},
    Amount(132.8, "Line130"),
    Caption{11, 135.6, 7, kPlain, "  - предоставленная налоговым органом на основании налоговой декларации (140)"},
    Amount(138.4, "Line140"),
    CaptionLines{11, 138.4, 7, false,
                 "  - предоставленная налоговым агентом (работодателем) на основании уведомления, выданного|"
                 "налоговым ограном (150)"},
    Amount(144, "Line150"),
    CaptionLines{11, 144, 7, false,
                 "2.3. Cумма расходов на новое строительство или приобретение жилого дома, квартиры или доли|"
                 "(долей) в них, перешедшая с предыдущего налогового периода (без учета процентов по целевым|"
                 "займам (кредитам)) (160)"},
    Amount(152.4, "Line160"),
    CaptionLines{11, 152.4, 7, false,
                 "2.4. Сумма документально подтвержденных расходов по уплате процентов по целевым займам|"
                 "(кредитам), перешедшая с предыдущего налогового периода (170)"},
    Amount(158, "Line170"),
    CaptionLines{11, 158, 7, false,
                 "2.5. Сумма имущественного налогового вычета по расходам на новое строительство или|"
                 "приобретение жилого дома, квартиры или доли (долей) в них, предоставленная в отчетном|"
                 "налоговом периоде налоговым агентом (работодателем) на основании уведомления выданного|"
                 "налоговым ограном (180)"},
    Amount(169.2, "Line180"),
    CaptionLines{11, 169.2, 7, false,
                 "2.6. Сумма имущественного налогового вычета по уплаченным процентам по целевым займам|"
                 "(кредитам), предоставленная в отчетном налоговом периоде налоговым агентом (работодателем)|"
                 "на основании уведомления, выданного налоговым ограном (190)"},
    Amount(177.6, "Line190"),
    CaptionLines{11, 177.6, 7, false,
                 "2.7. Размер налоговой базы, облагаемой по ставке 13%, за минусом стандартных, социальных|"
                 "налоговых вычетов, имущественного налогового вычета, предусмотренного пп. 1, п. 1 статьи 220"},
    CaptionLines{11, 183.2, 7, false,
                 "Кодекса, а также имущественного налогового вычета, предусмотренного пп. 2, п. 1 статьи 220|"
                 "Кодекса, предоставленного работодателем (налоговым агентом) в отчетном налоговом периоде на|"
                 "основании уведомления, выданного налоговым ограном (200)"},
    Amount(191.6, "Line200"),
    CaptionLines{11, 191.6, 7, false,
                 "2.8. Сумма документально подтвержденных расходов на новое строительство или приобретение|"
                 "жилого дома, квартиры или доли (долей) в них, принимаемая к зачету в отчетном налоговом|"
                 "периоде, на основании налоговой декларации (210)"},
    Amount(200, "Line210"),
    CaptionLines{11, 200, 7, false,
                 "2.9. Сумма документально подтвержденных расходов по уплате процентов по целевым займам|"
                 "(кредитам), принимаемая к зачету в отчетном налоговом периоде, на основании налоговой|"
                 "декларации (220)"},
    Amount(208.4, "Line220"),
    CaptionLines{11, 208.4, 7, false,
                 "2.10. Сумма документально подтвержденных расходов на новое строительство или приобретение|"
                 "жилого дома, квартиры или доли (долей) в них, переходящая на следующий налоговый период|"
                 "(230)"},
    Amount(216.8, "Line230"),
    CaptionLines{11, 216.8, 7, false,
                 "2.11. Сумма уплаченных процентов по целевым займам (кредитам), переходящая на следующий|"
                 "налоговый период (240)"},
    Amount(222.4, "Line240"),
    Caption{13, 222.4, 7, kPlain, "Сумма значений подпунктов 2.8 и 2.9 не должна превышать значение подпункта 2.7."},
    Caption{13, 225.4, 7, kPlain, "Сумма значений подпунктов 2.1, 2.5, 2.8 и 2.10 не должна превышать 1 000 000 руб."},
};

const char* const kLineNames[] = {"Line080", "Line090", "Line100", "Line110", "Line120", "Line130",
                                  "Line140", "Line150", "Line160", "Line170", "Line180", "Line190",
                                  "Line200", "Line210", "Line220", "Line230", "Line240"};

QString Str(const std::string& s) { return QString::fromStdString(s); }

QString YearText(TDateTime date) {
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    return QString::number(y).rightJustified(4, QLatin1Char('0'));
}

} // namespace

QString ShareText(long double Share) {
    // The default rounding mode takes an exact half to the even number.
    const auto raw = static_cast<std::int64_t>(std::nearbyint(Share * 10000.0L));
    return QString::fromStdString(Currency::FromRaw(raw).ToString(','));
}

rl::TBand& clTopZ(rl::TOstrekReport& AOwner, const std::array<Currency, 17>& Lines, const TObjectZ& o, const QString&, bool) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    v.Texts = {{"Name", o.Name},         {"PostIndex", o.PostIndex}, {"RegionName", o.RegionName},
               {"RegionCode", o.RegionCode}, {"District", o.District}, {"City", o.City},
               {"Settlement", o.Settlement}, {"Street", o.Street},   {"House", o.House},
               {"Building", o.Building}, {"Flat", o.Flat},           {"BuyDate", o.BuyDate},
               {"RegDate", o.RegDate},   {"StartYear", o.StartYear}, {"Share", o.Share},
               {"Year", QStringLiteral("2005")}};
    for (std::size_t i = 0; i < Lines.size(); ++i) v.Amounts[kLineNames[i]] = Lines[i];
    Layout(band, kTopZ, v, true);
    band.Height = 232.4;
    return band;
}

bool BuildPrilZ(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTSvodSumPrilZ& z = ctx.SvodSum.PrilZ;
    const kTStroitVych& s = ctx.DanLog.Vychety->StroitVych;
    const TObjectZ object{Str(s.ObjectName), Str(s.PostIndex), Str(s.RegionName), Str(s.RegionCode),
                          Str(s.District),   Str(s.City),      Str(s.Area),       Str(s.Street),
                          Str(s.House),      Str(s.Building),  Str(s.Flat),
                          QString::fromStdString(DateToStr(s.BuyDate)), QString::fromStdString(DateToStr(s.RegDate)),
                          YearText(s.StartYear), ShareText(s.Share)};
    const int pages = ctx.Plan.SheetPageCount[skPrilZ];
    for (int p = 0; p < pages; ++p) {
        PageHeader(report, ctx, skPrilZ, p);
        clTopZ(report,
               {z.Line080, z.Line090, z.Line100, z.Line110, z.Line120, z.Line130, z.Line140, z.Line150, z.Line160,
                z.Line170, z.Line180, z.Line190, z.Line200, z.Line210, z.Line220, z.Line230, z.Line240},
               object, QString::number(ctx.DanLog.DeclDan->AppL), true);
        PageFooter(report, ctx);
    }
    return true;
}
