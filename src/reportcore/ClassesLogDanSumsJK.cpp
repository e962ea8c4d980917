// Sums of sheets З and И (securities and futures).
#include "reportcore/ClassesLogDanSums.h"

namespace {

// Only income with documented expenses enters these sheets.
constexpr std::int32_t kDocumentedExpenses = 307;

// The income codes of the five kinds of operation, in kind order: organised market, meeting its
// requirements, not traded, futures and options, investment fund units.
using KindCodes = std::array<std::int32_t, 5>;
constexpr KindCodes kOwnCodes = {1530, 1531, 1532, 1534, 1533};
constexpr KindCodes kTrustCodes = {1535, 1536, 1537, 1539, 1538};

int KindOf(const KindCodes& codes, std::int32_t incomeCode) {
    for (int k = 0; k < 5; ++k)
        if (codes[k] == incomeCode) return k;
    return -1;
}

CBDoh Block(const std::string& inn, const std::string& kpp, const std::string& name, Currency sale, Currency expense) {
    CBDoh b{inn, kpp, name, sale, Currency(), Currency(), expense};
    if (expense > sale)
        b.LossSum = expense - sale;
    else
        b.ProfitSum = sale - expense;
    return b;
}

// Empties the sheet and collects one block per source and kind, then one per currency income.
void Collect(kTSvodSumPrilJK& sheet, const kTDanLog& log, const KindCodes& codes) {
    sheet = kTSvodSumPrilJK{};
    for (const kThirteenDoh& source : log.Dohody->ThirteenList.Items) {
        std::array<bool, 5> found{};
        std::array<Currency, 5> sale{}, expense{};
        for (const kTSpisVidDoh& line : source.Lines) {
            const int k = KindOf(codes, line.IncomeCode);
            if (k < 0 || line.DeductCode != kDocumentedExpenses) continue;
            found[k] = true;
            sale[k] += line.IncomeSum;
            expense[k] += line.DeductSum;
        }
        for (int k = 0; k < 5; ++k)
            if (found[k])
                sheet.Sources[k].push_back(Block(source.INN, source.KPP, source.SourseName, sale[k], expense[k]));
    }
    for (const kTInoValutDoh& income : log.Dohody->InoValutList.Items) {
        const int k = KindOf(codes, income.IncomeCode);
        if (k < 0 || income.DeductCode != kDocumentedExpenses) continue;
        sheet.Sources[k].push_back(Block({}, {}, income.SourseName, income.IncomeRub, income.DeductSum));
    }
}

// Sums the blocks of kind k into its taxable and loss fields and the income total.
void SumKind(kTSvodSumPrilJK& sheet, int k, Currency& loss) {
    for (const CBDoh& b : sheet.Sources[k]) {
        sheet.Taxable[k] += b.ProfitSum;
        loss += b.LossSum;
        sheet.IncomeTotal += b.SaleSum;
    }
}

} // namespace

// Sheet И: the kind 1 loss goes to kind 2 first; what is left of it and the losses of kinds 3-5
// are carried to sheet З.
bool kTSvodSumPrilK::Calculate(const kTDanLog& log, const kTSvodSum&) {
    Collect(*this, log, kTrustCodes);
    Carry1 = Carry3 = Carry4 = Carry5 = Accepted2 = Currency();
    Currency& loss2 = LossRest[0];

    SumKind(*this, 0, Loss1);
    if (Loss1 > Taxable[0]) {
        Loss1 -= Taxable[0];
        Taxable[0] = Currency();
    } else {
        Taxable[0] -= Loss1;
        Loss1 = Currency();
    }
    TaxableTotal += Taxable[0];

    SumKind(*this, 1, loss2);
    if (Taxable[1] >= Loss1 + loss2) {
        Taxable[1] -= Loss1 + loss2;
        Accepted2 = Loss1;
        Carry1 = Currency();
    } else if (loss2 >= Taxable[1]) {
        Accepted2 = Currency();
        Carry1 = Loss1;
        Taxable[1] = Currency();
    } else {
        Accepted2 = Taxable[1] - loss2;
        Carry1 = Loss1 + loss2 - Taxable[1];
        Taxable[1] = Currency();
    }
    TaxableTotal += Taxable[1];

    Currency* carries[] = {&Carry3, &Carry4, &Carry5};
    for (int k = 2; k < 5; ++k) {
        Currency& taxable = Taxable[k];
        Currency& loss = LossRest[k - 1];
        Currency& carry = *carries[k - 2];
        SumKind(*this, k, loss);
        if (loss > taxable) {
            carry = loss - taxable;
            taxable = Currency();
        } else {
            taxable -= loss;
            carry = Currency();
        }
        TaxableTotal += taxable;
    }

    ExpenseTotal = IncomeTotal - TaxableTotal;
    return true;
}

// Sheet З: the filer's own operations, reduced also by the losses sheet И carries over.
bool kTSvodSumPrilJ::Calculate(const kTDanLog& log, const kTSvodSum& sums) {
    Collect(*this, log, kOwnCodes);
    const kTSvodSumPrilK& trust = sums.PrilK;
    Currency& loss2 = LossRest[0];

    SumKind(*this, 0, Loss1);
    if (Taxable[0] >= Loss1 + trust.Carry1) {
        Taxable[0] -= Loss1 + trust.Carry1;
        Loss1 = Currency();
    } else {
        Loss1 = Loss1 + trust.Carry1 - Taxable[0];
        Taxable[0] = Currency();
    }
    TaxableTotal += Taxable[0];

    // The kind 1 loss stays on the sheet as it is (lines 090 and 160).
    SumKind(*this, 1, loss2);
    if (Taxable[1] >= Loss1 + loss2)
        Taxable[1] -= Loss1 + loss2;
    else
        Taxable[1] = Currency();
    TaxableTotal += Taxable[1];

    const Currency carries[] = {trust.Carry3, trust.Carry4, trust.Carry5};
    for (int k = 2; k < 5; ++k) {
        Currency& taxable = Taxable[k];
        SumKind(*this, k, LossRest[k - 1]);
        const Currency taken = LossRest[k - 1] + carries[k - 2];
        if (taxable >= taken)
            taxable -= taken;
        else
            taxable = Currency();
        TaxableTotal += taxable;
    }

    ExpenseTotal = IncomeTotal - TaxableTotal;
    return true;
}
