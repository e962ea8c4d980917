// Sums of sheets Г (exempt incomes), Д, Д($) (author's fees) and Е (civil-law contracts).
#include "reportcore/ClassesLogDanSums.h"
#include "reportcore/ClassesReportPlan.h"

#include <algorithm>
#include <string>

namespace {

// The yearly exemption per kind of income on sheet Г.
constexpr Currency kExemptLimit = Currency::FromInt(2000);
constexpr std::int32_t kPrizeCode = 2740;
constexpr std::int32_t kCivilContractCode = 2010;

bool IsAuthorsFee(std::int32_t incomeCode) { return incomeCode >= 2201 && incomeCode <= 2299; }

DohodAvtVozn FeeRecord(const std::string& inn, const std::string& kpp, const std::string& source,
                       std::int32_t incomeCode, const std::string& incomeName, Currency income,
                       std::int32_t deductCode, std::int32_t deductNorm, Currency deduct) {
    DohodAvtVozn r;
    r.INN = inn;
    r.KPP = kpp;
    r.SourseName = source;
    r.IncomeCodeText = std::to_string(incomeCode);
    r.IncomeName = incomeName;
    r.IncomeSum = income;
    r.IncomeText = FormatSumCell(true, 10, income);
    r.DeductCodeText = std::to_string(deductCode);
    r.DeductNormText = std::to_string(deductNorm);
    r.DeductSum = deduct;
    r.DeductText = FormatSumCell(true, 10, deduct);
    return r;
}

DohodGragdPravHar ContractRecord(const std::string& inn, const std::string& kpp, const std::string& source,
                                 Currency income, Currency deduct) {
    DohodGragdPravHar r;
    r.INN = inn;
    r.KPP = kpp;
    r.SourseName = source;
    r.IncomeSum = income;
    r.IncomeText = FormatSumCell(true, 10, income);
    r.DeductSum = deduct;
    r.DeductText = FormatSumCell(true, 10, deduct);
    return r;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Sheet Г

void kTSvodSumPrilM::Clear() {
    for (Currency* c : {&Line010, &Line020, &Line040, &Line030, &Line050, &Line060, &Line070, &Line080, &Line090,
                        &Line100, &Line110, &Line120, &Line130, &Line170})
        *c = Currency();
}

bool kTSvodSumPrilM::Calculate(const kTDanLog& log, const kTSvodSum&) {
    Clear();
    PrizeCount = 0;
    Prizes.clear();
    Sources35.clear();

    // Part 2: prizes of advertising games share one 2000 exemption in list order; each listed
    // source keeps the part it got as its deduction and is taxed on the rest.
    Currency left = kExemptLimit;
    for (const kTThirtyFiveDoh& src : log.Dohody->ThirtyFiveList.Items) {
        Figures35& taxed = Sources35.emplace_back(Figures35{src.DeductSum, src.Obl, src.TaxIsch});
        if (src.IncomeCode != kPrizeCode || src.DeductSum <= Currency()) continue;
        const Currency exempt = std::min(src.DeductSum, left);
        Prizes.push_back({src.INN, src.KPP, src.SourseName, src.ItogIncomeSum, exempt});
        taxed.DeductSum = exempt;
        taxed.Obl = src.ItogIncomeSum - exempt;
        taxed.TaxIsch = RoundedTax(taxed.Obl, 0.35L);
        Line170 += exempt;
        left -= exempt;
    }
    // The sources of a printed page come in whole pages.
    const std::size_t perPage = static_cast<std::size_t>(SheetKindInfo(skPrilM).BlocksPerPage);
    while (Prizes.size() % perPage != 0) Prizes.push_back(Rec35{});
    PrizeCount = static_cast<std::int32_t>(Prizes.size());

    const auto& thirteen = log.Dohody->ThirteenList.Items;
    const auto& foreign = log.Dohody->InoValutList.Items;
    if (thirteen.empty() && foreign.empty()) return true;

    // Part 1: income and exempt part by kind of income.
    struct Kind {
        std::int32_t incomeCode;
        Currency kTSvodSumPrilM::* income;
        std::int32_t deductCode;
        Currency kTSvodSumPrilM::* exempt;
    };
    static constexpr Kind kinds[] = {
        {2760, &kTSvodSumPrilM::Line010, 503, &kTSvodSumPrilM::Line020},
        {2710, &kTSvodSumPrilM::Line030, 506, &kTSvodSumPrilM::Line040},
        {2720, &kTSvodSumPrilM::Line050, 501, &kTSvodSumPrilM::Line060},
        {2730, &kTSvodSumPrilM::Line070, 502, &kTSvodSumPrilM::Line080},
        {2770, &kTSvodSumPrilM::Line090, 504, &kTSvodSumPrilM::Line100},
    };
    auto add = [this](std::int32_t incomeCode, std::int32_t deductCode, Currency amount) {
        for (const Kind& k : kinds) {
            if (k.incomeCode != incomeCode) continue;
            this->*k.income += amount;
            if (deductCode == k.deductCode) this->*k.exempt += std::min(amount, kExemptLimit);
            return;
        }
    };
    for (const kThirteenDoh& src : thirteen)
        for (const kTSpisVidDoh& line : src.Lines) add(line.IncomeCode, line.DeductCode, line.IncomeSum);
    for (const kTInoValutDoh& inc : foreign) add(inc.IncomeCode, inc.DeductCode, inc.IncomeRub);

    Line110 = Currency();
    Line120 = Currency();
    for (Currency* c : {&Line020, &Line040, &Line060, &Line080, &Line100, &Line120})
        if (*c > kExemptLimit) *c = kExemptLimit;
    Line130 = Line020 + Line040 + Line060 + Line080 + Line100 + Line120;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Sheet Д: author's fees from sources in Russia

bool kTSvodSumPrilG::Calculate(const kTDanLog& log, const kTSvodSum&) {
    const auto& thirteen = log.Dohody->ThirteenList.Items;
    if (thirteen.empty()) return true;
    Records.clear();
    Line100 = Currency();
    Line110 = Currency();
    for (const kThirteenDoh& src : thirteen)
        for (const kTSpisVidDoh& line : src.Lines) {
            if (!IsAuthorsFee(line.IncomeCode) || line.DeductCode == 0) continue;
            Records.push_back(FeeRecord(src.INN, src.KPP, src.SourseName, line.IncomeCode, line.IncomeName,
                                        line.IncomeSum, line.DeductCode, line.DeductNorm, line.DeductSum));
            Line110 += line.DeductSum;
            Line100 += line.IncomeSum;
        }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Sheet Д($): author's fees from sources abroad, taxed at 13 %

bool kTSvodSumPrilG_In::Calculate(const kTDanLog& log, const kTSvodSum&) {
    Records.clear();
    Line100 = Currency();
    Line110 = Currency();
    for (const kTInoValutDoh& inc : log.Dohody->InoValutList.Items) {
        if (!IsAuthorsFee(inc.IncomeCode) || inc.Stav != 13 || inc.DeductCode == 0) continue;
        Records.push_back(FeeRecord({}, {}, inc.SourseName, inc.IncomeCode, inc.IncomeName, inc.IncomeRub,
                                    inc.DeductCode, inc.DeductNorm, inc.DeductSum));
        Line110 += inc.DeductSum;
        Line100 += inc.IncomeRub;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Sheet Е: civil-law contracts

bool kTSvodSumPrilD::Calculate(const kTDanLog& log, const kTSvodSum&) {
    const auto& thirteen = log.Dohody->ThirteenList.Items;
    // The sheet belongs to the 13 % income: a 13 % source or an income abroad at 13 % (sheet Б)
    // opens it. Without either it stays empty, so that no deduction reaches section 1 from a sheet
    // the declaration does not print.
    if (thirteen.empty() && log.Dohody->InoValutList.Count13 == 0) return true;
    Records.clear();
    Line060 = Currency();
    Line070 = Currency();
    for (const kThirteenDoh& src : thirteen)
        for (const kTSpisVidDoh& line : src.Lines) {
            if (line.IncomeCode != kCivilContractCode || line.DeductCode == 0) continue;
            Records.push_back(ContractRecord(src.INN, src.KPP, src.SourseName, line.IncomeSum, line.DeductSum));
            Line060 += line.IncomeSum;
            Line070 += line.DeductSum;
        }
    // Foreign contracts at any rate.
    for (const kTInoValutDoh& inc : log.Dohody->InoValutList.Items) {
        if (inc.IncomeCode != kCivilContractCode || inc.DeductCode == 0) continue;
        Records.push_back(ContractRecord({}, {}, inc.SourseName, inc.IncomeRub, inc.DeductSum));
        Line060 += inc.IncomeRub;
        Line070 += inc.DeductSum;
    }
    return true;
}
