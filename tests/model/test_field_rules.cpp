// The field rules that the pages' checks and the whole-declaration check share, on their own.
#include "model/DeclClasses.h"
#include "model/FieldRules.h"

#include <gtest/gtest.h>
#include <functional>

namespace {

TDateTime Date(int day, int month, int year) { return EncodeDate(year, month, day); }

} // namespace

TEST(CheckINN, Numbers) {
    struct Case {
        const char* inn;
        int kind;
        int result;
    } cases[] = {
        {"7707083893", 0, 0}, {"7707083893", 1, 0}, {"7707083893", 2, 4}, {"7707083894", 0, 5}, {"7707083894", 1, 5},
        {"500100732259", 0, 0}, {"500100732259", 2, 0}, {"500100732259", 1, 3},
        {"500100732269", 0, 5}, // the 11th digit wrong, whatever the 12th
        {"500100732258", 2, 5}, {"", 0, 1}, {"   ", 2, 1}, {" 123 ", 0, 2}, {" 123 ", 1, 3}, {" 123 ", 2, 4},
        {"12345678901", 0, 2},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckINN(c.inn, static_cast<std::uint8_t>(c.kind)), c.result) << c.inn << " " << c.kind;
    EXPECT_EQ(CheckKPP("770101001"), 0);
    EXPECT_EQ(CheckKPP("77010100"), 2);
    EXPECT_EQ(CheckKPP("         "), 1);
}

TEST(FieldRules, TextsAreReadWithoutTheCharactersBelow33) {
    EXPECT_EQ(Trimmed(" \t\r\n Квартира \x1f"), "Квартира");
    EXPECT_EQ(Trimmed("a b"), "a b");
    EXPECT_TRUE(IsBlank(""));
    EXPECT_TRUE(IsBlank(" \t\r\n\x01 "));
    EXPECT_FALSE(IsBlank("  !  "));
}

TEST(FieldRules, IdentityDocumentIssuedAfterTheFourteenthBirthday) {
    struct Case {
        TDateTime birth, issue;
        bool after;
    } cases[] = {
        {Date(15, 3, 1990), Date(15, 3, 2004), false}, // on the birthday
        {Date(15, 3, 1990), Date(16, 3, 2004), true},
        {Date(15, 3, 1990), Date(15, 3, 1990), false},
        {Date(29, 2, 1988), Date(28, 2, 2002), false}, // 29 February counts as 28 February
        {Date(29, 2, 1988), Date(1, 3, 2002), true},
        {Date(29, 2, 1992), Date(28, 2, 2006), false},
        {Date(31, 12, 1990), Date(31, 12, 2004), false},
        {Date(31, 12, 1990), Date(1, 1, 2005), true},
        {Date(1, 1, 9990), Date(31, 12, 9999), false}, // a birthday past the last date there is
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(DateToStr(c.birth) + " " + DateToStr(c.issue));
        EXPECT_EQ(IssuedAfterFourteenthBirthday(c.issue, c.birth), c.after);
    }
}

TEST(FieldRules, DocumentsIssuedAtAnyAge) {
    for (std::uint16_t code : {0, 3, 91}) EXPECT_TRUE(IssuedAtAnyAge(code)) << code;
    for (std::uint16_t code : {1, 2, 4, 10, 21, 90, 92, 300}) EXPECT_FALSE(IssuedAtAnyAge(code)) << code;
}

TEST(FieldRules, PersonAndSources) {
    mTPersonInformation p;
    EXPECT_TRUE(LacksSettlementAndStreet(p.Address));
    p.Address.Settlement = "Кукуево";
    EXPECT_FALSE(LacksSettlementAndStreet(p.Address));
    p.Address.Settlement.clear();
    p.Address.Street = "Тверская";
    EXPECT_FALSE(LacksSettlementAndStreet(p.Address));

    EXPECT_FALSE(LacksCitizenship(p)); // a resident needs none
    p.IsForeigner = 1;
    EXPECT_TRUE(LacksCitizenship(p));
    p.Foreigner.Citizenship = "Беларусь";
    EXPECT_FALSE(LacksCitizenship(p));

    mTThirteenPercent s;
    s.ItogIncomeSum = Currency::FromInt(1000);
    s.HoldSum = Currency::FromInt(1000);
    EXPECT_FALSE(WithholdsMoreThanIncome(s));
    s.HoldSum = Currency::FromRaw(s.ItogIncomeSum.Raw() + 100); // a kopeck more
    EXPECT_TRUE(WithholdsMoreThanIncome(s));
}

// Each change of a complete income breaks exactly its own rule.
TEST(FieldRules, CurrencyIncomeRules) {
    auto complete = [](mTCurrencyIncome& c) {
        c.CurrencyCode = "840";
        c.Units1 = 1;
        c.Rate1 = Currency::FromRaw(285000);
        c.IncomeCode = 1010;
        c.IncomeCurrencySum = Currency::FromInt(1000);
    };
    struct Case {
        const char* what;
        std::function<void(mTCurrencyIncome&)> change;
        int rule; // -1: none
    } cases[] = {
        {"complete", [](mTCurrencyIncome&) {}, -1},
        {"no currency code", [](mTCurrencyIncome& c) { c.CurrencyCode.clear(); }, 0},
        {"no units", [](mTCurrencyIncome& c) { c.Units1 = 0; }, 1},
        {"no rate", [](mTCurrencyIncome& c) { c.Rate1 = Currency(); }, 1},
        {"no income code", [](mTCurrencyIncome& c) { c.IncomeCode = 0; }, 2},
        {"no income", [](mTCurrencyIncome& c) { c.IncomeCurrencySum = Currency(); }, 3},
        {"deduction code without sum", [](mTCurrencyIncome& c) { c.DeductCode = 403; }, 4},
        {"deduction code with sum",
         [](mTCurrencyIncome& c) {
             c.DeductCode = 403;
             c.DeductSum = Currency::FromInt(1);
         },
         -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mTCurrencyIncome income;
        complete(income);
        c.change(income);
        for (int r = 0; r < static_cast<int>(kCurrencyIncomeRules.size()); ++r)
            EXPECT_EQ(kCurrencyIncomeRules[r].fails(income), r == c.rule) << kCurrencyIncomeRules[r].message;
    }
}

TEST(FieldRules, BusinessActivitiesKeepToOneKindOfExpenses) {
    struct Case {
        std::uint8_t first, other;
        bool mixed;
    } cases[] = {{1, 1, false}, {0, 0, false}, {1, 0, true}, {0, 1, true}, {1, 2, false}}; // a flag: any value but 0
    for (const Case& c : cases) {
        mTBusinessIncome a, b;
        a.ConfirmedExpenses = c.first;
        b.ConfirmedExpenses = c.other;
        EXPECT_EQ(MixesExpenseKinds(a, b), c.mixed) << int(c.first) << " " << int(c.other);
    }
}

TEST(FieldRules, SocialDeductionsClaimedWithNothingToDeduct) {
    mTSocialDeduct s;
    EXPECT_FALSE(SocialDeductWithoutData(s)); // not claimed
    s.Granting = 1;
    EXPECT_TRUE(SocialDeductWithoutData(s));
    for (Currency mTSocialDeduct::*amount :
         {&mTSocialDeduct::Charity, &mTSocialDeduct::SelfEducation, &mTSocialDeduct::Medical, &mTSocialDeduct::ExpensiveMedical}) {
        mTSocialDeduct one;
        one.Granting = 1;
        one.*amount = Currency::FromRaw(1);
        EXPECT_FALSE(SocialDeductWithoutData(one));
    }
    s.AddChildEduSum(Currency::FromInt(1000)); // a child's education
    EXPECT_FALSE(SocialDeductWithoutData(s));
}

TEST(FieldRules, PropertyDates) {
    mTConstructionDeduct c;
    c.PurchaseDate = Date(1, 2, 2004);
    c.RegistrationDate = Date(1, 2, 2004);
    EXPECT_FALSE(RegisteredBeforePurchase(c)); // the same day
    c.RegistrationDate = Date(31, 1, 2004);
    EXPECT_TRUE(RegisteredBeforePurchase(c));

    // Years only: bought on the last day of the first year is in time.
    c.StartDate = Date(1, 1, 2004);
    c.PurchaseDate = Date(31, 12, 2004);
    EXPECT_FALSE(PurchasedAfterFirstYear(c));
    c.PurchaseDate = Date(1, 1, 2005);
    EXPECT_TRUE(PurchasedAfterFirstYear(c));
}
