// A declaration that passes the whole-declaration check, with every income kind and deduction.
#pragma once

#include "model/DeclClasses.h"

#include <memory>

namespace checkfixture {

inline TDateTime Date(int day, int month, int year) { return EncodeDate(year, month, day); }
inline Currency Money(std::int64_t roubles, std::int64_t kopecks = 0) { return Currency::FromRaw(roubles * 10000 + kopecks * 100); }

// A 13 % source with one income line and monthly amounts for months first..last (0 = January).
inline void AddSource(mTDeclaration& d, int first, int last) {
    mTThirteenPercent& s = d.GetThirteenPercent(d.AddThirteenPercent());
    s.SourseName = "ООО Ромашка";
    auto line = std::make_unique<mTSourseIncome>();
    line->IncomeCode = 2000;
    line->IncomeSum = Money(60000);
    s.AddSourseIncome(std::move(line));
    s.HoldSum = Money(7800);
    for (int m = first; m <= last; ++m) s.SetMonthSum(m, Money(10000));
}

inline mTCurrencyIncome& AddCurrencyIncome(mTDeclaration& d) {
    mTCurrencyIncome& c = d.GetCurrencyIncome(d.AddCurrencyIncome());
    c.CurrencyCode = "840";
    c.Units1 = 1;
    c.Rate1 = Money(28, 50);
    c.IncomeCode = 1010;
    c.SetIncomeCurrencySum(Money(1000));
    return c;
}

inline void AddActivity(mTDeclaration& d, std::uint8_t confirmed) {
    mTBusinessIncome& b = d.GetBusinessIncome(d.AddBusinessIncome());
    b.ActivityName = "Ремонт обуви";
    b.SetConfirmedExpenses(confirmed);
}

// A declaration that passes every check and has every income kind and every deduction, so that
// every check runs on it except 23 (business income) and 31 (replaced by 30).
inline void MakeComplete(mTDeclaration& d) {
    d.InspectionNumber = "7701";
    mTPersonInformation& p = d.Person;
    p.Name.SurName = "Иванов";
    p.Name.FirstName = "Иван";
    p.Name.Patronymic = "Иванович";
    p.Name.INN = "500100732259";
    p.Doc.DocTypeCode = 21;
    p.Doc.SeriesNumber = "45 00 123456";
    p.Doc.BirthDate = Date(15, 5, 1970);
    p.Doc.IssueDate = Date(10, 1, 2000);
    p.Address.RegionCode = 77;
    p.Address.Street = "Тверская";
    p.Address.OKATO = "45286555000";

    d.SetIncomeKinds(ikRussian | ikForeign | ikBusiness);
    AddSource(d, 0, 5);
    AddSource(d, 6, 11);
    AddCurrencyIncome(d);
    AddActivity(d, 1);
    AddActivity(d, 1);

    d.SocialDeduct.Granting = 1;
    d.SocialDeduct.Medical = Money(5000);

    mTConstructionDeduct& c = d.ConstructionDeduct;
    c.Granting = 1;
    c.ObjectName = "Квартира";
    c.PostIndex = "101000";
    c.PurchaseDate = Date(1, 2, 2004);
    c.RegistrationDate = Date(1, 3, 2004);
    c.StartDate = Date(1, 1, 2004);
    c.ChargeEarlierYears = Money(100000);
    c.ChargeCarriedOver = Money(50000);
    c.Share = Money(1);
}

} // namespace checkfixture
