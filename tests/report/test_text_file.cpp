#include "../TestUtil.h"
#include "ReportTestUtil.h"
#include "platform/Codec.h"
#include "platform/RemoveOnSignal.h"
#include "reportcore/ClassesReportPlan.h"
#include "reportcore/ClassesReportText.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>

using reporttest::Rub;

namespace {

const TTaxClock kClock{2008, 3, 4, 5, 6, 7};

std::vector<std::string> Text(const mTDeclaration& d, const TTaxClock& clock = kClock) {
    auto c = reporttest::Compute(d);
    c.plan = PlanPages(*c.log, *c.sums);
    return BuildTaxText(*c.log, *c.sums, c.plan, clock);
}

std::string Value(const std::vector<std::string>& lines, const std::string& key) {
    for (const std::string& l : lines)
        if (l.rfind(key + ":", 0) == 0) return l.substr(key.size() + 1);
    return "<missing>";
}

bool Has(const std::vector<std::string>& lines, const std::string& key) { return Value(lines, key) != "<missing>"; }

void FillPerson(mTDeclaration& d) {
    d.InspectionNumber = "7701";
    auto& p = d.Person;
    p.Name = {"Иванов-Петров, мл.", "Иван", "Иванович", "500100732259", "", "0"};
    p.Doc = {21, "Паспорт гражданина РФ", "4503 123456", EncodeDate(2003, 3, 15), EncodeDate(1970, 2, 1), "ОВД", "Москва"};
    p.Address = {0, "101000", 77, "г. Москва", "", "Москва", "", "Ленина", "5, корп", "", "12", "45000000000"};
    p.WorkPhone = {"495", "1234567"};
}

} // namespace

TEST(TaxText, HeaderAndPersonBlock) {
    mTDeclaration d;
    FillPerson(d);
    const auto L = Text(d);
    const std::vector<std::string> head(L.begin(), L.begin() + 12);
    const std::vector<std::string> expected = {
        "ИдФайл:500100732259*********20050304050607",
        "ТипИнф:ОТЧЕТНОСТЬНП",
        "ВерсФорм:3.00",
        "ИдПол:7701",
        "ВерсПрог:Velmarod_1.1.0",
        "КолДок:1",
        "ФИООтпрФЛ:ИВАНОВ-ПЕТРОВ  МЛ.,ИВАН,ИВАНОВИЧ",
        "ТелОтпр:4951234567",
        "@@@",
        "ИдДок:500100732259*********200500000001",
        "ДатаДок:04.03.2008",
        "###",
    };
    EXPECT_EQ(head, expected);
    EXPECT_EQ(Value(L, "ИННФЛ"), "500100732259");
    EXPECT_EQ(Value(L, "ОГРНИП"), "");
    EXPECT_EQ(Value(L, "ДатаРожд"), "01.02.1970");
    EXPECT_EQ(Value(L, "Пол"), "1");
    EXPECT_EQ(Value(L, "Гражд"), "Россия");
    EXPECT_EQ(Value(L, "КодГражд"), "643");
    EXPECT_EQ(Value(L, "УдЛичн"), "21,4503 123456");
    EXPECT_EQ(Value(L, "ДатаУдЛичн"), "15.03.2003");
    EXPECT_EQ(Value(L, "Статус"), "1");
    EXPECT_EQ(Value(L, "АдрМЖ"), "643,101000,77,,МОСКВА,,ЛЕНИНА,5  КОРП,,12");
    EXPECT_EQ(Value(L, "АдрМЖРез"), "");
    EXPECT_EQ(Value(L, "ТелСлуж"), "");
    EXPECT_EQ(Value(L, "ТелДом"), "");
    EXPECT_EQ(Value(L, "ДокПредст"), "710");
    EXPECT_EQ(Value(L, "ПризВидДок"), "1");
    EXPECT_FALSE(Has(L, "НомерКорр"));
    EXPECT_EQ(L[L.size() - 2], "@@@");
    EXPECT_EQ(L.back(), "===");
}

TEST(TaxText, PersonVariants) {
    struct Case {
        const char* name;
        std::function<void(mTDeclaration&)> change;
        std::vector<std::pair<const char*, const char*>> values;
    } cases[] = {
        {"woman", [](mTDeclaration& d) { d.Person.Name.Sex = "1"; }, {{"Пол", "2"}}},
        {"no sex text", [](mTDeclaration& d) { d.Person.Name.Sex = ""; }, {{"Пол", "2"}}},
        {"foreigner", [](mTDeclaration& d) {
             d.Person.IsForeigner = 1;
             d.Person.Foreigner = {"90", "Беларусь", "Минск, ул. Ленина", "4"};
             d.Person.ForeignWorkPhone = {"017", "111"};
             d.Person.ForeignHomePhone = {"017", "222"};
         }, {{"Гражд", "Беларусь"}, {"КодГражд", "004"}, {"АдрМЖРез", "МИНСК, УЛ. ЛЕНИНА"}, {"ТелСлуж", "017111"}, {"ТелДом", "017222"}}},
        {"country code with blanks", [](mTDeclaration& d) {
             d.Person.IsForeigner = 1;
             d.Person.Foreigner.CountryCode = " 56 ";
         }, {{"КодГражд", "056"}}},
        {"address of stay", [](mTDeclaration& d) {
             d.Person.Address = {1, "", 0, "", "", "Москва", "", "", "", "", "", ""};
         }, {{"АдрМПр", "643,,0,,МОСКВА,,,,,"}}},
        {"region 9901", [](mTDeclaration& d) { d.Person.Address.RegionCode = 9901; }, {{"АдрМЖ", "643,101000,9901,,МОСКВА,,ЛЕНИНА,5  КОРП,,12"}}},
        {"correction", [](mTDeclaration& d) { d.CorrectionNumber = 2; }, {{"ПризВидДок", "3"}, {"НомерКорр", "2"}}},
        {"non-resident", [](mTDeclaration& d) { d.DeclarationKind = 1; }, {{"Статус", "2"}}},
        {"lawyer", [](mTDeclaration& d) { d.FilerStatus = 3; }, {{"ДокПредст", "740"}}},
        {"no INN", [](mTDeclaration& d) { d.Person.Name.INN = ""; }, {{"ИННФЛ", " "}, {"ИдДок", "000000000000*********200500000001"}}},
        {"home phone when no work phone", [](mTDeclaration& d) {
             d.Person.WorkPhone = {"", ""};
             d.Person.HomePhone = {"495", "7"};
         }, {{"ТелОтпр", "4957"}}},
        {"line breaks in a value", [](mTDeclaration& d) { d.Person.Doc.IssuedBy = "ОВД\r\n###"; }, {{"ВыдУдЛичн", "ОВД\r\n###"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration d;
        FillPerson(d);
        c.change(d);
        const auto L = Text(d);
        for (auto [key, value] : c.values) EXPECT_EQ(Value(L, key), value) << key;
    }
}

// A comma typed into a value of a comma-separated line becomes a blank, so the line keeps its fields;
// a line of a single value keeps its text, commas and all.
TEST(TaxText, ATypedCommaNeverAddsAField) {
    struct Case {
        const char* name;
        std::function<void(mTDeclaration&)> change;
        const char* key;
        const char* value;
        int fields; // 0: a single-value line
    } cases[] = {
        {"document series and number", [](mTDeclaration& d) {
             d.Person.Doc.DocTypeCode = 91;
             d.Person.Doc.DocTypeName = "Иные документы, выдаваемые органами МВД";
             d.Person.Doc.SeriesNumber = "AB,12 34,56";
         }, "УдЛичн", "91,AB 12 34 56", 2},
        {"house", [](mTDeclaration& d) { d.Person.Address.House = "5,к.2"; }, "АдрМЖ", "643,101000,77,,МОСКВА,,ЛЕНИНА,5 К.2,,12", 10},
        {"every part of the person's address", [](mTDeclaration& d) {
             d.Person.Address = {0, "101,000", 77, "", "р-н, Тверской", "Москва,", ",Зеленоград", "ул.,Ленина", "5,", ",1", "1,2", ""};
         }, "АдрМЖ", "643,101 000,77,Р-Н  ТВЕРСКОЙ,МОСКВА,ЗЕЛЕНОГРАД,УЛ. ЛЕНИНА,5,1,1 2", 10},
        {"every part of the property's address", [](mTDeclaration& d) {
             auto& c = d.ConstructionDeduct;
             c.Granting = 1;
             c.PostIndex = "123,456", c.RegionCode = " 77 ", c.RegionName = "Москва, город";
             c.District = "р-н,Тверской", c.City = " москва,", c.Settlement = "п.,Ё", c.Street = "ул. Ленина, ";
             c.House = "10, стр. 1", c.Building = "к,1", c.Flat = "кв,15";
         }, "П000170002000", "643,123 456,77,Р-Н ТВЕРСКОЙ,МОСКВА,П. Ё,УЛ. ЛЕНИНА,10  СТР. 1,К 1,КВ 15", 10},
        {"property's address as the person's: trimmed and in upper case", [](mTDeclaration& d) {
             auto& c = d.ConstructionDeduct;
             c.Granting = 1;
             c.PostIndex = "123456", c.RegionCode = "77", c.District = " ", c.City = "ёлкино", c.Street = " ул. Щорса ";
         }, "П000170002000", "643,123456,77,,ЁЛКИНО,,УЛ. ЩОРСА,,,", 10},
        {"issued by", [](mTDeclaration& d) { d.Person.Doc.IssuedBy = "ОВД, Москва"; }, "ВыдУдЛичн", "ОВД, Москва", 0},
        {"birthplace", [](mTDeclaration& d) { d.Person.Doc.BirthPlace = "г. Тула, СССР"; }, "МестоРожд", "г. Тула, СССР", 0},
        {"property", [](mTDeclaration& d) {
             d.ConstructionDeduct.Granting = 1;
             d.ConstructionDeduct.ObjectName = "Квартира, 2 комнаты";
         }, "П000170001000", "Квартира, 2 комнаты", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mTDeclaration d;
        FillPerson(d);
        d.SetIncomeKinds(ikRussian);
        c.change(d);
        const std::string value = Value(Text(d), c.key);
        EXPECT_EQ(value, c.value);
        if (c.fields > 0) {
            EXPECT_EQ(std::count(value.begin(), value.end(), ',') + 1, c.fields);
        }
    }
}

TEST(TaxText, Form4Ndfl) {
    mTDeclaration d;
    FillPerson(d);
    d.DeclarationKind = 2;
    d.FilerStatus = 1;
    d.OGRNIP = "12345678901";
    d.SupposeIncome = Rub(150000.5);
    d.SetIncomeKinds(0);
    const auto L = Text(d);
    EXPECT_EQ(Value(L, "НомСтрСвПФР"), "12345678901");
    EXPECT_FALSE(Has(L, "ОГРНИП"));
    EXPECT_FALSE(Has(L, "Статус"));
    EXPECT_FALSE(Has(L, "ТелСлуж"));
    EXPECT_EQ(Value(L, "КНД"), "1151021");
    EXPECT_EQ(Value(L, "НаимФОтч"), "НАЛОГОВАЯ ДЕКЛАРАЦИЯ ПО НАЛОГУ НА ДОХОДЫ ФИЗИЧЕСКИХ ЛИЦ (4-НДФЛ)");
    EXPECT_EQ(Value(L, "ВерФОтч"), "3.00000");
    EXPECT_EQ(Value(L, "ДокПредст"), "120");
    // "МестоРожд" follows the insurance number, before the date of birth.
    const auto at = [&](const char* key) {
        return std::find_if(L.begin(), L.end(), [&](const std::string& l) { return l.rfind(std::string(key) + ":", 0) == 0; }) - L.begin();
    };
    EXPECT_EQ(at("МестоРожд"), at("НомСтрСвПФР") + 1);
    EXPECT_LT(at("МестоРожд"), at("ДатаРожд"));
}

TEST(TaxText, CountLineCountsTheIndicatorLines) {
    mTDeclaration d;
    FillPerson(d);
    const auto L = Text(d);
    long indicators = 0;
    for (const std::string& l : L)
        if (l.rfind("П0", 0) == 0) ++indicators;
    EXPECT_EQ(Value(L, "КолПокФОтч"), std::to_string(indicators));
}

TEST(TaxText, FileNames) {
    mTDeclaration d;
    FillPerson(d);
    auto log = reporttest::Read(d);
    struct Case {
        const char* inn;
        TTaxClock clock;
        const char* name;
    } cases[] = {
        {"500100732259", {2007, 7, 1}, "O500100732259_05_000001.txt"},
        {"500100732259", {2008, 1, 1}, "O500100732259_05_000001.txt"},
        {"500100732259", {2007, 6, 30}, "O0073205.001"},
        {"1234567", {2007, 6, 30}, "O56705.001"},
        {"", {2007, 6, 30}, "O0000005.001"},
        {"", {2009, 1, 1}, "O000000000000_05_000001.txt"},
        {"../../etc/x", {2009, 1, 1}, "O000000000000_05_000001.txt"}, // never leaves its folder
        {" 7701 ", {2009, 1, 1}, "O7701_05_000001.txt"},
    };
    for (const auto& c : cases) {
        log->PersonDan->INN = c.inn;
        EXPECT_EQ(TaxTextFileName(*log, c.clock), c.name) << c.inn;
    }
}

class TaxTextFile : public testutil::TempDir {};

int gSignal = 0;
void RaiseTheSignal(const char*) { raise(gSignal); }

// Exports, and raises the signal the moment the file under its temporary name is made.
void ExportEndedBySignal(const reporttest::Computed& c, const std::string& folder, int sig) {
    gSignal = sig;
    TRemoveOnSignal::AfterTempFileCreated = RaiseTheSignal;
    TaxTextExport(*c.log, *c.sums, c.plan, folder, kClock);
}

TEST_F(TaxTextFile, WrittenInCp866WithCrLf) {
    mTDeclaration d;
    FillPerson(d);
    auto c = reporttest::Compute(d);
    c.plan = PlanPages(*c.log, *c.sums);
    const std::string path = TaxTextExport(*c.log, *c.sums, c.plan, dir, kClock);
    ASSERT_EQ(path, dir + "/O500100732259_05_000001.txt");
    const std::string bytes = testutil::ReadFile(path);
    EXPECT_EQ(bytes.substr(0, 7), std::string("\x88\xA4\x94\xA0\xA9\xAB:")); // "ИдФайл:" in CP866
    EXPECT_EQ(bytes.substr(bytes.size() - 5), "===\r\n");
    EXPECT_EQ(codec::Cp866ToUtf8(bytes).find("ФИО:ИВАНОВ-ПЕТРОВ  МЛ.,ИВАН,ИВАНОВИЧ\r\n") != std::string::npos, true);
    // Only the file itself is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
    // A value can never break a line.
    c.log->PersonDan->Kem = "ОВД\r\n###";
    const std::string again = codec::Cp866ToUtf8(testutil::ReadFile(TaxTextExport(*c.log, *c.sums, c.plan, dir, kClock)));
    EXPECT_NE(again.find("ВыдУдЛичн:ОВД  ###\r\n"), std::string::npos);
}

// The file under its temporary name holds the taxpayer's data; a signal that ends the program right
// after it is made leaves nothing in the folder the user chose.
TEST_F(TaxTextFile, ExportEndedByASignalLeavesNothing) {
    mTDeclaration d;
    FillPerson(d);
    auto c = reporttest::Compute(d);
    c.plan = PlanPages(*c.log, *c.sums);
    for (int sig : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(sig);
        EXPECT_EXIT(ExportEndedBySignal(c, dir, sig), testing::KilledBySignal(sig), "");
        EXPECT_TRUE(std::filesystem::is_empty(dir));
    }
}

TEST_F(TaxTextFile, MissingFolderWritesNothing) {
    mTDeclaration d;
    FillPerson(d);
    auto c = reporttest::Compute(d);
    EXPECT_EQ(TaxTextExport(*c.log, *c.sums, c.plan, dir + "/missing", kClock), "");
    EXPECT_FALSE(std::filesystem::exists(dir + "/missing"));
}

TEST(TaxText, OemReplacements) {
    EXPECT_EQ(ToOem("«Ромашка» — №1…"), std::string("\"\x90\xAE\xAC\xA0\xE8\xAA\xA0\" - \xFC" "1..."));
    EXPECT_EQ(ToOem("a\tb\x7f" "c"), "a b c");
    EXPECT_EQ(ToOem("€"), "?");
}
