// The figures of the declaration: the sums of every sheet А to Л and calculation sections 1 to 6,
// computed from the report-side model in one fixed order.
#pragma once

#include "reportcore/ClassesLogDan.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct kTSvodSum;

// Every sum class: Calculate fills its own figures from the model and the sums computed before it,
// writing into neither, and always returns true; Clear is the pipeline's reset.

// ---------------------------------------------------------------------------------------------
// Sheet А (9, 13, 30, 35 %), sheet Б (foreign currency by rate), sheet В (business)

// One source of sheet А with the figures its block shows (lines 010 to 070).
struct RecA {
    std::string INN, KPP, OKATO, SourseName;
    Currency Income, Obl, TaxIsch, HoldSum;
};

struct kTSvodSumPrilA {
    Currency Line080; // total income
    Currency Line110; // total tax withheld
    Currency Line100; // total tax computed
    Currency Line090; // total taxable income
    std::vector<RecA> Sources; // in list order
    std::string OKATO;         // the first territory code among the sources, empty when none has one
    void Clear() {
        Line080 = Line110 = Line100 = Line090 = Currency();
        Sources.clear();
        OKATO.clear();
    }
};
struct kTSvodSumPrilA6 : kTSvodSumPrilA {
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
};
struct kTSvodSumPrilA13 : kTSvodSumPrilA {
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
};
struct kTSvodSumPrilA30 : kTSvodSumPrilA {
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
};
// Takes the taxable income and the tax of each source as sheet Г left them.
struct kTSvodSumPrilA35 : kTSvodSumPrilA {
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
};

struct kTSvodSumPrilB {
    Currency Line150; // income in roubles
    Currency Line160; // tax paid abroad, in roubles
    Currency Line170; // Russian tax computed, whole roubles
    Currency Line180; // foreign tax to be credited, whole roubles
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums, std::int32_t rate);
    void Clear() { Line150 = Line160 = Line170 = Line180 = Currency(); }
};

// The documented expenses of a business expense record: its four categories together.
Currency ExpenseTotal(const kTExpenseRecord& r);

struct kTSvodSumPrilV {
    Currency Line110; // income of all activities
    Currency Line120; // expenses, at most Line110
    Currency Line140; // advance payments actually paid
    Currency Line130; // advance payments accrued
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
    void Clear() { Line110 = Line120 = Currency(); }
};

// ---------------------------------------------------------------------------------------------
// Sheet Г (exempt incomes), Д (author's fees), Д($) (author's fees abroad), Е (civil-law contracts)

struct Rec35 {
    std::string INN, KPP, SourseName;
    Currency IncomeSum, ExemptSum;
};

// A 35 % source's deduction, taxable income and tax once the prizes have shared their exemption.
struct Figures35 {
    Currency DeductSum, Obl, TaxIsch;
};

struct kTSvodSumPrilM {
    Currency Line010, Line020, Line040, Line030, Line050, Line060, Line070, Line080, Line090, Line100;
    Currency Line110, Line120, Line130;
    std::vector<Rec35> Prizes;
    std::int32_t PrizeCount = 0;
    Currency Line170;
    std::vector<Figures35> Sources35; // every 35 % source, in list order
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
    void Clear();
};

struct DohodAvtVozn {
    std::string INN, KPP, SourseName, IncomeCodeText, IncomeName;
    Currency IncomeSum;
    std::string IncomeText, DeductCodeText, DeductNormText;
    Currency DeductSum;
    std::string DeductText;
};

struct kTSvodSumPrilG {
    Currency Line100, Line110;
    std::vector<DohodAvtVozn> Records;
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
    void Clear() { Line110 = Currency(); }
};

struct kTSvodSumPrilG_In {
    Currency Line100, Line110;
    std::vector<DohodAvtVozn> Records;
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
    void Clear() { Line110 = Currency(); }
};

struct DohodGragdPravHar {
    std::string INN, KPP, SourseName;
    Currency IncomeSum;
    std::string IncomeText;
    Currency DeductSum;
    std::string DeductText;
};

struct kTSvodSumPrilD {
    Currency Line060, Line070;
    std::vector<DohodGragdPravHar> Records;
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
    void Clear() { Line070 = Currency(); }
};

// ---------------------------------------------------------------------------------------------
// Sheet К (standard and social deductions)

struct kTSvodSumPrilE {
    std::int32_t Months130 = 0, Months140 = 0;
    std::array<Currency, 12> ActivityResult{};
    std::array<Currency, 12> ActivityExpense{};
    std::array<Currency, 12> CumIncome{}; // January, January-February, ... (lines 010-120)
    Currency Line150, Line160, Line170, Line180, Line190, Line200, Line210, Line220;
    Currency Line230, Line240, Line250, Line260, Line270, Line280;
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
    void Clear() {}
};

// ---------------------------------------------------------------------------------------------
// Sheet Ж (property sales) and Л (housing deduction)

// The deduction of an income as the sums take it: that of a sold share of a dwelling (1511 with
// 313) goes no further than the income.
Currency AppliedDeduction(std::int32_t incomeCode, std::int32_t deductCode, Currency income, Currency deduction);

struct kTSvodSumPrilH {
    Currency Line010, Line020, Line040, Line030, Line050, Line060, Line070, Line080, Line090, Line100, Line110;
    Currency Line120, Line130, Line140, Line150, Line160, Line170, Line180, Line190, Line200, Line210, Line220;
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
    void Clear();
};

struct kTSvodSumPrilZ {
    long double Share = 0;
    Currency Line080, Line090, Line100, Line110, Line120, Line130, Line140, Line150, Line160, Line170;
    Currency Line180, Line190, Line200, Line210, Line220, Line230, Line240;
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
    void Clear();
};

// ---------------------------------------------------------------------------------------------
// Sheets З and И (securities)

struct CBDoh {
    std::string INN, KPP, SourceName;
    Currency SaleSum, ProfitSum, LossSum, ExpenseSum;
};

struct kTSvodSumPrilJK {
    std::array<Currency, 5> Taxable{}; // Taxable1 .. Taxable5
    Currency Loss1;
    std::array<Currency, 4> LossRest{}; // Loss2 .. Loss5
    Currency IncomeTotal, TaxableTotal, ExpenseTotal;
    std::array<std::vector<CBDoh>, 5> Sources; // Sources1 .. Sources5
    void Clear() {}
};

// Sheet З: the filer's own operations.
struct kTSvodSumPrilJ : kTSvodSumPrilJK {
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
};

// Sheet И: operations of a trustee; its losses are taken over by sheet З.
struct kTSvodSumPrilK : kTSvodSumPrilJK {
    Currency Carry1, Carry3, Carry4, Carry5, Accepted2;
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
};

// ---------------------------------------------------------------------------------------------
// Sections 1-6

struct kTSvodSumList1 {
    Currency Line010, Line020, Line040, Line030, Line050, Line060, Line070, Line080, Line090, Line100, Line110;
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
    void Clear() { *this = kTSvodSumList1{}; }
};
struct kTSvodSumList2 {
    Currency Line010, Line020, Line040, Line030, Line050, Line060, Line070, Line080, Line090, Line100;
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
    void Clear() { *this = kTSvodSumList2{}; }
};
struct kTSvodSumList3 {
    Currency Line010, Line020, Line040, Line030, Line050, Line070, Line060, Line080, Line090;
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
    void Clear() { *this = kTSvodSumList3{}; }
};
struct kTSvodSumList4 {
    Currency Line010, Line020, Line030, Line040, Line050, Line070, Line060, Line080;
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
    void Clear() { *this = kTSvodSumList4{}; }
};
struct kTSvodSumList5 {
    Currency Line010, Line020, Line030, Line040;
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
    void Clear() { *this = kTSvodSumList5{}; }
};

// One entry of section 6: an amount to pay ("1"), to refund ("2") or neither ("3").
struct bmTList1 {
    std::string KBK, OKATO, Indicator;
    Currency Amount;
};

struct kTSvodSumList6 {
    std::int32_t Count = 0;
    std::vector<bmTList1> Entries;
    bool Calculate(const kTDanLog& log, const kTSvodSum& sums);
    void Clear() {}
    void Add(const std::string& kbk, const std::string& okato, const char* indicator, Currency amount);
};

// Budget classification codes.
namespace kbk {
inline constexpr const char* Tax13 = "18210102021011000110";
inline constexpr const char* Tax13Business = "18210102022011000110";
inline constexpr const char* Tax13Notice = "18210102050011000110";
inline constexpr const char* Tax30 = "18210102030011000110";
inline constexpr const char* Tax35 = "18210102040011000110";
inline constexpr const char* Tax9 = "18210102010011000110";
} // namespace kbk

// ---------------------------------------------------------------------------------------------

struct kTSvodSum {
    kTSvodSumList1 List1;
    kTSvodSumList2 List2;
    kTSvodSumList3 List3;
    kTSvodSumList4 List4;
    kTSvodSumList5 List5;
    kTSvodSumList6 List6;
    kTSvodSumPrilA6 PrilA6;
    kTSvodSumPrilA13 PrilA13;
    kTSvodSumPrilA30 PrilA30;
    kTSvodSumPrilA35 PrilA35;
    kTSvodSumPrilB PrilB13, PrilB9, PrilB35;
    kTSvodSumPrilV PrilV;
    kTSvodSumPrilM PrilM;
    kTSvodSumPrilG PrilG;
    kTSvodSumPrilG_In PrilG_In;
    kTSvodSumPrilD PrilD;
    kTSvodSumPrilE PrilE;
    kTSvodSumPrilH PrilH;
    kTSvodSumPrilZ PrilZ;
    kTSvodSumPrilJ PrilJ;
    kTSvodSumPrilK PrilK;
    // Territory codes of the refund entries of sections 2, 4 and 3: the first code among the 13 %,
    // dividend and 35 % sources, else the filer's own.
    std::string OKATO13, OKATO9, OKATO35;

    // Computes every sheet in the fixed order, then the sections; reads the model and nothing else.
    bool Calculate(const kTDanLog& log);
    void Clear();
};

// Sum of the tax-paid lines whose code is one of the given codes.
Currency PaidUnder(const kTDanLog& log, std::initializer_list<const char*> codes);
