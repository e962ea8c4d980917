#include "../SampleDecl.h"
#include "../TestUtil.h"
#include "model/DeclClasses.h"
#include "platform/Codec.h"

#include <clocale>
#include <gtest/gtest.h>

using testutil::Header;
using testutil::OpenBytes;
using testutil::ReadFile;
using testutil::WriteFile;

namespace {

class Document : public testutil::TempDir {
protected:
    std::string Saved(const mTDeclaration& d) {
        const std::string path = Path("saved.vrq");
        d.SaveToFile(path);
        return ReadFile(path);
    }
    // Loads bytes written to a file; returns the storage exception's codes, or {0, 0} on success.
    std::pair<int, int> LoadCodes(const std::string& bytes, mTDeclaration& d) {
        const std::string path = Path("load.vrq");
        WriteFile(path, bytes);
        try {
            d.LoadFromFile(path);
        } catch (const mEPrivBase& e) {
            return {e.ErrorCode, e.PlaceCode};
        }
        return {0, 0};
    }
    static std::string Win(const std::string& utf8) { return codec::Utf8ToCp1251(utf8); }
};

// The person streams of a record with nothing but a surname entered.
std::string PersonBytes(const std::string& surname) {
    return "0011@PersonName" + surname + "0000" "0000" "0000" "0000" "00010"
           "0015@PersonDocument" "00010" "0000" "0000" "000538353" "000538353" "0000" "0000" "00010"
           "0014@PersonAddress" "00010" "0000" "00010" "0000" "0000" "0000" "0000" "0000" "0000" "0000" "0000" "0000"
           "0010@HomePhone" "0000" "0000"
           "0010@WorkPhone" "0000" "0000";
}

} // namespace

TEST_F(Document, NewDeclaration) {
    mTDeclaration d;
    EXPECT_EQ(d.Primary, 1);
    EXPECT_EQ(d.FilingDate, Today());
    EXPECT_EQ(d.IncomeKinds, 0);
    EXPECT_EQ(d.NalogCount(), 0);
    EXPECT_FALSE(d.ThirteenList || d.ThirtyFiveList || d.ThirtyList || d.CurrencyList || d.BusinessList);
    EXPECT_THROW(d.AddThirteenPercent(), mEMemoryAllocate);
}

TEST_F(Document, EmptyDeclarationBytes) {
    mTDeclaration d;
    d.FilingDate = EncodeDate(2005, 1, 1);
    const std::string expected = Header() +
                                 "0009@DeclInfo" "0000" "0000" "00011" "00010" "000538353" "00010" "00010" "00010"
                                 "00010" "00010"
                                 "00010" "00010" "00010" "00010" "00010" "00010" "00010" "00010" "00010" "00010"
                                 "0000" "00010" +
                                 PersonBytes("0000") + "0006@Nalog" "00010" + std::string(1, '\0');
    EXPECT_EQ(Saved(d), expected);
    EXPECT_EQ(d.GetDocumentSize(), expected.size());
}

TEST_F(Document, ThirteenPercentDividendAndTaxPaidBytes) {
    mTDeclaration d;
    d.FilingDate = EncodeDate(2005, 1, 1);
    d.InspectionNumber = "7701";
    d.InspectionName = "ИФНС № 1";
    d.Person.Name.SurName = "Иванов";
    d.SetIncomeKinds(ikRussian);
    auto& src = d.GetThirteenPercent(d.AddThirteenPercent());
    src.PrimaryWorkplase = 1;
    src.INN = "7701234567";
    src.KPP = "770101001";
    src.OKATO = "45286";
    src.SourseName = "ООО Ромашка";
    src.HoldSum = Currency::FromInt(1950);
    src.Obl = Currency::FromInt(15000);
    src.TaxIsch = Currency::FromInt(1950);
    src.SetMonthSum(0, Currency::FromRaw(10005000));
    auto l0 = std::make_unique<mTSourseIncome>();
    l0->IncomeCode = 2000;
    l0->IncomeName = "Заработная плата";
    l0->IncomeSum = Currency::FromInt(10000);
    l0->Month = 1;
    src.AddSourseIncome(std::move(l0));
    auto l1 = std::make_unique<mTSourseIncome>();
    l1->IncomeCode = 2010;
    l1->IncomeSum = Currency::FromRaw(50002500);
    l1->DeductCode = 601;
    l1->DeductSum = Currency::FromInt(4000);
    l1->DeductNorm = 20;
    l1->Month = 12;
    src.AddSourseIncome(std::move(l1));
    auto& div = d.GetThirtyPercent(d.AddThirtyPercent());
    div.IncomeCode = 1010;
    div.INN = "7702000001";
    div.SourseName = "АО Дивиденд";
    div.ItogIncomeSum = Currency::FromInt(20000);
    div.TaxIsch = Currency::FromInt(1800);
    div.Obl = Currency::FromInt(20000);
    div.HoldSum = Currency::FromInt(1800);
    auto& tax = d.GetNalog(d.AddNalog());
    tax.KBK = "18210102021011000110";
    tax.Sum = Currency::FromInt(1950);

    const std::string expected =
        Header() +
        Win("0009@DeclInfo" "00047701" "0008ИФНС № 1" "00011" "00010" "000538353" "00010" "00010" "00010" "00011"
            "00010" "00010" "00010" "00010" "00010" "00010" "00010" "00010" "00010" "00010" "00010" "0000" "00010" +
            PersonBytes("0006Иванов") +
            "0012@DeclInquiry" "00011"
            "0019@ThirteenPercent000" "00011" "00107701234567" "0009770101001" "000545286" "0011ООО Ромашка"
            "00041950" "000515000" "00041950" "00061000.5" "0001a" "0001a" "0001a" "0001a" "0001a" "0001a" "0001a"
            "0001a" "0001a" "0001a" "0001a" "00012"
            "0019@SourseIncome000000" "00042000" "0016Заработная плата" "000510000" "00010" "00010" "00010" "00011"
            "0019@SourseIncome000001" "00042010" "0000" "00075000.25" "0003601" "00044000" "000220" "000212"
            "00010"
            "00011"
            "0017@ThirtyPercent000" "00041010" "00107702000001" "0000" "0000" "0011АО Дивиденд" "000520000"
            "00041800" "000520000" "00041800"
            "0015@StandartDeduct" "00011" "0003103" "0003101" "00011" "00010" "00011" "00010" "00010" "00010"
            "0013@SocialDeduct" "00010"
            "0019@ConstructionDeduct" "00010"
            "0006@Nalog" "00011"
            "0012@NalogSub000" "0000" "002018210102021011000110" "00041950") +
        std::string(1, '\0');
    EXPECT_EQ(Saved(d), expected);
    EXPECT_EQ(d.GetDocumentSize(), expected.size());

    mTDeclaration back;
    ASSERT_EQ(LoadCodes(expected, back), std::make_pair(0, 0));
    EXPECT_EQ(back.GetThirteenPercent(0).ItogIncomeSum.Raw(), 150002500);
    EXPECT_EQ(back.GetThirtyPercent(0).SourseName, "АО Дивиденд");
    EXPECT_EQ(back.GetNalog(0).Sum, Currency::FromInt(1950));
}

TEST_F(Document, EveryRecordKindSurvivesARoundTrip) {
    mTDeclaration d;
    sample::Fill(d);
    const std::string first = Saved(d);
    EXPECT_EQ(first.size(), d.GetDocumentSize());
    EXPECT_EQ(first.back(), '\0');

    mTDeclaration back;
    ASSERT_EQ(LoadCodes(first, back), std::make_pair(0, 0));
    EXPECT_EQ(Saved(back), first);
    EXPECT_EQ(back.GetDocumentSize(), first.size());

    EXPECT_EQ(back.InspectionName, "ИФНС России № 1 по г. Москве");
    EXPECT_EQ(back.FilingDate, EncodeDate(2006, 4, 28));
    EXPECT_EQ(back.AppB, 2);
    EXPECT_EQ(back.Appendixes, 3);
    EXPECT_EQ(back.SupVich, d.SupVich);
    EXPECT_EQ(back.Person.Name.Patronymic, "Фёдорович");
    EXPECT_EQ(back.Person.ForeignWorkPhone.Number, "8765432");
    EXPECT_EQ(back.ThirteenPercentCount(), 2);
    EXPECT_EQ(back.GetThirteenPercent(1).GetSourseIncome(2).IncomeName, "Доход 2");
    EXPECT_EQ(back.GetThirteenPercent(0).MonthSet, 0x21);
    EXPECT_EQ(back.GetCurrencyIncome(1).IncomeRoubleSum, d.GetCurrencyIncome(1).IncomeRoubleSum);
    EXPECT_EQ(back.GetBusinessIncome(0).GetMonthExpense(11).WorkPay, Currency::FromInt(11));
    EXPECT_EQ(back.GetBusinessIncome(2).ConfirmedExpenses, 0);
    EXPECT_EQ(back.StandartDeduct.GetZayavaSum(12), Currency::FromInt(240000));
    EXPECT_EQ(back.StandartDeduct.GetMonthCombination(5), 2);
    EXPECT_EQ(back.SocialDeduct.GetChildEduSum(1).Raw(), 250005000);
    EXPECT_EQ(back.ConstructionDeduct.Share.Raw(), 5000);
    EXPECT_EQ(back.NalogCount(), 2);
}

// Every way the program writes a document gives the bytes of the block of the counted size: the
// document and the zero byte at which the report library stops reading. The hand-over block grows
// as it fills; the file passes through a block written out whenever it fills, of any size. The
// last value matters: an amount whose decimals end in zeros is written in place, and nothing may
// stay behind it.
TEST_F(Document, EverySavePathGivesTheDocumentAndItsZero) {
    const struct {
        const char* name;
        int sources, lines, currencyIncomes, activities; // -1: a new document
    } documents[] = {
        {"new document", -1, 0, 0, 0},
        {"every kind of record", 2, 3, 2, 3},
        {"a block that grows many times", 300, 12, 100, 20},
    };
    const struct {
        const char* name;
        bool taxLine; // without one, the last value is the count of tax lines
        std::int64_t sum;
    } lastValues[] = {
        {"no tax line", false, 0},          {"1500.5", true, 15005000},   {"1500.25", true, 15002500},
        {"1500.125", true, 15001250},       {"1500.1234", true, 15001234}, {"whole roubles", true, 15000000},
        {"-0.5", true, -5000},              {"zero", true, 0},
    };
    for (const auto& doc : documents) {
        for (const auto& last : lastValues) {
            SCOPED_TRACE(std::string(doc.name) + ", last value " + last.name);
            mTDeclaration d;
            if (doc.sources >= 0) sample::Fill(d, doc.sources, doc.lines, doc.currencyIncomes, doc.activities);
            while (d.NalogCount() > 0) d.SetNalog(0, nullptr);
            if (last.taxLine) {
                auto& t = d.GetNalog(d.AddNalog());
                t.KBK = "18210102021011000110";
                t.Sum = Currency::FromRaw(last.sum);
            }
            auto counted = mTFileLoader::CreateInMemory(d.GetDocumentSize());
            d.SaveDocument(*counted);
            const std::string expected(reinterpret_cast<char*>(counted->View), counted->Size);
            ASSERT_EQ(expected.back(), '\0');
            ASSERT_EQ(expected.find('\0'), expected.size() - 1);

            auto block = d.SaveToMemory();
            ASSERT_GE(block->Size, expected.size());
            const std::string handed(reinterpret_cast<char*>(block->View), block->Size);
            EXPECT_EQ(handed.substr(0, expected.size()), expected);
            EXPECT_EQ(handed.find_first_not_of('\0', expected.size() - 1), std::string::npos);
            // The report library finds the end of the data, so a stream that is not there is
            // reported as missing, not as damage.
            mTDocumentStorage library;
            library.OpenBlock(block->View);
            try {
                library.OpenStream("@NoSuchStream");
                ADD_FAILURE() << "found a stream that is not there";
            } catch (const mEPrivBase& e) {
                EXPECT_EQ(e.ErrorCode, 210);
            }

            // Blocks that end inside the header, inside values and right after one, blocks that a
            // value or the whole document fills exactly, and the program's own. Each save waits for
            // the disk: the small blocks go with the smallest document.
            const std::uint32_t dataBytes = static_cast<std::uint32_t>(expected.size() - 1);
            std::vector<std::uint32_t> blockSizes = {4096, dataBytes, mTDeclaration::FileBlockSize};
            if (doc.sources < 0)
                for (std::uint32_t size : {1u, 2u, 3u, 5u, 7u, 10u, 11u, 12u, 13u, 61u, dataBytes - 1, dataBytes + 1})
                    blockSizes.push_back(size);
            for (std::uint32_t size : blockSizes) {
                SCOPED_TRACE("file block of " + std::to_string(size));
                const std::string path = Path("saved.vrq");
                d.SaveToFile(path, size);
                EXPECT_EQ(ReadFile(path), expected);
            }
        }
    }
}

TEST_F(Document, EmptyIncomeKindWritesThreeZeroCounts) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    const std::string bytes = Saved(d);
    EXPECT_NE(bytes.find("0012@DeclInquiry" "00010" "00010" "00010" "0015@StandartDeduct"), std::string::npos);
}

TEST_F(Document, TextsThatLookLikeStreamNames) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian);
    d.Person.Name.SurName = "@Nalog";
    d.Person.Name.FirstName = "@DeclInquiry";
    d.Person.Address.Street = "@HomePhone";
    d.Person.Address.City = "x@WorkPhone";
    d.Person.HomePhone.Number = "555";
    auto& s = d.GetThirtyFivePercent(d.AddThirtyFivePercent());
    s.SourseName = "@NalogSub000";
    d.GetNalog(d.AddNalog()).KBK = "18210102021011000110";
    mTDeclaration back;
    ASSERT_EQ(LoadCodes(Saved(d), back), std::make_pair(0, 0));
    EXPECT_EQ(back.Person.Name.SurName, "@Nalog");
    EXPECT_EQ(back.Person.Address.Street, "@HomePhone");
    EXPECT_EQ(back.Person.HomePhone.Number, "555");
    EXPECT_EQ(back.NalogCount(), 1);
    EXPECT_EQ(back.GetNalog(0).KBK, "18210102021011000110");
    EXPECT_EQ(back.GetThirtyFivePercent(0).SourseName, "@NalogSub000");
}

TEST_F(Document, TextsWindows1251CannotHoldAreRefused) {
    const std::string path = Path("doc.vrq");
    mTDeclaration d;
    d.SaveToFile(path);
    const std::string before = ReadFile(path);
    d.Person.Name.SurName = "Straße";
    EXPECT_THROW(d.SaveToFile(path), codec::ETextEncoding);
    EXPECT_EQ(ReadFile(path), before);
}

TEST_F(Document, DamagedFiles) {
    mTDeclaration good;
    good.SetIncomeKinds(ikRussian);
    auto& src = good.GetThirteenPercent(good.AddThirteenPercent());
    src.AddSourseIncome(std::make_unique<mTSourseIncome>());
    const std::string bytes = Saved(good);
    auto replaced = [&](const std::string& what, const std::string& with) {
        std::string b = bytes;
        b.replace(b.find(what), what.size(), with);
        return b;
    };
    struct Case {
        const char* name;
        std::string bytes;
        std::pair<int, int> codes;
    } cases[] = {
        {"bad magic", "XLSG" + bytes.substr(4), {68, 391}},
        {"version not decimal", replaced("0102FFFF", "0x02FFFF"), {392, 0}},
        {"missing tax-paid stream", replaced("@Nalog", "@Nalxg"), {210, 0}},
        {"missing inquiry stream", replaced("@DeclInquiry", "@DeclInquirx"), {210, 0}},
        {"missing line stream", replaced("@SourseIncome000000", "@SourseIncomX000000"), {210, 372}},
        {"missing person stream", replaced("@HomePhone", "@HomePhonX"), {210, 371}},
        {"absurd tax-paid count", replaced("0006@Nalog00010", "0006@Nalog000565535"), {210, 376}},
        {"absurd line count", replaced("00011" "0019@SourseIncome", "00102147483647" "0019@SourseIncome"), {210, 372}},
        {"zero-length file", "", {25, 0}},
        {"length past the end", bytes.substr(0, bytes.size() - 3) + "9" + std::string(1, '\0'), {393, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration d;
        EXPECT_EQ(LoadCodes(c.bytes, d), c.codes);
    }
}

// Every cut of a document, and every byte replaced, fails with an error or loads: never a crash.
TEST_F(Document, TruncatedAndCorruptedDocumentsNeverCrash) {
    mTDeclaration full;
    sample::Fill(full, 1, 2, 1, 3);
    const std::string bytes = Saved(full);
    int failures = 0;
    auto tryLoad = [&](const std::string& b) {
        try {
            auto opened = OpenBytes(b);
            mTDeclaration d;
            d.ReadDocument(*opened.storage);
        } catch (const std::exception&) {
            ++failures;
        }
    };
    for (std::size_t cut = 60; cut < bytes.size() - 1; cut += 7) tryLoad(bytes.substr(0, cut));
    EXPECT_GT(failures, 0);
    for (std::size_t at = 60; at < bytes.size() - 1; at += 5) {
        std::string b = bytes;
        b[at] = static_cast<char>(b[at] ^ 0x5A);
        tryLoad(b);
    }
}

TEST_F(Document, PreviousYearsFileGivesOnlyThePerson) {
    const std::string file =
        Header("Velmarin", "0101") +
        Win("0011@PersonName" "0007Семёнов" "0004Пётр" "0009Фёдорович" "0012500100732259" "0014123-456-789 00" "00011"
            "0015@PersonDocument" "000221" "0021Паспорт гражданина РФ" "00114503 123456" "001015.03.2003"
            "001001.02.1970" "0013ОВД Мещанское" "0006Москва"
            "0014@PersonAddress" "0006119002" "000250" "0015Московская обл." "0014Истринский р-н" "0005Истра"
            "0011д. Бужарово" "0010ул. Лесная" "000217" "00013" "000248"
            "0009@DeclInfo" "00047701");
    mTDeclaration d;
    ASSERT_EQ(LoadCodes(file, d), std::make_pair(0, 0));
    const auto& p = d.Person;
    EXPECT_EQ(p.Name.SurName, "Семёнов");
    EXPECT_EQ(p.Name.FirstName, "Пётр");
    EXPECT_EQ(p.Name.Patronymic, "Фёдорович");
    EXPECT_EQ(p.Name.INN, "500100732259");
    EXPECT_EQ(p.Name.InsuranceNumber, "123-456-789 00");
    EXPECT_EQ(p.Name.Sex, "1");
    EXPECT_EQ(p.Doc.DocTypeCode, 21);
    EXPECT_EQ(p.Doc.DocTypeName, "Паспорт гражданина РФ");
    EXPECT_EQ(p.Doc.SeriesNumber, "4503 123456");
    EXPECT_EQ(p.Doc.IssueDate, EncodeDate(2003, 3, 15));
    EXPECT_EQ(p.Doc.BirthDate, EncodeDate(1970, 2, 1));
    EXPECT_EQ(p.Doc.IssuedBy, "ОВД Мещанское");
    EXPECT_EQ(p.Doc.BirthPlace, "Москва");
    EXPECT_EQ(p.IsForeigner, 0);
    // Every part of the address has a value of its own, so that two parts read into each other's
    // fields cannot pass.
    EXPECT_EQ(p.Address.AddressKind, 0);
    EXPECT_EQ(p.Address.PostIndex, "119002");
    EXPECT_EQ(p.Address.RegionCode, 50);
    EXPECT_EQ(p.Address.RegionName, "Московская обл.");
    EXPECT_EQ(p.Address.District, "Истринский р-н");
    EXPECT_EQ(p.Address.City, "Истра");
    EXPECT_EQ(p.Address.Settlement, "д. Бужарово");
    EXPECT_EQ(p.Address.Street, "ул. Лесная");
    EXPECT_EQ(p.Address.House, "17");
    EXPECT_EQ(p.Address.Building, "3");
    EXPECT_EQ(p.Address.Flat, "48");
    EXPECT_EQ(p.Address.OKATO, "");
    EXPECT_EQ(p.HomePhone.Number, "");
    EXPECT_EQ(d.InspectionNumber, "");
    EXPECT_EQ(d.IncomeKinds, 0);
}

TEST_F(Document, IncomeKinds) {
    mTDeclaration d;
    d.SetIncomeKinds(ikRussian | ikBusiness | 0xF0);
    EXPECT_EQ(d.IncomeKinds, ikRussian | ikBusiness);
    d.AddThirteenPercent();
    d.SupposeIncome = Currency::FromInt(5);
    d.SetIncomeKinds(ikRussian | ikBusiness); // the same set changes nothing
    EXPECT_EQ(d.ThirteenPercentCount(), 1);
    d.SetIncomeKinds(ikBusiness);
    EXPECT_FALSE(d.ThirteenList);
    d.SetIncomeKinds(ikRussian | ikBusiness);
    EXPECT_EQ(d.ThirteenPercentCount(), 0);
    EXPECT_EQ(d.ThirtyPercentCount(), 0);
    EXPECT_EQ(d.SupposeIncome, Currency::FromInt(5));

    for (int i = 0; i < 3; ++i) d.GetBusinessIncome(d.AddBusinessIncome()).ActivityName = std::to_string(i);
    d.SetBusinessIncome(0, nullptr);
    EXPECT_EQ(d.BusinessIncomeCount(), 2);
    EXPECT_EQ(d.GetBusinessIncome(0).ActivityName, "1");
    EXPECT_EQ(d.GetBusinessIncome(1).ActivityName, "2");
}

TEST_F(Document, AppendixCounts) {
    mTDeclaration d;
    d.AutoCalculateApp = 1;
    d.Appendixes = 4;
    d.SetAppendixCountB(3);
    EXPECT_EQ(d.Appendixes, 7);
    d.SetAppendixCountB(1);
    EXPECT_EQ(d.Appendixes, 5);
    d.SetAppendixCount(7);
    EXPECT_EQ(d.Appendixes, 5);
    d.AutoCalculateApp = 0;
    d.SetAppendixCountK(9);
    EXPECT_EQ(d.Appendixes, 5);
    EXPECT_EQ(d.AppK, 9);
    d.SetAppendixCount(7);
    EXPECT_EQ(d.Appendixes, 7);
}

TEST_F(Document, SameBytesWhateverTheLocale) {
    mTDeclaration d;
    sample::Fill(d);
    const std::string inC = Saved(d);
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_ALL, "ru_RU.UTF-8")) GTEST_SKIP() << "ru_RU.UTF-8 locale not installed";
    EXPECT_EQ(Saved(d), inC);
    mTDeclaration back;
    EXPECT_EQ(LoadCodes(inC, back), std::make_pair(0, 0));
    EXPECT_EQ(back.GetCurrencyIncome(0).Rate1, d.GetCurrencyIncome(0).Rate1);
    std::setlocale(LC_ALL, saved.c_str());
}
