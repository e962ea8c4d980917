#include "model/StavClasses.h"

#include "storage/ProgrammDef.h"
#include "storage/StreamDef.h"

#include <algorithm>
#include <cmath>

namespace {

// Place codes of the records' save and load routines.
constexpr std::uint16_t kThirteenSave = 372, kThirteenLoad = 372;
constexpr std::uint16_t kThirtyFiveSave = 373, kThirtyFiveLoad = 374;
constexpr std::uint16_t kThirtySave = 375, kThirtyLoad = 376;
constexpr std::uint16_t kNalogSave = 375, kNalogLoad = 376;
constexpr std::uint16_t kCurrencySave = 377, kCurrencyLoad = 378;
constexpr std::uint16_t kBusinessSave = 379, kBusinessLoad = 380;

mEMemoryAllocate NoLine() { return mEMemoryAllocate(stgmsg::NotAllocated, 402); }

} // namespace

void mTSourseIncomeInfo::SaveIdentity(mTDocumentStorage& S) const {
    S.WriteString(INN);
    S.WriteString(KPP);
    S.WriteString(OKATO);
    S.WriteString(SourseName);
}

void mTSourseIncomeInfo::LoadIdentity(mTDocumentStorage& S) {
    S.ReadString(INN);
    S.ReadString(KPP);
    S.ReadString(OKATO);
    S.ReadString(SourseName);
}

// ---------------------------------------------------------------------------------------------
// mTThirteenPercent

int mTThirteenPercent::AddSourseIncome(mTSourseIncome Line) {
    ItogIncomeSum += Line.IncomeSum;
    Lines.push_back(std::move(Line));
    return static_cast<int>(Lines.size()) - 1;
}

void mTThirteenPercent::SetSourseIncome(int Index, const mTSourseIncome* Line) {
    if (Index < 0 || Index >= SourseIncomeCount()) throw NoLine();
    ItogIncomeSum -= Lines[Index].IncomeSum;
    if (Line) {
        Lines[Index] = *Line;
        ItogIncomeSum += Line->IncomeSum;
    } else {
        Lines.erase(Lines.begin() + Index);
    }
}

mTSourseIncome& mTThirteenPercent::GetSourseIncome(int Index) {
    if (Index < 0 || Index >= SourseIncomeCount()) throw NoLine();
    return Lines[Index];
}

const mTSourseIncome& mTThirteenPercent::GetSourseIncome(int Index) const {
    if (Index < 0 || Index >= SourseIncomeCount()) throw NoLine();
    return Lines[Index];
}

void mTThirteenPercent::SetMonthSum(int Month, Currency Sum) {
    if (Month < 0 || Month > 11) return;
    if (Sum == Currency::FromInt(-1)) {
        MonthSet &= static_cast<std::uint16_t>(~(1u << Month));
        MonthSum[Month] = Currency();
    } else {
        MonthSet |= static_cast<std::uint16_t>(1u << Month);
        MonthSum[Month] = Sum;
    }
}

void mTThirteenPercent::Save(mTDocumentStorage& S, std::uint16_t Index) const {
    WithPlaceCode(kThirteenSave, [&] {
        S.CreateStream(streams::Indexed(streams::ThirteenPercent, Index));
        S.WriteByte(PrimaryWorkplase);
        SaveIdentity(S);
        S.WriteCurrency(HoldSum);
        S.WriteCurrency(Obl);
        S.WriteCurrency(TaxIsch);
        for (int m = 0; m < 12; ++m) {
            if (MonthSet & (1u << m))
                S.WriteCurrency(MonthSum[m]);
            else
                S.WriteString("a");
        }
        S.WriteInteger(SourseIncomeCount());
        for (int i = 0; i < SourseIncomeCount(); ++i) {
            const mTSourseIncome& L = Lines[i];
            S.CreateStream(streams::Indexed(streams::SourseIncome, Index, i));
            S.WriteInteger(L.IncomeCode);
            S.WriteString(L.IncomeName);
            S.WriteCurrency(L.IncomeSum);
            S.WriteInteger(L.DeductCode);
            S.WriteCurrency(L.DeductSum);
            S.WriteInteger(L.DeductNorm);
            S.WriteWord(L.Month);
        }
    });
}

void mTThirteenPercent::Load(mTDocumentStorage& S, std::uint16_t Index) {
    WithPlaceCode(kThirteenLoad, [&] {
        S.OpenStream(streams::Indexed(streams::ThirteenPercent, Index));
        if (S.Version() >= Version11.Value()) PrimaryWorkplase = S.ReadByte();
        LoadIdentity(S);
        HoldSum = S.ReadCurrency();
        Obl = S.ReadCurrency();
        TaxIsch = S.ReadCurrency();
        for (int m = 0; m < 12; ++m) SetMonthSum(m, S.ReadCurrency());
        // The count is not trusted: each line is read from its own stream before the next is made.
        const std::int32_t count = S.ReadInteger();
        // Room for the lines at once; a damaged count makes no more room than a source normally needs.
        Lines.reserve(static_cast<std::size_t>(std::clamp(count, 0, 64)));
        for (std::int32_t i = 0; i < count; ++i) {
            mTSourseIncome L;
            S.OpenStream(streams::Indexed(streams::SourseIncome, Index, i));
            L.IncomeCode = S.ReadInteger();
            S.ReadString(L.IncomeName);
            L.IncomeSum = S.ReadCurrency();
            L.DeductCode = S.ReadInteger();
            L.DeductSum = S.ReadCurrency();
            L.DeductNorm = S.ReadInteger();
            L.Month = S.ReadWord();
            AddSourseIncome(std::move(L));
        }
    });
}

std::uint32_t mTThirteenPercent::GetSize(std::uint16_t Index) const {
    return CountBytes([&](mTDocumentStorage& S) { Save(S, Index); });
}

// ---------------------------------------------------------------------------------------------
// mTThirtyFivePercent, mTThirtyPercent, mTNalog

void mTThirtyFivePercent::Save(mTDocumentStorage& S, std::uint16_t Index) const {
    WithPlaceCode(kThirtyFiveSave, [&] {
        S.CreateStream(streams::Indexed(streams::ThirtyFivePercent, Index));
        S.WriteInteger(IncomeCode);
        SaveIdentity(S);
        S.WriteCurrency(ItogIncomeSum);
        S.WriteInteger(DeductCode);
        S.WriteCurrency(DeductSum);
        S.WriteCurrency(HoldSum);
    });
}

void mTThirtyFivePercent::Load(mTDocumentStorage& S, std::uint16_t Index) {
    WithPlaceCode(kThirtyFiveLoad, [&] {
        S.OpenStream(streams::Indexed(streams::ThirtyFivePercent, Index));
        IncomeCode = S.ReadInteger();
        LoadIdentity(S);
        ItogIncomeSum = S.ReadCurrency();
        DeductCode = S.ReadInteger();
        DeductSum = S.ReadCurrency();
        HoldSum = S.ReadCurrency();
    });
}

std::uint32_t mTThirtyFivePercent::GetSize(std::uint16_t Index) const {
    return CountBytes([&](mTDocumentStorage& S) { Save(S, Index); });
}

void mTThirtyPercent::Save(mTDocumentStorage& S, std::uint16_t Index) const {
    WithPlaceCode(kThirtySave, [&] {
        S.CreateStream(streams::Indexed(streams::ThirtyPercent, Index));
        S.WriteInteger(IncomeCode);
        SaveIdentity(S);
        S.WriteCurrency(ItogIncomeSum);
        S.WriteCurrency(TaxIsch);
        S.WriteCurrency(Obl);
        S.WriteCurrency(HoldSum);
    });
}

void mTThirtyPercent::Load(mTDocumentStorage& S, std::uint16_t Index) {
    WithPlaceCode(kThirtyLoad, [&] {
        S.OpenStream(streams::Indexed(streams::ThirtyPercent, Index));
        IncomeCode = S.ReadInteger();
        LoadIdentity(S);
        ItogIncomeSum = S.ReadCurrency();
        TaxIsch = S.ReadCurrency();
        Obl = S.ReadCurrency();
        HoldSum = S.ReadCurrency();
    });
}

std::uint32_t mTThirtyPercent::GetSize(std::uint16_t Index) const {
    return CountBytes([&](mTDocumentStorage& S) { Save(S, Index); });
}

void mTNalog::Save(mTDocumentStorage& S, std::uint16_t Index) const {
    WithPlaceCode(kNalogSave, [&] {
        S.CreateStream(streams::Indexed(streams::NalogSub, Index));
        S.WriteString(ExtraText);
        S.WriteString(KBK);
        S.WriteCurrency(Sum);
    });
}

void mTNalog::Load(mTDocumentStorage& S, std::uint16_t Index) {
    WithPlaceCode(kNalogLoad, [&] {
        S.OpenStream(streams::Indexed(streams::NalogSub, Index));
        ExtraText = S.ReadString();
        KBK = S.ReadString();
        Sum = S.ReadCurrency();
    });
}

std::uint32_t mTNalog::GetSize(std::uint16_t Index) const {
    return CountBytes([&](mTDocumentStorage& S) { Save(S, Index); });
}

// ---------------------------------------------------------------------------------------------
// mTCurrencyIncome

Currency ConvertToRoubles(Currency Amount, Currency Rate, std::int32_t Units) {
    if (Units == 0) return Currency();
    const long double v = Amount.ToExtended() / static_cast<long double>(Units) * Rate.ToExtended();
    return RoundToKopeck(static_cast<double>(v));
}

mTCurrencyIncome::mTCurrencyIncome() : IncomeDate(EncodeDate(2005, 1, 1)), TaxDate(EncodeDate(2005, 1, 1)) {}

void mTCurrencyIncome::SetIncomeCurrencySum(Currency Sum) {
    IncomeCurrencySum = Sum;
    IncomeRoubleSum = ConvertToRoubles(Sum, Rate1, Units1);
}

void mTCurrencyIncome::SetTaxCurrencySum(Currency Sum) {
    TaxCurrencySum = Sum;
    TaxRoubleSum = ConvertToRoubles(Sum, Rate2, Units2);
}

void mTCurrencyIncome::Save(mTDocumentStorage& S, std::uint16_t Index) const {
    WithPlaceCode(kCurrencySave, [&] {
        S.CreateStream(streams::Indexed(streams::CurrencyIncome, Index));
        S.WriteInteger(Stav);
        S.WriteInteger(IncomeCode);
        S.WriteString(IncomeName);
        S.WriteString(SourseName);
        S.WriteString(CountryCode);
        S.WriteDateTime(IncomeDate);
        S.WriteDateTime(TaxDate);
        S.WriteByte(AutoExchange);
        S.WriteString(CurrencyCode);
        S.WriteCurrency(Rate1);
        S.WriteInteger(Units1);
        S.WriteCurrency(Rate2);
        S.WriteInteger(Units2);
        S.WriteString(CurrencyName);
        S.WriteCurrency(IncomeCurrencySum);
        S.WriteCurrency(IncomeRoubleSum);
        S.WriteCurrency(TaxCurrencySum);
        S.WriteCurrency(TaxRoubleSum);
        S.WriteInteger(DeductCode);
        S.WriteCurrency(DeductSum);
        S.WriteInteger(DeductPercent);
    });
}

void mTCurrencyIncome::Load(mTDocumentStorage& S, std::uint16_t Index) {
    WithPlaceCode(kCurrencyLoad, [&] {
        S.OpenStream(streams::Indexed(streams::CurrencyIncome, Index));
        Stav = S.ReadInteger();
        IncomeCode = S.ReadInteger();
        IncomeName = S.ReadString();
        SourseName = S.ReadString();
        CountryCode = S.ReadString();
        IncomeDate = S.ReadDateTime();
        TaxDate = S.ReadDateTime();
        AutoExchange = S.ReadByte();
        CurrencyCode = S.ReadString();
        Rate1 = S.ReadCurrency();
        Units1 = S.ReadInteger();
        Rate2 = S.ReadCurrency();
        Units2 = S.ReadInteger();
        CurrencyName = S.ReadString();
        // The rouble values are taken as stored, not derived again.
        IncomeCurrencySum = S.ReadCurrency();
        IncomeRoubleSum = S.ReadCurrency();
        TaxCurrencySum = S.ReadCurrency();
        TaxRoubleSum = S.ReadCurrency();
        DeductCode = S.ReadInteger();
        DeductSum = S.ReadCurrency();
        DeductPercent = S.ReadInteger();
    });
}

std::uint32_t mTCurrencyIncome::GetSize(std::uint16_t Index) const {
    return CountBytes([&](mTDocumentStorage& S) { Save(S, Index); });
}

// ---------------------------------------------------------------------------------------------
// mTBusinessIncome

mTBusinessIncome::mTBusinessIncome() { Clear(); }

void mTBusinessIncome::Clear() {
    ActivityName.clear();
    ActivityCode = "..";
    IncomeByMonth = 1;
    IncomeMonths = 4095;
    MonthIncome.fill(Currency());
    PeriodIncome = Currency();
    ExpenseByMonth = 1;
    ExpenseMonths = 4095;
    MonthExpense.fill(mTBusinessExpense{});
    PeriodExpense = mTBusinessExpense{};
    ConfirmedExpenses = 1;
    ResultExpense = Currency();
}

void mTBusinessIncome::SetIncomeByMonth(std::uint8_t Flag) {
    if (Flag == IncomeByMonth) return;
    IncomeByMonth = Flag;
    if (Flag) {
        PeriodIncome = Currency();
    } else {
        IncomeMonths = 0;
        MonthIncome.fill(Currency());
    }
}

void mTBusinessIncome::SetExpenseByMonth(std::uint8_t Flag) {
    if (Flag == ExpenseByMonth) return;
    ExpenseByMonth = Flag;
    if (!Flag) {
        ExpenseMonths = 0;
        MonthExpense.fill(mTBusinessExpense{});
    }
}

void mTBusinessIncome::SetConfirmedExpenses(std::uint8_t Flag) {
    ConfirmedExpenses = Flag;
    if (!Flag) {
        PeriodExpense = mTBusinessExpense{};
        MonthExpense.fill(mTBusinessExpense{});
    }
}

void mTBusinessIncome::SetPeriodExpense(const mTBusinessExpense* Expense) {
    PeriodExpense = Expense ? *Expense : mTBusinessExpense{};
}

void mTBusinessIncome::SetMonthExpense(int Month, const mTBusinessExpense* Expense) {
    MonthExpense.at(Month) = Expense ? *Expense : mTBusinessExpense{};
}

namespace {

void WriteExpense(mTDocumentStorage& S, const mTBusinessExpense& E) {
    S.WriteCurrency(E.Mat);
    S.WriteCurrency(E.Amortization);
    S.WriteCurrency(E.WorkPay);
    S.WriteCurrency(E.Other);
}

void ReadExpense(mTDocumentStorage& S, mTBusinessExpense& E) {
    E.Mat = S.ReadCurrency();
    E.Amortization = S.ReadCurrency();
    E.WorkPay = S.ReadCurrency();
    E.Other = S.ReadCurrency();
}

} // namespace

void mTBusinessIncome::Save(mTDocumentStorage& S, std::uint16_t Index) const {
    WithPlaceCode(kBusinessSave, [&] {
        S.CreateStream(streams::Indexed(streams::BusinessIncome, Index));
        S.WriteString(ActivityName);
        S.WriteString(ActivityCode);
        S.WriteByte(IncomeByMonth);
        if (IncomeByMonth) {
            S.WriteWord(IncomeMonths);
            for (const Currency& c : MonthIncome) S.WriteCurrency(c);
        } else {
            S.WriteCurrency(PeriodIncome);
        }
        S.WriteByte(ConfirmedExpenses);
        if (ConfirmedExpenses) {
            S.WriteByte(ExpenseByMonth);
            if (ExpenseByMonth) {
                S.WriteWord(ExpenseMonths);
                for (int m = 0; m < 12; ++m) {
                    S.CreateStream(streams::Indexed(streams::BusinessExpense, Index, m));
                    WriteExpense(S, MonthExpense[m]);
                }
            } else {
                S.CreateStream(streams::Indexed(streams::BusinessExpense, Index));
                WriteExpense(S, PeriodExpense);
            }
        }
        // The total follows in whichever stream was written last.
        S.WriteCurrency(ResultExpense);
    });
}

void mTBusinessIncome::Load(mTDocumentStorage& S, std::uint16_t Index) {
    WithPlaceCode(kBusinessLoad, [&] {
        S.OpenStream(streams::Indexed(streams::BusinessIncome, Index));
        ActivityName = S.ReadString();
        ActivityCode = S.ReadString();
        IncomeByMonth = S.ReadByte();
        if (IncomeByMonth) {
            IncomeMonths = S.ReadWord();
            for (Currency& c : MonthIncome) c = S.ReadCurrency();
        } else {
            PeriodIncome = S.ReadCurrency();
        }
        ConfirmedExpenses = S.ReadByte();
        if (ConfirmedExpenses) {
            ExpenseByMonth = S.ReadByte();
            if (ExpenseByMonth) {
                ExpenseMonths = S.ReadWord();
                for (int m = 0; m < 12; ++m) {
                    S.OpenStream(streams::Indexed(streams::BusinessExpense, Index, m));
                    ReadExpense(S, MonthExpense[m]);
                }
            } else {
                S.OpenStream(streams::Indexed(streams::BusinessExpense, Index));
                ReadExpense(S, PeriodExpense);
            }
        }
        ResultExpense = S.ReadCurrency();
    });
}

std::uint32_t mTBusinessIncome::GetSize(std::uint16_t Index) const {
    return CountBytes([&](mTDocumentStorage& S) { Save(S, Index); });
}
