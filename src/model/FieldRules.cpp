#include "model/FieldRules.h"

#include "model/DeductionClasses.h"
#include "model/PersonClasses.h"
#include "model/StavClasses.h"

namespace {

// The published check digit: the weighted sum modulo 11, then modulo 10.
int CheckDigit(std::string_view digits, const int* weights, int count) {
    int sum = 0;
    for (int i = 0; i < count; ++i) sum += (digits[i] - '0') * weights[i];
    return sum % 11 % 10;
}

bool AllDigits(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

std::uint16_t OrganisationRule(std::string_view n) {
    static const int w[] = {2, 4, 10, 3, 5, 9, 4, 6, 8};
    return AllDigits(n) && CheckDigit(n, w, 9) == n[9] - '0' ? 0 : 5;
}

std::uint16_t PersonRule(std::string_view n) {
    static const int w11[] = {7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
    static const int w12[] = {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
    if (!AllDigits(n)) return 5;
    return CheckDigit(n, w11, 10) == n[10] - '0' && CheckDigit(n, w12, 11) == n[11] - '0' ? 0 : 5;
}

int YearOf(TDateTime date) {
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    return year;
}

} // namespace

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) < 33) text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) < 33) text.remove_suffix(1);
    return text;
}

bool IsBlank(std::string_view text) { return Trimmed(text).empty(); }

std::uint16_t CheckINN(std::string_view inn, std::uint8_t kind) {
    const std::string_view n = Trimmed(inn);
    if (n.empty()) return 1;
    switch (kind) {
    case 0:
        if (n.size() == 10) return OrganisationRule(n);
        if (n.size() == 12) return PersonRule(n);
        return 2;
    case 1: return n.size() != 10 ? 3 : OrganisationRule(n);
    case 2: return n.size() != 12 ? 4 : PersonRule(n);
    default: return 2;
    }
}

std::uint16_t CheckKPP(std::string_view kpp) {
    const std::string_view k = Trimmed(kpp);
    if (k.empty()) return 1;
    return k.size() != 9 ? 2 : 0;
}

bool IssuedAtAnyAge(std::uint16_t docTypeCode) { return docTypeCode == 0 || docTypeCode == 3 || docTypeCode == 91; }

bool IssuedAfterFourteenthBirthday(TDateTime issue, TDateTime birth) {
    int year = 0, month = 0, day = 0;
    DecodeDate(birth, year, month, day);
    if (month == 2 && day == 29) day = 28;
    TDateTime birthday = 0;
    // A birthday beyond the last representable year lies after any issue date.
    if (!TryEncodeDate(year + 14, month, day, birthday)) return false;
    return issue > birthday;
}

bool LacksSettlementAndStreet(const mTPersonAddress& address) { return address.Settlement.empty() && address.Street.empty(); }

bool LacksCitizenship(const mTPersonInformation& person) { return person.IsForeigner && person.Foreigner.Citizenship.empty(); }

bool WithholdsMoreThanIncome(const mTThirteenPercent& source) { return source.ItogIncomeSum < source.HoldSum; }

const std::array<TCurrencyIncomeRule, 5> kCurrencyIncomeRules = {{
    {[](const mTCurrencyIncome& c) { return c.CurrencyCode.empty(); }, "По данному источнику выплаты не указан код валюты"},
    {[](const mTCurrencyIncome& c) { return c.Units1 == 0 || c.Rate1.IsZero(); },
     "По данному источнику выплаты не указан курс валюты"},
    {[](const mTCurrencyIncome& c) { return c.IncomeCode == 0; }, "По данному источнику выплаты не указан код дохода"},
    {[](const mTCurrencyIncome& c) { return c.IncomeCurrencySum.IsZero(); },
     "По данному источнику выплаты не указана сумма дохода"},
    {[](const mTCurrencyIncome& c) { return c.DeductCode != 0 && c.DeductSum.IsZero(); },
     "По данному источнику выплаты не указана сумма вычета"},
}};

// The flag is compared as a flag: any value but 0 means documented expenses.
bool MixesExpenseKinds(const mTBusinessIncome& first, const mTBusinessIncome& other) {
    return (first.ConfirmedExpenses != 0) != (other.ConfirmedExpenses != 0);
}

bool SocialDeductWithoutData(const mTSocialDeduct& social) {
    return social.Granting && social.Charity.IsZero() && social.SelfEducation.IsZero() && social.Medical.IsZero() &&
           social.ExpensiveMedical.IsZero() && social.ChildEduCount == 0;
}

bool RegisteredBeforePurchase(const mTConstructionDeduct& property) {
    return property.RegistrationDate < property.PurchaseDate;
}

// The first year of the deduction is the year of StartDate (its 1 January); only years are compared.
bool PurchasedAfterFirstYear(const mTConstructionDeduct& property) {
    return YearOf(property.PurchaseDate) > YearOf(property.StartDate);
}
