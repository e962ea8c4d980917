// Sums of sheets Ж (property sales) and Л (housing deduction).
#include "reportcore/ClassesLogDanSums.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr Currency kDwellingLimit = Currency::FromInt(1000000); // dwellings held < 3 years, housing costs
constexpr Currency kOtherLimit = Currency::FromInt(125000);     // other property and securities held < 3 years

Currency AtMost(Currency value, Currency limit) { return value > limit ? limit : value; }
Currency NotBelowZero(Currency value) { return value < Currency() ? Currency() : value; }

// A whole number of raw units as an amount. Only a share far outside 0..1 (a damaged document)
// reaches beyond the type's range, and then the amount stays at its bound.
Currency ClampedRaw(long double raw) {
    if (!(raw < 9223372036854775807.0L)) return Currency::FromRaw(INT64_MAX);
    if (raw < -9223372036854775808.0L) return Currency::FromRaw(INT64_MIN);
    return Currency::FromRaw(static_cast<std::int64_t>(raw));
}

bool IsSecuritiesSaleCode(std::int32_t code) {
    switch (code) {
    case 1530: case 1531: case 1532: case 1535: case 1536: case 1537: return true;
    default: return false;
    }
}

// Incomes and documented expenses of sales taken with expenses in place of the fixed deduction.
struct WithExpenses {
    Currency income, expenses;
    void Add(Currency amount, Currency deduction) {
        income += amount;
        expenses += deduction;
    }
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Sheet Ж

void kTSvodSumPrilH::Clear() {
    for (Currency* c : {&Line010, &Line020, &Line040, &Line030, &Line050, &Line060, &Line070, &Line080, &Line090,
                        &Line100, &Line110, &Line120, &Line130, &Line140, &Line150, &Line160, &Line170, &Line180,
                        &Line190, &Line200, &Line210, &Line220})
        *c = Currency();
}

Currency AppliedDeduction(std::int32_t incomeCode, std::int32_t deductCode, Currency income, Currency deduction) {
    return incomeCode == 1511 && deductCode == 313 ? AtMost(deduction, income) : deduction;
}

bool kTSvodSumPrilH::Calculate(const kTDanLog& log, const kTSvodSum&) {
    Clear();
    WithExpenses houses, houseShares, other;

    const auto& sources = log.Dohody->ThirteenList.Items;
    const auto& foreign = log.Dohody->InoValutList.Items;
    if (sources.empty() && foreign.empty()) return true;

    // One income by its code pair, with its deduction as the sums take it.
    auto apply = [&](std::int32_t incomeCode, Currency amount, std::int32_t deductCode, Currency deduction) {
        switch (incomeCode) {
        case 1510:
            if (deductCode == 301) {
                Line010 += amount;
                Line020 = Line010;
            } else if (deductCode == 302) {
                Line070 += amount;
                Line080 = Line070;
            } else if (deductCode == 305) {
                houses.Add(amount, deduction);
            }
            return;
        case 1511:
            if (deductCode == 313) {
                Line030 += amount;
                Line040 += deduction;
            } else if (deductCode == 314) {
                Line090 += amount;
                Line100 = Line090;
            } else if (deductCode == 305) {
                houseShares.Add(amount, deduction);
            }
            return;
        case 1520:
            if (deductCode == 303) {
                Line110 += amount;
                Line120 = Line110;
            } else if (deductCode == 304) {
                Line130 += amount;
                Line140 = Line130;
            } else if (deductCode == 305) {
                other.Add(amount, deduction);
            }
            return;
        case 1540:
            if (deductCode == 315) {
                Line150 += amount;
                Line160 += deduction;
            }
            return;
        default:
            if (!IsSecuritiesSaleCode(incomeCode)) return;
            if (deductCode == 316) {
                Line180 += amount;
                Line190 += deduction;
            } else if (deductCode == 317) {
                Line200 += amount;
                Line210 += deduction;
            }
            return;
        }
    };

    for (const kThirteenDoh& source : sources)
        for (const kTSpisVidDoh& line : source.Lines)
            apply(line.IncomeCode, line.IncomeSum, line.DeductCode,
                  AppliedDeduction(line.IncomeCode, line.DeductCode, line.IncomeSum, line.DeductSum));
    for (const kTInoValutDoh& income : foreign)
        apply(income.IncomeCode, income.IncomeRub, income.DeductCode,
              AppliedDeduction(income.IncomeCode, income.DeductCode, income.IncomeRub, income.DeductSum));

    // Dwellings held less than 3 years: documented expenses, when there are any, replace the fixed
    // deduction and are not limited.
    if (houses.expenses > Currency() || houseShares.expenses > Currency()) {
        Line010 = houses.income;
        Line020 = houses.expenses;
        Line030 = houseShares.income;
        Line040 = houseShares.expenses;
        Line060 = Line020 + Line040;
    } else {
        Line020 = AtMost(Line020, kDwellingLimit);
        Line040 = AtMost(Line040, kDwellingLimit);
        Line060 = AtMost(Line020 + Line040, kDwellingLimit);
    }
    Line050 = Line010 + Line030;

    if (other.expenses > Currency()) {
        Line110 = other.income;
        Line120 = other.expenses;
    } else {
        Line120 = AtMost(Line120, kOtherLimit);
    }

    Line190 = AtMost(Line190, kOtherLimit);
    Line160 = AtMost(Line160, Line150);
    Line170 = Line060 + Line080 + Line100 + Line120 + Line140 + Line160;
    Line220 = Line190 + Line210;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Sheet Л

void kTSvodSumPrilZ::Clear() {
    for (Currency* c : {&Line080, &Line090, &Line100, &Line110, &Line120, &Line130, &Line140, &Line150, &Line160,
                        &Line170, &Line180, &Line190, &Line200, &Line210, &Line220, &Line230, &Line240})
        *c = Currency();
}

bool kTSvodSumPrilZ::Calculate(const kTDanLog& log, const kTSvodSum& sums) {
    const kTStroitVych& v = log.Vychety->StroitVych;
    if (!v.Granting) return true;

    Line080 = AtMost(v.ObschSum, kDwellingLimit);
    Line090 = v.ObschIpSum;
    Line180 = v.VychNA;
    Line190 = v.VychIpNA;

    // What is left of the year's 13 % base after every other deduction.
    const Currency base = sums.PrilA13.Line080 + sums.PrilB13.Line150 + sums.PrilV.Line110;
    const Currency otherDeductions = sums.PrilV.Line120 + sums.PrilH.Line170 + sums.PrilH.Line220 +
                                     sums.PrilM.Line130 + sums.PrilG.Line110 + sums.PrilG_In.Line110 +
                                     sums.PrilD.Line070 + sums.PrilE.Line280 + sums.PrilE.Line220 +
                                     sums.PrilJ.ExpenseTotal + sums.PrilK.ExpenseTotal + Line180 + Line190;
    Line200 = NotBelowZero(base - otherDeductions);

    Line160 = v.TransferringChargeSum;
    Line170 = v.TransferringCreditSum;
    Share = v.Share;
    Line110 = v.PostYears;
    Line140 = v.PostYearsIp;
    Line120 = v.PostYearsNA;
    Line150 = v.PostYearsIpNA;
    Line100 = Line110 + Line120;
    Line130 = Line140 + Line150;

    // The filer's part of the limit, to the money type's precision (an exact half to even). Taking
    // the lesser of line 080 and the rounded value is the same as comparing with the unrounded one,
    // since line 080 itself lies on that precision.
    const long double shareLimit = Share * 1000000.0L;
    const Currency limit = ClampedRaw(std::nearbyintl(shareLimit * 10000.0L));
    const Currency x = AtMost(Line080, limit);

    Line210 = NotBelowZero(x - Line100 - Line180);
    Line220 = NotBelowZero(Line090 - Line130 - Line190);
    // Lines 210 and 220 together stay within line 200; the expenses go first.
    if (Line200 < Line210) Line210 = Line200;
    if (Line200 < Line210 + Line220) Line220 = Line200 - Line210;

    Line230 = x - Line100 - Line180 - Line210;
    Line240 = Line090 - Line130 - Line190 - Line220;
    return true;
}
