// Declarations filled with every kind of record, for round trips, benchmarks and fuzz seeds.
#pragma once

#include "model/DeclClasses.h"

namespace sample {

inline Currency Rub(double v) { return Currency::FromRaw(static_cast<std::int64_t>(v * 10000 + (v < 0 ? -0.5 : 0.5))); }

// Fills every field of a new declaration; the counts set the size of the lists.
inline void Fill(mTDeclaration& d, int sources13 = 2, int linesPerSource = 3, int currencyIncomes = 2, int activities = 3) {
    d.InspectionNumber = "7701";
    d.InspectionName = "ИФНС России № 1 по г. Москве";
    d.Primary = 0;
    d.CorrectionNumber = 2;
    d.FilingDate = EncodeDate(2006, 4, 28);
    d.FilingMethod = 1;
    d.FilerStatus = 3;
    d.DeclarationKind = 0;
    d.SetIncomeKinds(ikRussian | ikForeign | ikBusiness);
    d.AutoCalculateApp = 1;
    d.SetAppendixCountB(2);
    d.SetAppendixCountM(1);
    d.AutoCalculateApp = 0;
    d.OGRNIP = "304770000123456";
    d.SupposeIncome = Rub(120000);
    d.SupVich = Rub(24000.5);
    d.ActualPrepayment = Rub(3000);
    d.NachPrepayment = Rub(3100.75);

    auto& p = d.Person;
    p.Name = {"Семёнов", "Пётр", "Фёдорович", "500100732259", "123-456-789 00", "0"};
    p.Doc = {21, "Паспорт гражданина РФ", "4503 123456", EncodeDate(2003, 3, 15), EncodeDate(1970, 2, 1),
             "ОВД «Мещанское» г. Москвы", "г. Москва"};
    p.IsForeigner = 1;
    p.Foreigner = {"120", "Украина", "Киев, ул. Крещатик, 1", "804"};
    p.ForeignHomePhone = {"044", "2345678"};
    p.ForeignWorkPhone = {"044", "8765432"};
    p.Address = {1, "101000", 77, "г. Москва", "", "Москва", "", "ул. Ёлочная", "5", "2", "12", "45286555"};
    p.HomePhone = {"495", "1234567"};
    p.WorkPhone = {"495", "7654321"};

    for (int s = 0; s < sources13; ++s) {
        auto& src = d.GetThirteenPercent(d.AddThirteenPercent());
        src.INN = "7701234567";
        src.KPP = "770101001";
        src.OKATO = "45286";
        src.SourseName = "ООО «Ромашка» №" + std::to_string(s);
        src.HoldSum = Rub(1950 + s);
        src.Obl = Rub(15000);
        src.TaxIsch = Rub(1950);
        src.PrimaryWorkplase = s == 0;
        src.SetMonthSum(0, Rub(1000.5));
        src.SetMonthSum(5, Rub(-3));
        for (int l = 0; l < linesPerSource; ++l) {
            auto line = std::make_unique<mTSourseIncome>();
            line->IncomeCode = 2000 + l;
            line->IncomeName = "Доход " + std::to_string(l);
            line->IncomeSum = Rub(10000.25 + l);
            line->DeductCode = l % 2 ? 601 : 0;
            line->DeductSum = Rub(l % 2 ? 4000 : 0);
            line->DeductNorm = l % 3 == 2 ? 20 : 0;
            line->Month = static_cast<std::uint16_t>(1 + l % 12);
            src.AddSourseIncome(std::move(line));
        }
    }
    auto& s35 = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
    s35.IncomeCode = 2740;
    s35.INN = "7703000001";
    s35.SourseName = "Лотерея";
    s35.ItogIncomeSum = Rub(50000);
    s35.DeductCode = 501;
    s35.DeductSum = Rub(2000);
    s35.HoldSum = Rub(16800);
    auto& div = d.GetThirtyPercent(d.AddThirtyPercent());
    div.IncomeCode = 1010;
    div.INN = "7702000001";
    div.SourseName = "АО Дивиденд";
    div.ItogIncomeSum = Rub(20000);
    div.TaxIsch = Rub(1800);
    div.Obl = Rub(20000);
    div.HoldSum = Rub(1800);

    for (int c = 0; c < currencyIncomes; ++c) {
        auto& ci = d.GetCurrencyIncome(d.AddCurrencyIncome());
        ci.Stav = 13;
        ci.IncomeCode = 2010;
        ci.IncomeName = "Гонорар";
        ci.SourseName = "Acme Inc.";
        ci.CountryCode = "840";
        ci.IncomeDate = EncodeDate(2005, 3, 1 + c % 28);
        ci.TaxDate = EncodeDate(2005, 4, 1);
        ci.AutoExchange = 1;
        ci.CurrencyCode = "840";
        ci.CurrencyName = "Доллар США";
        ci.Rate1 = Rub(27.03);
        ci.Units1 = 1;
        ci.Rate2 = Rub(27.01);
        ci.Units2 = 1;
        ci.SetIncomeCurrencySum(Rub(100.5 + c));
        ci.SetTaxCurrencySum(Rub(10));
        ci.DeductCode = 0;
        ci.DeductPercent = 20;
        ci.DeductSum = Rub(543.3);
    }

    for (int a = 0; a < activities; ++a) {
        auto& b = d.GetBusinessIncome(d.AddBusinessIncome());
        b.ActivityName = "Ремонт обуви " + std::to_string(a);
        b.ActivityCode = "52.71.1";
        switch (a % 3) {
        case 0: // month by month, documented month by month
            b.IncomeMonths = 0x0FF0;
            for (int m = 0; m < 12; ++m) {
                b.SetMonthIncome(m, Rub(1000 + m));
                mTBusinessExpense e{Rub(100 + m), Rub(10), Rub(m), Rub(0.5)};
                b.SetMonthExpense(m, &e);
            }
            break;
        case 1: { // income for the period, documented for the period
            b.SetIncomeByMonth(0);
            b.SetPeriodIncome(Rub(55000));
            b.SetExpenseByMonth(0);
            mTBusinessExpense e{Rub(1), Rub(2), Rub(3), Rub(4)};
            b.SetPeriodExpense(&e);
            break;
        }
        default: // expenses by the 20 % norm
            b.SetConfirmedExpenses(0);
            break;
        }
        b.ResultExpense = Rub(777.77);
    }

    auto& st = d.StandartDeduct;
    st.StandartCode = 110;
    st.ChildrenKind = 102;
    for (int m = 0; m < 12; ++m) st.SetMonthChildrens(m, m < 6 ? 1 : 2);
    st.SetConstChildrens2(1);
    st.Zayava = 1;
    for (int m = 1; m <= 12; ++m) st.SetZayavaSum(m, Rub(20000.0 * m));
    st.Combination = 1;
    for (int m = 1; m <= 12; ++m) st.SetMonthCombination(m, m % 3);

    auto& so = d.SocialDeduct;
    so.Granting = 1;
    so.Charity = Rub(5000);
    so.SelfEducation = Rub(38000);
    so.AddChildEduSum(Rub(12000));
    so.AddChildEduSum(Rub(25000.5));
    so.Medical = Rub(7000);
    so.ExpensiveMedical = Rub(150000);

    auto& co = d.ConstructionDeduct;
    co.Granting = 1;
    co.ObjectName = "Квартира";
    co.PostIndex = "119017";
    co.RegionCode = "77";
    co.RegionName = "г. Москва";
    co.Street = "ул. Большая Ордынка";
    co.House = "40";
    co.Flat = "7";
    co.RegistrationDate = EncodeDate(2005, 6, 10);
    co.PurchaseDate = EncodeDate(2005, 5, 20);
    co.StartDate = EncodeDate(2005, 1, 1);
    co.Share = Currency::FromRaw(5000);
    co.ObjectCost = Rub(2500000);
    co.CreditInterest = Rub(12345.67);

    for (int n = 0; n < 2; ++n) {
        auto& t = d.GetNalog(d.AddNalog());
        t.KBK = "18210102021011000110";
        t.Sum = Rub(100.5 * (n + 1));
    }
}

// A resident's declaration that needs every sheet kind of form 3-NDFL but the non-resident's
// sheet А at 30 % and section 2; `scale` repeats its sources and incomes so that the sheets with
// several blocks a page run over several pages.
inline void EverySheet(mTDeclaration& d, int scale = 1) {
    Fill(d, scale, 3, 2 * scale, scale);
    d.Person.IsForeigner = 0;
    d.StandartDeduct.Granting = 1;
    struct Line13 {
        std::int32_t code;
        double sum;
        std::int32_t deductCode;
        double deduct;
        std::int32_t norm;
    };
    const Line13 lines[] = {
        {2201, 30000, 201, 6000, 20},  // an author's fee (sheet Д)
        {2010, 40000, 403, 8000, 0},   // a civil-law contract (sheet Е)
        {1510, 1500000, 301, 0, 0},    // a dwelling sold (sheet Ж)
        {1530, 100000, 307, 60000, 0}, // securities sold (sheet З)
        {1535, 80000, 307, 50000, 0},  // securities sold by a trustee (sheet И)
    };
    for (int s = 0; s < scale; ++s) {
        auto& src = d.GetThirteenPercent(d.AddThirteenPercent());
        src.INN = "7705000" + std::to_string(100 + s);
        src.KPP = "770501001";
        src.OKATO = "45286";
        src.SourseName = "ЗАО «Издатель» №" + std::to_string(s);
        src.HoldSum = Rub(10000);
        for (const Line13& l : lines) {
            auto line = std::make_unique<mTSourseIncome>();
            line->IncomeCode = l.code;
            line->IncomeName = "Доход " + std::to_string(l.code);
            line->IncomeSum = Rub(l.sum);
            line->DeductCode = l.deductCode;
            line->DeductSum = Rub(l.deduct);
            line->DeductNorm = l.norm;
            line->Month = 3;
            src.AddSourseIncome(std::move(line));
        }
    }
    // Incomes abroad at each rate, and a fee abroad (sheet Д($)).
    const std::pair<std::int32_t, std::int32_t> foreign[] = {{9, 1010}, {35, 2740}, {13, 2205}};
    for (int s = 0; s < scale; ++s)
        for (const auto& [rate, code] : foreign) {
            auto& ci = d.GetCurrencyIncome(d.AddCurrencyIncome());
            ci.Stav = rate;
            ci.IncomeCode = code;
            ci.IncomeName = "Доход за рубежом";
            ci.SourseName = "Verlag GmbH";
            ci.CountryCode = "276";
            ci.IncomeDate = EncodeDate(2005, 6, 1);
            ci.TaxDate = EncodeDate(2005, 6, 10);
            ci.CurrencyCode = "978";
            ci.CurrencyName = "Евро";
            ci.Rate1 = Rub(34.5);
            ci.Units1 = 1;
            ci.Rate2 = Rub(34.6);
            ci.Units2 = 1;
            ci.SetIncomeCurrencySum(Rub(1000));
            ci.SetTaxCurrencySum(Rub(50));
            ci.DeductCode = code == 2205 ? 202 : 0;
            ci.DeductPercent = code == 2205 ? 20 : 0;
            ci.DeductSum = Rub(code == 2205 ? 6900 : 0);
        }
}

} // namespace sample
