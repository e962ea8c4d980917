// Sums of sheet К: income by month, standard and social deductions.
#include "reportcore/ClassesLogDanSums.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr Currency kLimit20 = Currency::FromInt(20000);
constexpr Currency kLimit40 = Currency::FromInt(40000);
constexpr Currency kSocialLimit = Currency::FromInt(38000);

// Months 1..12 as bits 0..11.
using MonthSet = std::uint16_t;
bool InSet(MonthSet set, int month) { return (set >> (month - 1)) & 1u; }
int MonthsIn(MonthSet set) {
    int n = 0;
    for (int m = 1; m <= 12; ++m) n += InSet(set, m);
    return n;
}

// q = a / b rounded to the nearest integer, an exact half to the even one (b > 0).
std::int64_t DivHalfEven(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b, r = a % b;
    if (r < 0) {
        r += b;
        --q;
    }
    if (2 * r > b || (2 * r == b && (q & 1))) ++q;
    return q;
}

// The 20 % expense norm of a month's income, to whole kopecks, an exact half to the even kopeck.
// One kopeck is 100 raw units, so the norm in kopecks is raw / 500.
Currency ExpenseNorm(Currency income) { return Currency::FromRaw(DivHalfEven(income.Raw(), 500) * 100); }

// A quarter of the amount cut toward zero to whole kopecks (raw / 400 kopecks).
Currency QuarterCutToKopecks(Currency base) { return Currency::FromRaw(base.Raw() / 400 * 100); }

Currency Roubles(std::int64_t n) { return Currency::FromInt(n); }

} // namespace

bool kTSvodSumPrilE::Calculate(const kTDanLog& log, const kTSvodSum& sums) {
    Months130 = 0;
    Months140 = 0;
    ActivityResult.fill(Currency());
    ActivityExpense.fill(Currency());
    CumIncome.fill(Currency());
    for (Currency* c : {&Line150, &Line160, &Line170, &Line180, &Line190, &Line200, &Line210, &Line220, &Line230,
                        &Line240, &Line250, &Line260, &Line270, &Line280})
        *c = Currency();
    MonthSet counted = 0;
    int span40 = 0;

    const kTStandartVych& sv = log.Vychety->StandartVych;
    if (sv.Granting) {
        // Monthly income from the workplace that grants the standard deductions.
        bool anyLine = false;
        for (const kThirteenDoh& src : log.Dohody->ThirteenList.Items) {
            if (!src.PrimaryWorkplase) continue;
            for (const kTSpisVidDoh& line : src.Lines) {
                anyLine = true;
                if (line.Month < 1 || line.Month > 12) continue;
                CumIncome[line.Month - 1] +=
                    line.IncomeSum - AppliedDeduction(line.IncomeCode, line.DeductCode, line.IncomeSum, line.DeductSum);
                counted |= static_cast<MonthSet>(1u << (line.Month - 1));
            }
        }
        if (anyLine) {
            for (int i = 1; i < 12; ++i) CumIncome[i] += CumIncome[i - 1];
        } else {
            // Otherwise the business income by month, less its expenses, with a loss carried on.
            const kTPredprinimDeyatList& biz = log.Dohody->PredprinimDeyatList;
            for (const kTPredprinimDeyatDoh& a : biz.Items) {
                if (a.IncomeByMonth)
                    for (int i = 0; i < 12; ++i) ActivityResult[i] += a.MonthIncome[i];
                if (a.ExpenseByMonth) {
                    for (int i = 0; i < 12; ++i) ActivityExpense[i] += ExpenseTotal(a.MonthExpense[i]);
                } else if (!a.ConfirmedExpenses) {
                    for (int i = 0; i < 12; ++i) ActivityExpense[i] += ExpenseNorm(a.MonthIncome[i]);
                }
            }
            Currency carry;
            for (int i = 0; i < 12; ++i) {
                Currency v = ActivityResult[i] - ActivityExpense[i] - carry;
                if (i > 0) v += ActivityResult[i - 1];
                if (v < Currency()) {
                    carry = -v;
                    ActivityResult[i] = Currency();
                } else {
                    carry = Currency();
                    ActivityResult[i] = v;
                }
            }
            CumIncome = ActivityResult;
            counted = biz.MonthSet & 0x0FFFu;
        }

        // Months up to the first one above the limit (January to November), December on its own.
        for (int m = 1; m <= 11 && CumIncome[m - 1] <= kLimit20; ++m) Months130 += InSet(counted, m);
        if (InSet(counted, 12) && CumIncome[11] <= kLimit20) ++Months130;
        for (int m = 1; m <= 11 && CumIncome[m - 1] <= kLimit40; ++m) {
            Months140 += InSet(counted, m);
            ++span40;
        }
        if (InSet(counted, 12) && CumIncome[11] <= kLimit40) {
            ++Months140;
            ++span40;
        }

        switch (sv.Code) {
        case 103:
            Line170 = Roubles(400 * std::int64_t{Months130});
            break;
        case 104:
            Line160 = Roubles(500 * std::int64_t{MonthsIn(counted)});
            break;
        case 105:
            Line150 = Roubles(3000 * std::int64_t{MonthsIn(counted)});
            break;
        case 110: {
            // A code chosen per month; the 400 stops for good once the income has passed 20000.
            bool underLimit20 = true;
            std::int64_t n150 = 0, n160 = 0, n170 = 0;
            for (int m = 1; m <= 12; ++m) {
                if (CumIncome[m - 1] > kLimit20) underLimit20 = false;
                if (!InSet(counted, m)) continue;
                switch (sv.MonthCombination[m - 1]) {
                case 0: n170 += underLimit20; break;
                case 1: ++n160; break;
                case 2: ++n150; break;
                default: break;
                }
            }
            Line150 = Roubles(3000 * n150);
            Line160 = Roubles(500 * n160);
            Line170 = Roubles(400 * n170);
            break;
        }
        default:
            break;
        }

        if (sv.ChildKind != 0) {
            const bool parent = sv.ChildKind == 101;
            const std::int64_t childRate = parent ? 600 : 1200;
            const std::int64_t invalidRate = parent ? 1200 : 2400;
            auto childSum = [&](bool isConst, std::int32_t count, const std::array<std::int32_t, 12>& byMonth,
                                std::int64_t rate) {
                if (isConst) return Roubles(std::int64_t{Months140} * rate * count);
                std::int64_t total = 0;
                for (int m = 1; m <= span40; ++m)
                    if (InSet(counted, m)) total += rate * byMonth[m - 1];
                return Roubles(total);
            };
            const Currency children = childSum(sv.ChildConst, sv.ChildCount, sv.ChildMonth, childRate);
            const Currency invalid = childSum(sv.InvalidConst, sv.InvalidCount, sv.InvalidMonth, invalidRate);
            (parent ? Line180 : Line190) = children;
            (parent ? Line200 : Line210) = invalid;
        }
    }

    const kTSocialVych& soc = log.Vychety->SocialVych;
    if (soc.Granting) {
        // Charity up to a quarter of the year's income at 13 %.
        const Currency base = sums.PrilA13.Line080 + sums.PrilB13.Line150 + sums.PrilV.Line110;
        Line230 = soc.Charity;
        // Four times the amount is compared in 128 bits: a damaged document may hold any amount.
        if (static_cast<__int128>(soc.Charity.Raw()) * 4 > base.Raw()) Line230 = QuarterCutToKopecks(base);
        Line240 = std::min(soc.SelfEducation, kSocialLimit);
        for (const Currency& c : soc.ChildEduSums) Line250 += std::min(c, kSocialLimit);
        Line260 = std::min(soc.Medical, kSocialLimit);
        Line270 = soc.ExpensiveMedical;
    }

    Line220 = Line150 + Line160 + Line170 + Line180 + Line190 + Line200 + Line210;
    if (CumIncome[11] < Line220) Line220 = CumIncome[11];
    Line280 = Line230 + Line240 + Line260 + Line250 + Line270;
    return true;
}
