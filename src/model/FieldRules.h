// The rules of the declaration's fields that a page's own check and the whole-declaration check both
// apply. They are written once so that the two checks can never disagree; each says only whether a
// value breaks the rule, and the checks say where the entry is and, unless a rule brings its words,
// what the user is told.
#pragma once

#include "platform/NumText.h"

#include <array>
#include <cstdint>
#include <string_view>

class mTBusinessIncome;
class mTConstructionDeduct;
class mTCurrencyIncome;
class mTPersonInformation;
class mTSocialDeduct;
class mTThirteenPercent;
struct mTPersonAddress;

// Characters below code 33 cut from both ends, as the checks read a typed text.
std::string_view Trimmed(std::string_view text);
bool IsBlank(std::string_view text);

// Taxpayer number (INN): 0 valid; 1 empty; 2 length neither 10 nor 12 (kind 0); 3 length not 10
// (kind 1); 4 length not 12 (kind 2); 5 wrong check digit. Kind: 0 any taxpayer, 1 organisation,
// 2 person.
std::uint16_t CheckINN(std::string_view inn, std::uint8_t kind);
// Registration-reason code (KPP): 0 valid; 1 empty; 2 length not 9.
std::uint16_t CheckKPP(std::string_view kpp);

// Documents that may be issued at any age: birth certificates (3) and the interior ministry's other
// documents (91); also no type at all (0), which is a failure of its own.
bool IssuedAtAnyAge(std::uint16_t docTypeCode);
// The issue date comes after the holder's fourteenth birthday; a 29 February birthday counts as
// 28 February.
bool IssuedAfterFourteenthBirthday(TDateTime issue, TDateTime birth);

// Neither the settlement nor the street of the residence is given.
bool LacksSettlementAndStreet(const mTPersonAddress& address);
// A foreigner without citizenship.
bool LacksCitizenship(const mTPersonInformation& person);

// A 13 % source whose total income is below the tax withheld.
bool WithholdsMoreThanIncome(const mTThirteenPercent& source);

// An income in foreign currency, rule by rule in the order both checks apply them, with the words
// both show for it.
struct TCurrencyIncomeRule {
    bool (*fails)(const mTCurrencyIncome&);
    const char* message;
};
extern const std::array<TCurrencyIncomeRule, 5> kCurrencyIncomeRules;

// Two business activities of which one counts documented expenses and the other the 20 % norm.
bool MixesExpenseKinds(const mTBusinessIncome& first, const mTBusinessIncome& other);

// Social deductions claimed with nothing to deduct.
bool SocialDeductWithoutData(const mTSocialDeduct& social);

// The property's ownership registered before it was bought (or its building begun).
bool RegisteredBeforePurchase(const mTConstructionDeduct& property);
// The property bought in a year after the first year of the deduction.
bool PurchasedAfterFirstYear(const mTConstructionDeduct& property);
