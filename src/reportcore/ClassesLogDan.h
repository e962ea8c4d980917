// The report library's read-only copy of the declaration, read from the block that the main program
// hands over, and the library's rounding and amount formatting.
#pragma once

#include "platform/Currency.h"
#include "platform/NumText.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class mTDocumentStorage;

// ---------------------------------------------------------------------------------------------
// Rounding and formatting of amounts

// Whole part plus one when the fraction is 0.5 or more; negative values go toward zero.
std::int64_t RoundHalfUp(double x);
// Whole roubles of an amount by RoundHalfUp: every whole-rouble figure, printed or in the text file,
// so that the paper and the barcodes beside it agree.
inline std::int64_t RoundHalfUpRoubles(Currency c) { return RoundHalfUp(c.ToDouble()); }
// RoundHalfUp of an amount times a rate, formed in extended precision as the printed formulas do
// ("amount x 0.13"), as a money amount of whole roubles.
Currency RoundedTax(Currency amount, long double rate);

// One amount for a row of digit cells: roubles truncated (no sign), kopecks cut, padded on the
// left to Width; an amount of 0 gives blanks only.
std::string FormatSumCell(bool withKopecks, int width, Currency amount);
// An amount for the tax-office text file: "1234.56", or whole roubles by RoundHalfUp; empty when
// longer than 15 (with kopecks) or 12 characters.
std::string FormatTaxAmount(bool withKopecks, Currency amount);
// A number in the general format with "." (exchange rates per unit), at most 15 characters.
std::string FormatTaxFloat(double x);
// Every "," becomes a blank, trimming the text after each; a text without "," stays as it is.
std::string CommasToBlanks(std::string s);

// ---------------------------------------------------------------------------------------------
// The 25 printed sheet kinds, in print, page and preview order.

enum TSheetKind : int {
    skTitul = 1,
    skAdr,
    skRazdel1,
    skRazdel2,
    skRazdel3,
    skRazdel4,
    skRazdel5,
    skRazdel6,
    skPrilA9,
    skPrilA13,
    skPrilA30,
    skPrilA35,
    skPrilB9,
    skPrilB13,
    skPrilB35,
    skPrilV,
    skPrilM,
    skPrilG,
    skPrilG_In,
    skPrilD,
    skPrilH,
    skPrilJ,
    skPrilK,
    skPrilE,
    skPrilZ,
};
inline constexpr int kSheetKinds = 25;

// ---------------------------------------------------------------------------------------------
// The model

struct mbTNalog {
    std::string KBK;
    std::string Note;
    Currency Sum;
    bool operator==(const mbTNalog&) const = default;
};

struct kTInostr {
    std::string InnerDays, Citizenship, AddressAbroad, CountryCode;
    std::string HomeCode, HomePhone, WorkCode, WorkPhone;
    bool operator==(const kTInostr&) const = default;
};

struct kTPersonDan {
    explicit kTPersonDan(mTDocumentStorage& storage);
    std::string SurName, FirstName, Patronymic, INN, StrSv, Pol;
    std::string DocTypeName;
    std::uint16_t DocTypeCode = 0;
    std::string Serial;
    TDateTime RegDate = 0, BirthDate = 0;
    std::string Kem, Mesto;
    bool IsForeigner = false;
    kTInostr Inostr;
    bool AddressOfStay = false;
    std::string PostIndex;
    std::uint16_t RegionCode = 0;
    std::string RegionName;
    std::string District, City, Area, Street, House, Building, Flat, OKATO;
    std::string HomeCode, HomePhone, WorkCode, WorkPhone;
    bool operator==(const kTPersonDan&) const = default;
};

struct kTDeclDan {
    explicit kTDeclDan(mTDocumentStorage& storage);
    std::uint8_t IncomeKinds = 0;
    std::string InspectionNumber, InspectionName;
    bool Primary = true;
    std::int32_t CorrectionNumber = 0;
    TDateTime FilingDate = 0;
    bool AutoCalculateApp = false;
    std::uint16_t Appendixes = 0;
    std::uint8_t FilingMethod = 0, FilerStatus = 0, DeclarationKind = 0;
    std::int32_t AppB = 0, AppV = 0, AppG = 0, AppD = 0, AppK = 0, AppL = 0, AppM = 0, AppE = 0, AppZ = 0;
    std::string OGRNIP;
    Currency SupposeIncome;
    bool operator==(const kTDeclDan&) const = default;
};

struct kTSpisVidDoh {
    std::int32_t IncomeCode = 0;
    std::string IncomeName;
    Currency IncomeSum;
    std::int32_t DeductCode = 0;
    Currency DeductSum;
    std::int32_t DeductNorm = 0;
    std::uint16_t Month = 0;
    bool operator==(const kTSpisVidDoh&) const = default;
};

struct kThirteenDoh {
    kThirteenDoh(mTDocumentStorage& storage, std::int32_t index);
    bool PrimaryWorkplase = false;
    std::string INN, KPP, OKATO, SourseName;
    Currency Obl, TaxIsch, HoldSum;
    std::array<Currency, 12> MonthSum{};
    std::array<bool, 12> MonthPresent{};
    std::int32_t LineCount = 0;
    std::vector<kTSpisVidDoh> Lines;
    bool operator==(const kThirteenDoh&) const = default;
};

struct kTThirtyDoh {
    kTThirtyDoh(mTDocumentStorage& storage, std::int32_t index);
    std::string INN, KPP, OKATO, SourseName;
    Currency ItogIncomeSum, Obl, TaxIsch, HoldSum;
    bool operator==(const kTThirtyDoh&) const = default;
};

struct kTThirtyFiveDoh {
    kTThirtyFiveDoh(mTDocumentStorage& storage, std::int32_t index);
    std::string INN, KPP, SourseName, OKATO;
    std::uint16_t IncomeCode = 0;
    Currency DeductSum;
    std::uint16_t DeductCode = 0;
    Currency HoldSum, Obl, TaxIsch, ItogIncomeSum;
    bool operator==(const kTThirtyFiveDoh&) const = default;
};

struct kTInoValutDoh {
    kTInoValutDoh(mTDocumentStorage& storage, std::int32_t index);
    std::int32_t Stav = 0, IncomeCode = 0;
    std::string IncomeName, SourseName, CountryCode;
    TDateTime IncomeDate = 0, TaxDate = 0;
    std::string CurrencyCode;
    Currency IncomeRate;
    std::int32_t IncomeUnits = 1;
    Currency TaxRate;
    std::int32_t TaxUnits = 1;
    std::string CurrencyName;
    Currency IncomeCur, IncomeRub, TaxCur, TaxRub;
    bool AutoExchange = false;
    std::int32_t DeductCode = 0;
    Currency DeductSum, AppliedDeduct, TaxDue, TaxCredit;
    std::int32_t DeductNorm = 0;
    bool operator==(const kTInoValutDoh&) const = default;
};

struct kTExpenseRecord {
    Currency Mat, Amortization, WorkPay, Other, Total;
    bool operator==(const kTExpenseRecord&) const = default;
};

struct kTPredprinimDeyatDoh {
    kTPredprinimDeyatDoh(mTDocumentStorage& storage, std::int32_t index);
    std::string Name, Code;
    Currency TotalIncome;
    bool IncomeByMonth = false;
    std::array<Currency, 12> MonthIncome{};
    std::uint16_t IncomeMonths = 0;
    std::uint16_t ExpenseMonths = 0;
    bool ExpenseByMonth = false;
    std::array<kTExpenseRecord, 12> MonthExpense{};
    kTExpenseRecord PeriodExpense;
    bool ConfirmedExpenses = false;
    kTExpenseRecord ExpenseTotals; // Mat, Amortization, WorkPay, Other over the year
    Currency ResultExpense;
    bool operator==(const kTPredprinimDeyatDoh&) const = default;
};

// A list of items read as a word count followed by the items; empty when its kind is absent.
template <class T>
struct kTItemList {
    std::int32_t Count = 0;
    std::vector<T> Items;
    bool operator==(const kTItemList&) const = default;
};

struct kTThirteenList : kTItemList<kThirteenDoh> {};
struct kTThirtyList : kTItemList<kTThirtyDoh> {};
struct kTThirtyFiveList : kTItemList<kTThirtyFiveDoh> {};
struct kTInoValutList : kTItemList<kTInoValutDoh> {
    std::int32_t Count13 = 0, Count9 = 0, Count35 = 0;
    bool operator==(const kTInoValutList&) const = default;
};
struct kTPredprinimDeyatList : kTItemList<kTPredprinimDeyatDoh> {
    std::uint16_t MonthSet = 0;
    Currency ActualPrepayment, NachPrepayment, SupposeIncome, SupVich;
    std::string OGRNIP;
    bool operator==(const kTPredprinimDeyatList&) const = default;
};

struct kTDohody {
    kTDohody(mTDocumentStorage& storage, std::uint8_t incomeKinds);
    kTThirteenList ThirteenList;
    kTThirtyList ThirtyList;
    kTThirtyFiveList ThirtyFiveList;
    kTInoValutList InoValutList;
    kTPredprinimDeyatList PredprinimDeyatList;
    bool operator==(const kTDohody&) const = default;
};

struct kTStandartVych {
    kTStandartVych() = default;
    explicit kTStandartVych(mTDocumentStorage& storage);
    bool Granting = false;
    std::int32_t Code = 0, ChildKind = 0;
    bool ChildConst = false;
    std::int32_t ChildCount = 0;
    std::array<std::int32_t, 12> ChildMonth{};
    bool InvalidConst = false;
    std::int32_t InvalidCount = 0;
    std::array<std::int32_t, 12> InvalidMonth{};
    bool Zayava = false;
    std::array<Currency, 12> ZayavaSum{};
    bool Combination = false;
    std::array<std::int32_t, 12> MonthCombination{};
    bool operator==(const kTStandartVych&) const = default;
};

struct kTSocialVych {
    kTSocialVych() = default;
    explicit kTSocialVych(mTDocumentStorage& storage);
    bool Granting = false;
    Currency Charity, SelfEducation;
    std::int32_t ChildEduCount = 0;
    std::vector<Currency> ChildEduSums;
    Currency Medical, ExpensiveMedical;
    bool operator==(const kTSocialVych&) const = default;
};

struct kTStroitVych {
    kTStroitVych();
    explicit kTStroitVych(mTDocumentStorage& storage);
    bool Granting = false;
    std::string ObjectName, PostIndex, RegionCode, RegionName;
    std::string District, City, Area, Street, House, Building, Flat;
    TDateTime RegDate = 0, BuyDate = 0, StartYear = 0;
    Currency TransferringChargeSum, TransferringCreditSum, PostYears, PostYearsIp;
    Currency PostYearsNA, PostYearsIpNA, ObschSum, ObschIpSum, VychNA, VychIpNA;
    long double Share = 0; // the filer's share as a fraction
    bool operator==(const kTStroitVych&) const = default;
};

struct kTVychety {
    kTVychety(mTDocumentStorage& storage, std::uint8_t incomeKinds);
    kTStandartVych StandartVych;
    kTSocialVych SocialVych;
    kTStroitVych StroitVych;
    bool operator==(const kTVychety&) const = default;
};

class kTDanLog {
public:
    // Reads the whole declaration from an opened container; the general data first, then the
    // person, the incomes, the deductions and the tax-paid lines, in the order they were written.
    kTDanLog(mTDocumentStorage& storage, bool noDate);
    // Equal when every value read is equal.
    bool operator==(const kTDanLog& other) const;

    bool PrintDate = true;
    std::unique_ptr<kTDeclDan> DeclDan;
    std::unique_ptr<kTPersonDan> PersonDan;
    std::unique_ptr<kTDohody> Dohody;
    std::unique_ptr<kTVychety> Vychety;
    std::vector<mbTNalog> Nalog;
};

// Reads a handed-over block (a zero-terminated "DLSG" document) into a new model.
std::unique_ptr<kTDanLog> ReadDanLog(const std::uint8_t* block, bool noDate);

// The filer's citizenship and country code as the title page and the tax-office text file give
// them: Russia's where the document leaves them empty.
struct TCitizenship {
    std::string Name, CountryCode;
};
TCitizenship CitizenshipOf(const kTPersonDan& person);
