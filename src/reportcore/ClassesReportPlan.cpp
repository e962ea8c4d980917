#include "reportcore/ClassesReportPlan.h"

#include "reportcore/ClassesLogDanSums.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace {

const std::array<TSheetKindInfo, kSheetKinds + 1> kKinds = {{
    {"", "", nullptr, nullptr, 0},
    {"Титульный Лист", "!5102!0019!", "!5102!1016!", nullptr, 0},
    {"Второй Лист", "!5102!0026!", nullptr, nullptr, 0},
    {"Раздел 1", "!5102!0033!", "!5102!1023!", "00001", 0},
    {"Раздел 2", "!5102!0040!", nullptr, "00002", 0},
    {"Раздел 3", "!5102!0057!", nullptr, "00003", 0},
    {"Раздел 4", "!5102!0064!", nullptr, "00004", 0},
    {"Раздел 5", "!5102!0071!", nullptr, "00005", 0},
    {"Раздел 6", "!5102!0088!", nullptr, "00006", 0},
    {"Лист А (9%)", "!5102!0095!", nullptr, "00007", 4},
    {"Лист А (13%)", "!5102!0095!", nullptr, "00007", 4},
    {"Лист А (30%)", "!5102!0095!", nullptr, "00007", 4},
    {"Лист А (35%)", "!5102!0095!", nullptr, "00007", 4},
    {"Лист Б (9%)", "!5102!0101!", nullptr, "00008", 2},
    {"Лист Б (13%)", "!5102!0101!", nullptr, "00008", 2},
    {"Лист Б (35%)", "!5102!0101!", nullptr, "00008", 2},
    {"Лист В", "!5102!0118!", nullptr, "00009", 1},
    {"Лист Г", "!5102!0125!", nullptr, "00010", 2},
    {"Лист Д", "!5102!0132!", nullptr, "00011", 3},
    {"Лист Д($)", "!5102!0132!", nullptr, "00011", 3},
    {"Лист Е", "!5102!0149!", nullptr, "00012", 5},
    {"Лист Ж", "!5102!0156!", nullptr, "00013", 0},
    {"Лист З", "!5102!0163!", nullptr, "00014", 0},
    {"Лист И", "!5102!0170!", nullptr, "00015", 0},
    {"Лист К", "!5102!0187!", nullptr, "00016", 0},
    {"Лист Л", "!5102!0194!", nullptr, "00017", 0},
}};

std::int32_t Ceil(std::int64_t a, std::int64_t b) { return static_cast<std::int32_t>((a + b - 1) / b); }

// The pages that `records` blocks of a kind fill.
std::int32_t PagesOf(int kind, std::int64_t records) {
    return Ceil(records, kKinds[static_cast<std::size_t>(kind)].BlocksPerPage);
}

bool IsPrize(std::int32_t code) { return code == 2710 || code == 2720 || code == 2730 || code == 2760 || code == 2770; }

bool OpensSheetH(const kTSpisVidDoh& l) {
    const auto c = l.IncomeCode, d = l.DeductCode;
    if ((c == 1510 || c == 1511 || c == 1520) && d != 0) return true;
    if ((c == 1530 || c == 1531 || c == 1532 || c == 1535 || c == 1536 || c == 1537) && (d == 316 || d == 317)) return true;
    return c == 1540 && d == 315;
}

std::int32_t MostBlocks(const kTSvodSumPrilJK& sheet) {
    std::size_t most = 0;
    for (const auto& blocks : sheet.Sources) most = std::max(most, blocks.size());
    return static_cast<std::int32_t>(most);
}

} // namespace

const TSheetKindInfo& SheetKindInfo(int kind) { return kKinds.at(static_cast<std::size_t>(kind)); }

TPagePlan PlanPages(const kTDanLog& log, const kTSvodSum& sums) {
    TPagePlan plan;
    auto& C = plan.SheetPageCount;
    const int K = log.DeclDan->DeclarationKind;
    const auto& doh = *log.Dohody;
    const auto s13 = static_cast<std::int64_t>(doh.ThirteenList.Items.size());
    const auto sDiv = static_cast<std::int64_t>(doh.ThirtyList.Items.size());
    const auto s35 = static_cast<std::int64_t>(doh.ThirtyFiveList.Items.size());
    const auto act = static_cast<std::int64_t>(doh.PredprinimDeyatList.Items.size());
    const auto f13 = doh.InoValutList.Count13;

    C[skTitul] = 1;
    if (K != 2) C[skAdr] = 1;
    C[skRazdel6] = sums.List6.Count; // one page per entry
    if (K == 2) {
        C[skRazdel1] = 1;
        C[skRazdel6] = 0;
    } else {
        C[skRazdel5] = 1;
    }

    if (s13 > 0 && K == 1) C[skPrilA30] = PagesOf(skPrilA30, s13);
    if (s13 > 0 && K == 0) C[skPrilA13] = PagesOf(skPrilA13, s13);
    if (sDiv > 0 && K == 0) C[skPrilA9] = PagesOf(skPrilA9, sDiv);
    if (s35 > 0 && K == 0) C[skPrilA35] = PagesOf(skPrilA35, s35);

    C[skPrilB13] = PagesOf(skPrilB13, f13);
    C[skPrilB9] = PagesOf(skPrilB9, doh.InoValutList.Count9);
    C[skPrilB35] = PagesOf(skPrilB35, doh.InoValutList.Count35);
    C[skPrilV] = PagesOf(skPrilV, act);

    if (C[skPrilA13] + C[skPrilB13] + C[skPrilV] > 0) C[skRazdel1] = 1;
    if (C[skPrilA35] + C[skPrilB35] > 0) C[skRazdel3] = 1;
    if (C[skPrilA30] > 0) C[skRazdel2] = 1;
    if (C[skPrilA9] + C[skPrilB9] > 0) C[skRazdel4] = 1;

    const auto& ded = *log.Vychety;
    const bool incomes = s13 > 0 || act > 0 || f13 > 0;
    if (K == 0 && ded.StandartVych.Granting && incomes) C[skPrilE] = 1;
    if (K == 0 && ded.SocialVych.Granting && incomes) C[skPrilE] = 1;
    if (K == 0 && ded.StroitVych.Granting) C[skPrilZ] = 1;

    const bool sheetA = C[skPrilA13] > 0 || C[skPrilA30] > 0 || C[skPrilA35] > 0;
    if (sheetA) {
        C[skPrilH] = 0;
        for (const kThirteenDoh& s : doh.ThirteenList.Items)
            for (const kTSpisVidDoh& l : s.Lines)
                if (OpensSheetH(l)) C[skPrilH] = 1;
    }

    C[skPrilM] = 0;
    if (sheetA)
        for (const kThirteenDoh& s : doh.ThirteenList.Items)
            for (const kTSpisVidDoh& l : s.Lines)
                if (IsPrize(l.IncomeCode) && l.DeductCode != 0) C[skPrilM] = 1;
    if (C[skPrilB13] > 0)
        for (const kTInoValutDoh& d : doh.InoValutList.Items)
            if (IsPrize(d.IncomeCode) && d.DeductCode != 0) C[skPrilM] = 1;
    C[skPrilM] = std::max(C[skPrilM], PagesOf(skPrilM, sums.PrilM.PrizeCount));

    // Sheets З, И, Д, Д($) and Е: as many pages as the records their figures hold, so that a page
    // never stands without its records nor a record without its page.
    C[skPrilJ] = MostBlocks(sums.PrilJ);
    C[skPrilK] = MostBlocks(sums.PrilK);
    C[skPrilG] = C[skPrilA13] > 0 ? PagesOf(skPrilG, std::ssize(sums.PrilG.Records)) : 0;
    C[skPrilG_In] = C[skPrilB13] > 0 ? PagesOf(skPrilG_In, std::ssize(sums.PrilG_In.Records)) : 0;
    C[skPrilD] = C[skPrilA13] > 0 || C[skPrilB13] > 0 ? PagesOf(skPrilD, std::ssize(sums.PrilD.Records)) : 0;

    std::int32_t total = 1;
    for (int k = skAdr; k <= skPrilZ; ++k) total += C[k];
    plan.PageTotal = total;

    auto& B = plan.SheetFirstPage;
    B[skAdr] = 1;
    B[skRazdel1] = 1 + C[skAdr];
    for (int k = skRazdel2; k <= skPrilZ; ++k) B[k] = B[k - 1] + C[k - 1];
    return plan;
}

int BarcodeSlotCount(const kTDanLog& log, const TPagePlan& plan) {
    const int pages = plan.SheetFirstPage[skPrilA9]; // the pages before the sheets show them
    return 3 * pages - (log.DeclDan->DeclarationKind == 2 ? 1 : 0);
}
