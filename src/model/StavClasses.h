// Income records of the declaration: sources of income in Russia at 13 %, 35 % and on dividends,
// the tax-paid lines, incomes in foreign currency and business activities.
#pragma once

#include "platform/Currency.h"
#include "platform/NumText.h"
#include "storage/StgClasses.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The identity and totals shared by the three kinds of source.
class mTSourseIncomeInfo {
public:
    virtual ~mTSourseIncomeInfo() = default;
    virtual void Save(mTDocumentStorage& Storage, std::uint16_t Index) const = 0;
    virtual void Load(mTDocumentStorage& Storage, std::uint16_t Index) = 0;

    std::string INN;
    std::string KPP;
    std::string OKATO;
    std::string SourseName;
    Currency ItogIncomeSum;
    Currency HoldSum;

protected:
    // INN, KPP, OKATO and the name, in this order in every source's stream.
    void SaveIdentity(mTDocumentStorage& Storage) const;
    void LoadIdentity(mTDocumentStorage& Storage);
};

// One income line of a 13 % source.
struct mTSourseIncome {
    std::int32_t IncomeCode = 0;
    std::string IncomeName;
    Currency IncomeSum;
    std::int32_t DeductCode = 0;
    Currency DeductSum;
    std::int32_t DeductNorm = 0;
    std::uint16_t Month = 0;
};

class mTThirteenPercent : public mTSourseIncomeInfo {
public:
    // Takes the line; ItogIncomeSum grows by its income. Result: the line's index. A reference to
    // a line holds until lines are added or removed.
    int AddSourseIncome(mTSourseIncome Line);
    int AddSourseIncome(std::unique_ptr<mTSourseIncome> Line) { return AddSourseIncome(std::move(*Line)); }
    // With a line: line Index takes a copy of it; with nullptr: line Index is removed.
    void SetSourseIncome(int Index, const mTSourseIncome* Line);
    mTSourseIncome& GetSourseIncome(int Index);
    const mTSourseIncome& GetSourseIncome(int Index) const;
    int SourseIncomeCount() const { return static_cast<int>(Lines.size()); }
    // The amount -1 takes the month (0..11) out of MonthSet and stores 0.
    void SetMonthSum(int Month, Currency Sum);

    void Save(mTDocumentStorage& Storage, std::uint16_t Index) const override;
    void Load(mTDocumentStorage& Storage, std::uint16_t Index) override;
    std::uint32_t GetSize(std::uint16_t Index) const;

    // The lines by value: a declaration may hold tens of thousands, read and written on every open
    // and save.
    std::vector<mTSourseIncome> Lines;
    std::array<Currency, 12> MonthSum{};
    std::uint16_t MonthSet = 0;
    std::uint8_t PrimaryWorkplase = 0;
    Currency TaxIsch;
    Currency Obl;
};

class mTThirtyFivePercent : public mTSourseIncomeInfo {
public:
    void Save(mTDocumentStorage& Storage, std::uint16_t Index) const override;
    void Load(mTDocumentStorage& Storage, std::uint16_t Index) override;
    std::uint32_t GetSize(std::uint16_t Index) const;

    std::int32_t IncomeCode = 0;
    std::int32_t DeductCode = 0;
    Currency DeductSum;
};

// A source of dividends (taxed at 9 %).
class mTThirtyPercent : public mTSourseIncomeInfo {
public:
    void Save(mTDocumentStorage& Storage, std::uint16_t Index) const override;
    void Load(mTDocumentStorage& Storage, std::uint16_t Index) override;
    std::uint32_t GetSize(std::uint16_t Index) const;

    std::int32_t IncomeCode = 0;
    Currency TaxIsch;
    Currency Obl;
};

// One tax payment to one budget classification code.
class mTNalog {
public:
    void Save(mTDocumentStorage& Storage, std::uint16_t Index) const;
    void Load(mTDocumentStorage& Storage, std::uint16_t Index);
    std::uint32_t GetSize(std::uint16_t Index) const;

    std::string ExtraText;
    std::string KBK;
    Currency Sum;
};

// An income received in foreign currency from a source abroad.
class mTCurrencyIncome {
public:
    mTCurrencyIncome();
    // Set the amount and derive its rouble value from the rate and units as they stand now.
    void SetIncomeCurrencySum(Currency Sum);
    void SetTaxCurrencySum(Currency Sum);

    void Save(mTDocumentStorage& Storage, std::uint16_t Index) const;
    void Load(mTDocumentStorage& Storage, std::uint16_t Index);
    std::uint32_t GetSize(std::uint16_t Index) const;

    std::int32_t Stav = 0;
    std::int32_t IncomeCode = 0;
    std::string IncomeName;
    std::string SourseName;
    std::string CountryCode;
    TDateTime IncomeDate;
    TDateTime TaxDate;
    std::string CurrencyCode;
    Currency Rate1;
    std::int32_t Units1 = 0;
    Currency Rate2;
    std::int32_t Units2 = 0;
    std::string CurrencyName;
    Currency IncomeCurrencySum;
    Currency IncomeRoubleSum;
    Currency TaxCurrencySum;
    Currency TaxRoubleSum;
    std::uint8_t AutoExchange = 0;
    std::int32_t DeductCode = 0;
    Currency DeductSum;
    std::int32_t DeductPercent = 0;
};

// An amount in a currency, at Rate roubles for Units units, in roubles: A / U * R in extended
// precision, rounded to the kopeck; 0 when Units is 0.
Currency ConvertToRoubles(Currency Amount, Currency Rate, std::int32_t Units);

// The expenses of one month or of the whole period.
struct mTBusinessExpense {
    Currency Mat;
    Currency Amortization;
    Currency WorkPay;
    Currency Other;
};

// One business activity or private practice.
class mTBusinessIncome {
public:
    mTBusinessIncome();
    void Clear();
    void SetIncomeByMonth(std::uint8_t Flag);
    void SetExpenseByMonth(std::uint8_t Flag);
    void SetConfirmedExpenses(std::uint8_t Flag);
    void SetPeriodIncome(Currency Sum) { PeriodIncome = Sum; }
    void SetMonthIncome(int Month, Currency Sum) { MonthIncome.at(Month) = Sum; }
    Currency GetMonthIncome(int Month) const { return MonthIncome.at(Month); }
    void SetPeriodExpense(const mTBusinessExpense* Expense);
    mTBusinessExpense& GetPeriodExpense() { return PeriodExpense; }
    void SetMonthExpense(int Month, const mTBusinessExpense* Expense);
    mTBusinessExpense& GetMonthExpense(int Month) { return MonthExpense.at(Month); }

    void Save(mTDocumentStorage& Storage, std::uint16_t Index) const;
    void Load(mTDocumentStorage& Storage, std::uint16_t Index);
    std::uint32_t GetSize(std::uint16_t Index) const;

    std::string ActivityName;
    std::string ActivityCode;
    std::uint8_t IncomeByMonth = 1;
    std::uint16_t IncomeMonths = 4095;
    std::array<Currency, 12> MonthIncome{};
    Currency PeriodIncome;
    std::uint8_t ExpenseByMonth = 1;
    std::uint16_t ExpenseMonths = 4095;
    std::array<mTBusinessExpense, 12> MonthExpense{};
    mTBusinessExpense PeriodExpense;
    std::uint8_t ConfirmedExpenses = 1;
    Currency ResultExpense;
};
