// Whole tax-office text files compared byte for byte with files checked by hand. Set
// VELMAROD_WRITE_GOLDEN=1 to write them anew (and check them again before committing).
#include "../TestUtil.h"
#include "ReportTestUtil.h"
#include "reportcore/ClassesReportPlan.h"
#include "reportcore/ClassesReportText.h"

#include <cstdlib>
#include <gtest/gtest.h>

using reporttest::Line;
using reporttest::Rub;

namespace {

const TTaxClock kClock{2008, 4, 28, 10, 30, 0};

void Person(mTDeclaration& d) {
    d.InspectionNumber = "7701";
    d.InspectionName = "ИФНС России № 1 по г. Москве";
    d.FilingDate = EncodeDate(2006, 4, 28);
    d.Person.Name = {"Иванов", "Иван", "Иванович", "500100732259", "123-456-789 00", "0"};
    d.Person.Doc = {21, "Паспорт гражданина РФ", "4503 123456", EncodeDate(2003, 3, 15), EncodeDate(1970, 2, 1),
                    "ОВД Мещанского района", "г. Москва"};
    d.Person.Address = {0, "101000", 77, "г. Москва", "", "Москва", "", "ул. Ленина", "5", "", "12", "45286555000"};
    d.Person.HomePhone = {"495", "1234567"};
}

std::string Produce(const mTDeclaration& d) {
    auto c = reporttest::Compute(d);
    c.plan = PlanPages(*c.log, *c.sums);
    std::string bytes;
    for (const std::string& l : BuildTaxText(*c.log, *c.sums, c.plan, kClock)) bytes += ToOem(l) + "\r\n";
    return bytes;
}

void Check(const char* name, const mTDeclaration& d) {
    const std::string path = std::string(VELMAROD_SOURCE_DIR "/tests/report/golden/") + name;
    const std::string bytes = Produce(d);
    if (std::getenv("VELMAROD_WRITE_GOLDEN")) testutil::WriteFile(path, bytes);
    EXPECT_EQ(bytes, testutil::ReadFile(path)) << name;
}

} // namespace

TEST(GoldenText, ResidentWithRefund) {
    mTDeclaration d;
    Person(d);
    d.SetIncomeKinds(ikRussian);
    auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
    s.PrimaryWorkplase = 1;
    s.INN = "7701234567";
    s.KPP = "770101001";
    s.OKATO = "45286555000";
    s.SourseName = "ООО \"Ромашка\"";
    s.HoldSum = Rub(15600);
    s.Obl = Rub(116800);
    s.TaxIsch = Rub(15184);
    for (std::uint16_t m = 1; m <= 12; ++m) s.AddSourseIncome(Line(2000, 10000, 0, 0, m));
    d.StandartDeduct.StandartCode = 103;
    d.StandartDeduct.SetConstChildrens(1);
    d.GetNalog(d.AddNalog()).KBK = "18210102021011000110";
    Check("resident-refund.txt", d);
}

TEST(GoldenText, BusinessIncome) {
    mTDeclaration d;
    Person(d);
    d.FilerStatus = 1;
    d.SetIncomeKinds(ikBusiness);
    d.OGRNIP = "304770000123456";
    d.ActualPrepayment = Rub(5000);
    d.NachPrepayment = Rub(5000);
    auto& a = d.GetBusinessIncome(d.AddBusinessIncome());
    a.ActivityName = "Ремонт обуви";
    a.ActivityCode = "52.71.1";
    a.SetIncomeByMonth(0);
    a.SetPeriodIncome(Rub(300000));
    a.SetExpenseByMonth(0);
    mTBusinessExpense e{Rub(100000), Rub(20000), Rub(50000), Rub(10000)};
    a.SetPeriodExpense(&e);
    a.ResultExpense = Rub(180000);
    d.StandartDeduct.Granting = 0;
    Check("business.txt", d);
}

TEST(GoldenText, EstimatedIncome) {
    mTDeclaration d;
    Person(d);
    d.DeclarationKind = 2;
    d.FilerStatus = 1;
    d.SetIncomeKinds(0);
    d.OGRNIP = "12345678901";
    d.SupposeIncome = Rub(150000.5);
    Check("form-4ndfl.txt", d);
}

TEST(GoldenText, Foreigner) {
    mTDeclaration d;
    Person(d);
    d.FilerStatus = 4;
    d.Person.IsForeigner = 1;
    d.Person.Foreigner = {"200", "Беларусь", "Минск, ул. Ленина, 1", "112"};
    d.Person.ForeignWorkPhone = {"017", "2000000"};
    d.Person.ForeignHomePhone = {"017", "3000000"};
    d.Person.Address.AddressKind = 1;
    d.SetIncomeKinds(ikRussian | ikForeign);
    auto& s = d.GetThirteenPercent(d.AddThirteenPercent());
    s.OKATO = "45286555000";
    s.SourseName = "ЗАО Вектор";
    s.HoldSum = Rub(6500);
    s.AddSourseIncome(Line(2000, 50000));
    auto& c = d.GetCurrencyIncome(d.AddCurrencyIncome());
    c.Stav = 13;
    c.IncomeCode = 2010;
    c.SourseName = "Acme Ltd";
    c.CountryCode = "826";
    c.CurrencyCode = "826";
    c.CurrencyName = "Фунт стерлингов";
    c.IncomeDate = EncodeDate(2005, 3, 1);
    c.TaxDate = EncodeDate(2005, 3, 1);
    c.Rate1 = Rub(52.3);
    c.Units1 = 1;
    c.Rate2 = Rub(52.3);
    c.Units2 = 1;
    c.SetIncomeCurrencySum(Rub(1000));
    c.SetTaxCurrencySum(Rub(100));
    d.StandartDeduct.Granting = 0;
    Check("foreigner.txt", d);
}
