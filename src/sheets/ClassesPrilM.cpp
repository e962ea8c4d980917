#include "sheets/ClassesPrilM.h"

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "sheets/SheetPaging.h"

#include <string>

namespace {

using namespace layout;

const TRows kHead = {
    Caption{34, 1, 10, kBold, "Лист Г. Расчет суммы доходов, не подлежащих налогоообложению"},
    Frame{5, 8, 187, 7, TFill::GreyPanel},
    CaptionLines{6, 8, 8, true,
                 "1. Расчет сумм доходов, не подлежащих налогообложению, в соответствии с п.28 и п.33 ст.217 Кодекса "
                 "(кроме доходов в виде|стоимости выигрышей и призов, указанных в п.2)"},
};

// One block 1.k of part 1: its heading captions, the top T of its row and its number k; its lines
// are the income of all sources and the exempt part.
struct TBlockM {
    TRows heading;
    double T;
    int k;
    const char* limit;
};

const TBlockM kBlocks[] = {
    {{Caption{6, 15.5, 8, kPlain,
              "1.1. Суммы материальной помощи, оказываемой работодателями своим работникам, а также бывшим своим работникам,"},
      Caption{12, 18.7, 8, kPlain,
              "уволившимся в связи с выходом на пенсию по инвалидности или по возрасту (п.28 ст.217 НК РФ)"}},
     21.9, 1, "пп. 1.1.1, но не более 2000 руб.(4000 руб.)*)(020)"},
    {{Caption{6, 33.0, 8, kPlain,
              "1.2. Суммы материальной помощи, оказываемой инвалидам общественными организациями инвалидов (п.28 ст.217 Кодекса)"}},
     36.2, 2, "пп. 1.2.1, но не более 2000 руб.(4000 руб.)*)(040)"},
    {{Caption{6, 47.3, 8, kPlain,
              "1.3. Стоимость подарков, полученных налогоплательщиками от организаций или индивидуальных предпринимателей, и не подлежащих"},
      Caption{12, 50.5, 8, kPlain,
              "обложению налогом на наследование или дарение в соответствии с действующим законодательством (п.28 ст.217 Кодекса)"}},
     53.7, 3, "пп. 1.3.1, но не более 2000 руб.(4000 руб.)*)(060)"},
    {{Caption{6, 64.8, 8, kPlain,
              "1.4. Стоимость призов в денежной и натуральной формах, полученных налогоплательщиками на конкурсах и соревнованиях,"},
      CaptionLines{12, 68.0, 8, false,
                   "проводимых в соответствии с решениями Правительства Российской Федерации, законодательных (представительных) органов|"
                   "государственной власти или представительных органов местного самоуправления (п.28 ст.217 Кодекса)"}},
     74.4, 4, "пп. 1.4.1, но не более 2000 руб.(4000 руб.)*)(080)"},
    {{Caption{6, 85.5, 8, kPlain,
              "1.5. Возмещение (оплата) работодателями своим работникам, их супругам, родителям и детям, бывшим своим работникам"},
      CaptionLines{12, 88.7, 8, false,
                   "(пенсионерам по возрасту), а также инвалидам стоимости приобретенных ими (для них) медикаментов, назначенных им лечащим|"
                   "врачом (п.28 ст.217 Кодекса)"}},
     95.1, 5, "пп. 1.5.1, но не более 2000 руб.(4000 руб.)*)(100)"},
    {{Caption{6, 106.2, 8, kPlain,
              "1.6. Сумма помощи (в денежной и натуральной формах), а также стоимость подарков лицам, перечисленным в п.33 ст.217 Кодекса *)"}},
     112.6, 6, "пп. 1.6.1, но не более 10000 руб.)(120)"},
};

// The texts of block k: "1.k.1. ...", "1.k.2. ..." and the first line's code; kept for the rows.
struct TBlockTexts {
    std::string first, second, lines;
};

const TBlockTexts& BlockTexts(int k) {
    static const std::vector<TBlockTexts> texts = [] {
        std::vector<TBlockTexts> t;
        for (int b = 1; b <= 6; ++b) {
            const std::string n = "1." + std::to_string(b);
            std::string code = std::to_string((2 * b - 1) * 10);
            code.insert(0, 3 - code.size(), '0');
            t.push_back({n + ".1. Сумма дохода от", n + ".2. Сумма дохода, не подлежащего",
                         "всех источников|выплаты (" + code + ")"});
        }
        return t;
    }();
    return texts.at(static_cast<std::size_t>(k - 1));
}

const char* const kLineNames[] = {"Line010", "Line020", "Line030", "Line040", "Line050", "Line060", "Line070",
                                  "Line080", "Line090", "Line100", "Line110", "Line120", "Line130"};

TRows BlockRows(const TBlockM& b) {
    const TBlockTexts& t = BlockTexts(b.k);
    TRows rows = b.heading;
    const double T = b.T;
    rows.insert(rows.end(), {
        Caption{10, T, 8, kPlain, t.first.c_str()},
        Caption{94, T, 8, kPlain, t.second.c_str()},
        CaptionLines{17, T + 3.2, 8, false, t.lines.c_str()},
        Caption{94, T + 3.2, 8, kPlain, "налогообложению"},
        Caption{119, T + 4.0, 7, kPlain, "(равно значению"},
        Caption{94, T + 7.2, 7, kPlain, b.limit},
        MoneyField{45, T + 9.6, 28, kLineNames[2 * (b.k - 1)]},
        MoneyField{152, T + 9.6, 18, kLineNames[2 * (b.k - 1) + 1]},
    });
    return rows;
}

const TRows kPart1End = {
    Caption{12, 125.4, 8, kBold, "Итого:"},
    Caption{12, 128.6, 8, kPlain, "1.7. Общая сумма доходов, не подлежащих налогообложению"},
    Caption{17, 131.8, 7, kPlain, "(пп.1.1.2 + пп.1.2.2 + пп.1.3.2 + пп.1.4.2 + пп.1.5.2 + пп.1.6.2)(130)"},
    MoneyField{135, 135, 35, "Line130"},
    Frame{5, 136.1, 187, 7, TFill::GreyPanel},
    CaptionLines{6, 136.1, 8, true,
                 "2. Расчет сумм доходов в виде стоимости любых выигрышей и призов, получаемых в проводимых конкурсах, играх и других|"
                 "мероприятиях в целях рекламы товаров, работ и услуг, не подлежащих налогообложению в соответствии с п.28 ст.217 Кодекса"},
};

// A prize source block at S = 0; the values are "Name", "INN", "KPP", "Line150", "Line160" with
// the source's number appended.
TRows SourceRows(double S, int n) {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v;
        for (int i = 1; i <= 2; ++i)
            for (const char* base : {"Name", "INN", "KPP", "Line150", "Line160"}) v.push_back(base + std::to_string(i));
        return v;
    }();
    auto name = [&](int field) { return names.at(static_cast<std::size_t>(5 * (n - 1) + field)).c_str(); };
    return {
        CaptionLines{10, S, 8, false, "Наименование источника|выплаты дохода (140)"},
        TextField{50, S + 6.4, 137, name(0), rl::TPen::Dot},
        Caption{10, S + 8.4, 8, kPlain, "ИНН источника выплаты (145)"},
        Caption{99, S + 8.4, 8, kPlain, "КПП источника выплаты (146)"},
        TextField{52, S + 11.6, 45, name(1), rl::TPen::Dot},
        TextField{155, S + 11.6, 33, name(2), rl::TPen::Dot},
        Caption{87, S + 12.6, 8, kPlain, "Сумма дохода не подлежащего налогообложению"},
        CaptionLines{87, S + 16.2, 7, false, "(равна значению показателя 150, но не более|2000 руб.(4000 руб.)*)(160)"},
        Caption{10, S + 18.6, 8, kPlain, "Сумма дохода (150)"},
        MoneyField{40, S + 21.8, 28, name(3)},
        MoneyField{155, S + 21.8, 15, name(4)},
    };
}

const TRows kPart2End = {
    Caption{12, 192.4, 8, kBold, "Итого:"},
    CaptionLines{23, 193.2, 8, false,
                 "2.1. Общая сумма доходов, не подлежащих налогообложению (равна сумме доходов, не|"
                 "подлежащих налогообложению от всех источников выплат, но не более 2 000 руб. (4000 руб.)*)|(170)"},
    MoneyField{155, 202, 15, "Line170"},
    CaptionLines{23, 202.8, 6, false,
                 "* С 1 января 2006 года сумма дохода, не подлежащая налогообложению по каждому из оснований, перечисленным в п.28|"
                 "   ст.217 Кодекса, установлена в размере, не превышающем 4000 рублей; сумма дохода, не подлежащая налогообложению в|"
                 "  соответствии с п.33 ст.217 Кодекса, установлена в размере 10000 рублей (Федеральный Закон от 30.06.2005 № 71-ФЗ)."},
};

const TRows& ListMRows() {
    static const TRows rows = [] {
        TRows r = kHead;
        for (const TBlockM& b : kBlocks) {
            const TRows block = BlockRows(b);
            r.insert(r.end(), block.begin(), block.end());
        }
        r.insert(r.end(), kPart1End.begin(), kPart1End.end());
        for (const auto& [S, n] : {std::pair{143.6, 1}, std::pair{167.4, 2}}) {
            const TRows source = SourceRows(S, n);
            r.insert(r.end(), source.begin(), source.end());
        }
        r.insert(r.end(), kPart2End.begin(), kPart2End.end());
        return r;
    }();
    return rows;
}

TPrizeSourceM Source(const Rec35& r) {
    return {QString::fromStdString(r.SourseName), QString::fromStdString(r.INN), QString::fromStdString(r.KPP), r.IncomeSum,
            r.ExemptSum};
}

} // namespace

rl::TBand& clListM(rl::TOstrekReport& AOwner, const std::array<Currency, 13>& Part1, const TPrizeSourceM& Source1,
                   const TPrizeSourceM& Source2, Currency Line170, const QString&, bool PrintValues) {
    rl::TBand& band = AOwner.NewBand(false);
    TValues v;
    for (std::size_t i = 0; i < Part1.size(); ++i) v.Amounts[kLineNames[i]] = Part1[i];
    int n = 1;
    for (const TPrizeSourceM* s : {&Source1, &Source2}) {
        const std::string k = std::to_string(n++);
        v.Texts["Name" + k] = s->Name;
        v.Texts["INN" + k] = s->INN;
        v.Texts["KPP" + k] = s->KPP;
        v.Amounts["Line150" + k] = s->Income;
        v.Amounts["Line160" + k] = s->Exempt;
    }
    v.Amounts["Line170"] = Line170;
    Layout(band, ListMRows(), v, PrintValues);
    band.Height = 221;
    return band;
}

bool BuildPrilM(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTSvodSumPrilM& m = ctx.SvodSum.PrilM;
    const int pages = ctx.Plan.SheetPageCount[skPrilM];
    const std::array<Currency, 13> part1 = {m.Line010, m.Line020, m.Line030, m.Line040, m.Line050, m.Line060, m.Line070,
                                            m.Line080, m.Line090, m.Line100, m.Line110, m.Line120, m.Line130};
    for (int p = 0; p < pages; ++p) {
        const bool last = p == pages - 1;
        // Records 2p and 2p + 1, where the sums hold them.
        auto record = [&](std::size_t i) { return i < m.Prizes.size() ? Source(m.Prizes[i]) : TPrizeSourceM{}; };
        const std::size_t first = BlocksPerPage(skPrilM) * static_cast<std::size_t>(p);
        PageHeader(report, ctx, skPrilM, p);
        clListM(report, p == 0 ? part1 : std::array<Currency, 13>{}, record(first), record(first + 1),
                last ? m.Line170 : Currency(), last ? QString::number(ctx.DanLog.DeclDan->AppG) : QString(), true);
        PageFooter(report, ctx);
    }
    return true;
}
