#include "../TestUtil.h"
#include "model/DeclClasses.h"
#include "platform/Codec.h"

#include <gtest/gtest.h>

using testutil::Header;
using testutil::OpenBytes;

namespace {

Currency Rub(std::int64_t whole) { return Currency::FromInt(whole); }

// What Save writes (bytes after the header), checked against GetSize.
template <class R>
std::string SavedBytes(const R& record, std::uint16_t index) {
    auto loader = mTFileLoader::CreateInMemory(100000);
    mTDocumentStorage s(loader.get());
    s.CreateDocument("Velmarod");
    record.Save(s, index);
    EXPECT_EQ(s.Cursor - 60, record.GetSize(index));
    return std::string(reinterpret_cast<char*>(loader->View) + 60, s.Cursor - 60);
}

template <class R>
R Reloaded(const std::string& body, std::uint16_t index, const std::string& version = "0102") {
    auto b = OpenBytes(Header("Velmarod", version) + body);
    R r;
    r.Load(*b.storage, index);
    return r;
}

std::unique_ptr<mTSourseIncome> Line(std::int64_t sum) {
    auto l = std::make_unique<mTSourseIncome>();
    l->IncomeSum = Rub(sum);
    return l;
}

} // namespace

TEST(ThirteenPercent, TotalFollowsTheLines) {
    mTThirteenPercent src;
    src.AddSourseIncome(Line(1000));
    src.AddSourseIncome(Line(500));
    src.ItogIncomeSum = Currency(); // the total is not stored: loading rebuilds it
    auto loaded = Reloaded<mTThirteenPercent>(SavedBytes(src, 4), 4);
    EXPECT_EQ(loaded.ItogIncomeSum, Rub(1500));
    mTSourseIncome replacement;
    replacement.IncomeSum = Rub(200);
    loaded.SetSourseIncome(0, &replacement);
    EXPECT_EQ(loaded.ItogIncomeSum, Rub(700));
    loaded.SetSourseIncome(0, nullptr);
    EXPECT_EQ(loaded.ItogIncomeSum, Rub(500));
    EXPECT_EQ(loaded.SourseIncomeCount(), 1);
    EXPECT_THROW(loaded.GetSourseIncome(1), mEMemoryAllocate);
}

TEST(ThirteenPercent, MonthValues) {
    mTThirteenPercent src;
    const std::string bytes = SavedBytes(src, 0);
    std::string expected = "0019@ThirteenPercent000" "00010" "0000" "0000" "0000" "0000" "00010" "00010" "00010";
    for (int m = 0; m < 12; ++m) expected += "0001a";
    expected += "00010";
    EXPECT_EQ(bytes, expected); // a source without lines writes no line stream
    EXPECT_EQ(Reloaded<mTThirteenPercent>(bytes, 0).MonthSet, 0);

    // A month stored as the number -1 reads like "a"; other amounts enter the set.
    std::string withMonths = "0019@ThirteenPercent000" "00010" "0000" "0000" "0000" "0000" "00010" "00010" "00010";
    withMonths += "0002-1";
    withMonths += "000512.75";
    for (int m = 2; m < 12; ++m) withMonths += "0001a";
    withMonths += "00010";
    auto loaded = Reloaded<mTThirteenPercent>(withMonths, 0);
    EXPECT_EQ(loaded.MonthSet, 2);
    EXPECT_EQ(loaded.MonthSum[0], Currency());
    EXPECT_EQ(loaded.MonthSum[1].Raw(), 127500);
}

TEST(ThirteenPercent, FileBeforeVersion11HasNoFlag) {
    std::string body = "0019@ThirteenPercent000" "00107701234567" "0000" "0000" "0004Тест" "00010" "00010" "00010";
    for (int m = 0; m < 12; ++m) body += "0001a";
    body += "00010";
    auto loaded = Reloaded<mTThirteenPercent>(codec::Utf8ToCp1251(body), 0, "0100");
    EXPECT_EQ(loaded.PrimaryWorkplase, 0);
    EXPECT_EQ(loaded.INN, "7701234567");
    EXPECT_EQ(loaded.SourseName, "Тест");
}

TEST(ThirteenPercent, MissingLineStreamCarriesThePlaceCode) {
    mTThirteenPercent src;
    src.AddSourseIncome(Line(1));
    std::string bytes = SavedBytes(src, 0);
    bytes.replace(bytes.find("@SourseIncome"), 13, "@SourseIncomX");
    try {
        Reloaded<mTThirteenPercent>(bytes, 0);
        FAIL();
    } catch (const mEOpenStream& e) {
        EXPECT_EQ(e.ErrorCode, 210);
        EXPECT_EQ(e.PlaceCode, 372);
    }
}

TEST(CurrencyIncome, RoublesAreDerivedWhenTheAmountIsSetOnly) {
    mTCurrencyIncome ci;
    ci.Rate1 = Currency::FromRaw(355000);
    ci.Units1 = 1;
    ci.SetIncomeCurrencySum(Rub(100));
    EXPECT_EQ(ci.IncomeRoubleSum, Rub(3550));
    ci.Rate1 = Currency::FromRaw(33333);
    EXPECT_EQ(ci.IncomeRoubleSum, Rub(3550)); // a new rate alone changes nothing
    ci.SetIncomeCurrencySum(Rub(10));
    EXPECT_EQ(ci.IncomeRoubleSum.Raw(), 333300);
    ci.Units2 = 0;
    ci.Rate2 = Rub(30);
    ci.SetTaxCurrencySum(Rub(5));
    EXPECT_EQ(ci.TaxRoubleSum, Currency());

    // Read back as stored, not converted again.
    ci.IncomeRoubleSum = Rub(1);
    auto loaded = Reloaded<mTCurrencyIncome>(SavedBytes(ci, 3), 3);
    EXPECT_EQ(loaded.IncomeRoubleSum, Rub(1));
    EXPECT_EQ(loaded.IncomeDate, EncodeDate(2005, 1, 1));
}

TEST(BusinessIncome, NewActivityLayout) {
    mTBusinessIncome b;
    std::string expected = "0018@BusinessIncome000" "0000" "0002.." "00011" "00044095";
    for (int m = 0; m < 12; ++m) expected += "00010";
    expected += "00011" "00011" "00044095";
    for (int m = 0; m < 12; ++m) {
        expected += "0022@BusinessExpense0000" + std::string(m < 10 ? "0" : "") + std::to_string(m);
        expected += "00010" "00010" "00010" "00010";
    }
    expected += "00010";
    EXPECT_EQ(SavedBytes(b, 0), expected);
}

TEST(BusinessIncome, PeriodAndNormLayouts) {
    mTBusinessIncome period;
    period.SetIncomeByMonth(0);
    period.SetPeriodIncome(Rub(500));
    period.SetExpenseByMonth(0);
    mTBusinessExpense e{Rub(1), Rub(2), Rub(3), Rub(4)};
    period.SetPeriodExpense(&e);
    period.ResultExpense = Rub(10);
    EXPECT_EQ(SavedBytes(period, 1), "0018@BusinessIncome001" "0000" "0002.." "00010" "0003500" "00011" "00010"
                                     "0019@BusinessExpense001" "00011" "00012" "00013" "00014" "000210");
    auto loaded = Reloaded<mTBusinessIncome>(SavedBytes(period, 1), 1);
    EXPECT_EQ(loaded.IncomeMonths, 4095); // the file holds no month set for a period income
    EXPECT_EQ(loaded.PeriodExpense.Other, Rub(4));
    EXPECT_EQ(loaded.ResultExpense, Rub(10));

    mTBusinessIncome norm;
    norm.SetConfirmedExpenses(0);
    EXPECT_EQ(SavedBytes(norm, 2).substr(22 + 4 + 6 + 5 + 8 + 60), "00010" "00010");
}

TEST(BusinessIncome, Switches) {
    mTBusinessIncome b;
    b.SetMonthIncome(3, Rub(5));
    b.SetIncomeByMonth(0);
    b.SetIncomeByMonth(1);
    EXPECT_EQ(b.IncomeMonths, 0);
    EXPECT_EQ(b.GetMonthIncome(3), Currency());
    b.SetPeriodIncome(Rub(9));
    b.SetIncomeByMonth(1); // the same flag again changes nothing
    EXPECT_EQ(b.PeriodIncome, Rub(9));
    mTBusinessExpense e{Rub(1), Rub(1), Rub(1), Rub(1)};
    b.SetMonthExpense(0, &e);
    b.SetPeriodExpense(&e);
    b.SetExpenseByMonth(0);
    EXPECT_EQ(b.ExpenseMonths, 0);
    EXPECT_EQ(b.GetMonthExpense(0).Mat, Currency());
    EXPECT_EQ(b.GetPeriodExpense().Mat, Rub(1));
    b.SetConfirmedExpenses(0);
    EXPECT_EQ(b.GetPeriodExpense().Mat, Currency());
}

TEST(Person, NewRecordAndForeignerData) {
    mTPersonInformation p;
    EXPECT_EQ(p.Doc.IssueDate, EncodeDate(2005, 1, 1));
    EXPECT_EQ(p.Doc.BirthDate, EncodeDate(2005, 1, 1));
    EXPECT_EQ(p.Name.Sex, "0");

    p.Foreigner.Citizenship = "Украина";
    p.ForeignHomePhone.Number = "123";
    auto loader = mTFileLoader::CreateInMemory(10000);
    mTDocumentStorage s(loader.get());
    s.CreateDocument("Velmarod");
    p.Save(s);
    EXPECT_EQ(s.Cursor - 60, p.GetSize());
    const std::string bytes(reinterpret_cast<char*>(loader->View) + 60, s.Cursor - 60);
    EXPECT_EQ(bytes.find("@Foreigner"), std::string::npos);
    EXPECT_EQ(bytes.find("@PhoneForeigner"), std::string::npos);
    auto b = OpenBytes(Header() + bytes);
    mTPersonInformation back;
    back.Load(*b.storage);
    EXPECT_EQ(back.Foreigner.Citizenship, "");
    EXPECT_EQ(back.ForeignHomePhone.Number, "");
}

TEST(Person, ForeignerWithoutForeignPhones) {
    mTPersonInformation p;
    p.IsForeigner = 1;
    p.Foreigner = {"30", "Беларусь", "Минск", "112"};
    p.ForeignHomePhone = {"017", "1"};
    p.HomePhone = {"495", "2"};
    auto loader = mTFileLoader::CreateInMemory(10000);
    mTDocumentStorage s(loader.get());
    s.CreateDocument("Velmarod");
    p.Save(s);
    std::string bytes(reinterpret_cast<char*>(loader->View), s.Cursor);
    bytes.replace(bytes.find("@PhoneForeignerHome"), 19, "@PhoneForeignerHxme");
    auto b = OpenBytes(bytes);
    mTPersonInformation back;
    back.Load(*b.storage);
    EXPECT_EQ(back.Foreigner.CountryCode, "112");
    EXPECT_EQ(back.ForeignHomePhone.Number, "");
    EXPECT_EQ(back.ForeignWorkPhone.Code, "");
    EXPECT_EQ(back.HomePhone.Number, "2");
}

TEST(Person, OlderLayoutReadsNameDocumentAndAddress) {
    const std::string body = codec::Utf8ToCp1251(
        "0011@PersonName" "0006Петров" "0004Иван" "0008Иванович" "0012500100732259"
        "0015@PersonDocument" "000221" "0007Паспорт" "00114503 123456" "001015.03.2003" "001001.02.1970"
        "0014@PersonAddress" "0006175400" "000253" "0017Новгородская обл." "0014Валдайский р-н" "0006Валдай"
        "0012с. Ивантеево" "0008пр. Мира" "000221" "00014" "000256");
    auto b = OpenBytes(Header("Velmar04", "0100") + body);
    mTPersonInformation p;
    p.Load(*b.storage);
    EXPECT_EQ(p.Name.SurName, "Петров");
    EXPECT_EQ(p.Name.INN, "500100732259");
    EXPECT_EQ(p.Name.Sex, "0");
    EXPECT_EQ(p.Doc.DocTypeCode, 21);
    EXPECT_EQ(p.Doc.IssueDate, EncodeDate(2003, 3, 15));
    EXPECT_EQ(p.Doc.BirthDate, EncodeDate(1970, 2, 1));
    EXPECT_EQ(p.Address.PostIndex, "175400");
    EXPECT_EQ(p.Address.RegionCode, 53);
    EXPECT_EQ(p.Address.RegionName, "Новгородская обл.");
    EXPECT_EQ(p.Address.District, "Валдайский р-н");
    EXPECT_EQ(p.Address.City, "Валдай");
    EXPECT_EQ(p.Address.Settlement, "с. Ивантеево");
    EXPECT_EQ(p.Address.Street, "пр. Мира");
    EXPECT_EQ(p.Address.House, "21");
    EXPECT_EQ(p.Address.Building, "4");
    EXPECT_EQ(p.Address.Flat, "56");
    EXPECT_EQ(p.Address.OKATO, "");
}

TEST(StandartDeduct, NotGrantedIsOneByte) {
    mTStandartDeduct st;
    st.Granting = 0;
    st.StandartCode = 105;
    auto loader = mTFileLoader::CreateInMemory(1000);
    mTDocumentStorage s(loader.get());
    s.CreateDocument("Velmarod");
    st.Save(s);
    const std::string bytes(reinterpret_cast<char*>(loader->View) + 60, s.Cursor - 60);
    EXPECT_EQ(bytes, "0015@StandartDeduct" "00010");
    auto b = OpenBytes(Header() + bytes);
    mTStandartDeduct back;
    back.Load(*b.storage);
    EXPECT_EQ(back.Granting, 0);
    EXPECT_EQ(back.StandartCode, 103);
    EXPECT_EQ(back.ChildrenKind, 101);
}

// An earlier version's stream ends after the disabled children: the flags of the recalculation
// and of the per-month codes read as off, and the cursor is restored so that the next record
// (here a granted social deduction) is read from its own values.
TEST(StandartDeduct, EarlierVersionEndsAfterTheChildren) {
    std::string body = "0015@StandartDeduct" "00011" "0003104" "0003102" "00010";
    for (int m = 0; m < 12; ++m) body += "00011";
    body += "00011" "00012";
    body += "0013@SocialDeduct" "00011" "00041000" "0003500" "00011" "0003300" "00011" "00012";
    auto b = OpenBytes(Header() + body);
    mTStandartDeduct st;
    st.Load(*b.storage);
    EXPECT_EQ(st.StandartCode, 104);
    EXPECT_EQ(st.GetMonthChildrens(11), 1);
    EXPECT_EQ(st.ChildrensCount2, 2);
    EXPECT_EQ(st.Zayava, 0);
    EXPECT_EQ(st.Combination, 0);
    for (int m = 1; m <= 12; ++m) EXPECT_EQ(st.GetMonthCombination(m), 0);
    mTSocialDeduct so;
    so.Load(*b.storage);
    EXPECT_EQ(so.Charity, Rub(1000));
    EXPECT_EQ(so.ChildEduCount, 1);
    EXPECT_EQ(so.GetChildEduSum(0), Rub(300));
    EXPECT_EQ(so.ExpensiveMedical, Rub(2));
}

TEST(SocialDeduct, ChildEducationList) {
    mTSocialDeduct so;
    try {
        so.GetChildEduSum(0);
        FAIL();
    } catch (const mEMemoryAllocate& e) {
        EXPECT_EQ(e.ErrorCode, 310);
    }
    EXPECT_EQ(so.AddChildEduSum(Rub(100)), 0);
    EXPECT_EQ(so.AddChildEduSum(Rub(200)), 1);
    EXPECT_EQ(so.AddChildEduSum(Rub(300)), 2);
    so.DeleteChildEduSum(1);
    EXPECT_EQ(so.ChildEduCount, 2);
    EXPECT_EQ(so.GetChildEduSum(0), Rub(100));
    EXPECT_EQ(so.GetChildEduSum(1), Rub(300));
    struct Case {
        std::function<void()> call;
        std::uint16_t code;
    } cases[] = {{[&] { so.GetChildEduSum(2); }, 311},
                 {[&] { so.SetChildEduSum(2, Rub(1)); }, 321},
                 {[&] { so.DeleteChildEduSum(2); }, 331}};
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE();
        } catch (const mEMemoryAllocate& e) {
            EXPECT_EQ(e.ErrorCode, c.code);
            EXPECT_STREQ(e.what(), "Не выделена память.");
        }
    }
    so.DeleteChildEduSum(1);
    so.AddChildEduSum(Rub(400)); // appending after deleting the last node
    EXPECT_EQ(so.GetChildEduSum(1), Rub(400));
    EXPECT_EQ(so.ChildEduList->Next->Prev, so.ChildEduList.get());
}

TEST(ConstructionDeduct, GrantedWritesElevenTextsThreeDatesElevenAmounts) {
    mTConstructionDeduct co;
    co.Granting = 1;
    auto loader = mTFileLoader::CreateInMemory(1000);
    mTDocumentStorage s(loader.get());
    s.CreateDocument("Velmarod");
    co.Save(s);
    std::string expected = "0019@ConstructionDeduct" "00011";
    for (int i = 0; i < 11; ++i) expected += "0000";
    for (int i = 0; i < 3; ++i) expected += "000537622"; // 1 January 2003
    for (int i = 0; i < 11; ++i) expected += "00010";
    EXPECT_EQ(std::string(reinterpret_cast<char*>(loader->View) + 60, s.Cursor - 60), expected);
    EXPECT_EQ(s.Cursor - 60, co.GetSize());
}
