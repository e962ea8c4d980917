#include "SheetTestUtil.h"
#include "sheets/ClassesTitul.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

// The band constructors behind the builders; the builders always print the values, so the pages
// without them are reached here directly.
void clTitulNR(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const TValues& Values, int CorrectionNumber,
               int Status, bool PrintValues);
void clNR2(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const QString& INN, const QString& Surname,
           const QString& FirstInitial, const QString& PatronymicInitial, const QString& SectionCode,
           const QString& PageNumber, const QString& PageCode, const QString& EstimatedIncome, bool PrintValues);

namespace {

using Edit = std::function<void(mTDeclaration&)>;

// A 4-NDFL declaration of an entrepreneur, changed by `edit`.
void Fill(mTDeclaration& d, const Edit& edit) {
    d.DeclarationKind = 2;
    d.SetIncomeKinds(0);
    d.SupposeIncome = Currency::FromInt(150000);
    d.FilerStatus = 1;
    d.Primary = 1;
    d.InspectionNumber = "7704";
    d.InspectionName = "ИФНС России № 4 по г. Москве";
    d.FilingDate = EncodeDate(2006, 4, 15);
    d.OGRNIP = "12345678901";
    auto& p = d.Person;
    p.Name.SurName = "Иванов";
    p.Name.FirstName = "Пётр";
    p.Name.Patronymic = "Сергеевич";
    p.Name.INN = "771234567890";
    p.Name.Sex = "0";
    p.Doc.DocTypeCode = 21;
    p.Doc.DocTypeName = "Паспорт гражданина РФ";
    p.Doc.SeriesNumber = "45 03 123456";
    p.Doc.IssueDate = EncodeDate(2003, 5, 14);
    p.Doc.BirthDate = EncodeDate(1970, 3, 8);
    p.Doc.IssuedBy = "ОВД района Арбат";
    p.Doc.BirthPlace = "г. Тула";
    p.Address.PostIndex = "119002";
    p.Address.RegionCode = 77;
    p.Address.RegionName = "г. Москва";
    p.Address.District = "Арбатский район";
    p.Address.City = "Москва";
    p.Address.Settlement = "Внуково";
    p.Address.Street = "Арбат";
    p.Address.House = "12";
    p.Address.Building = "3";
    p.Address.Flat = "5";
    if (edit) edit(d);
}

std::vector<rl::TPage> Build(bool (*builder)(rl::TOstrekReport&, const TBuildContext&), const Edit& edit = {},
                             int images = 0, bool printDate = true) {
    mTDeclaration d;
    Fill(d, edit);
    sheettest::Run r = sheettest::Prepare(d, images);
    r.c.log->PrintDate = printDate;
    rl::TOstrekReport report;
    builder(report, r.Context());
    return report.Pages();
}

rl::TPage Title(const Edit& edit = {}, int images = 0, bool printDate = true) {
    const auto pages = Build(&BuildTitulNR, edit, images, printDate);
    EXPECT_EQ(pages.size(), 1u);
    return pages.at(0);
}

rl::TPage Income(const Edit& edit = {}, int images = 0) {
    const auto pages = Build(&BuildNR2, edit, images);
    EXPECT_EQ(pages.size(), 1u); // the page and its footer
    return pages.at(0);
}

bool Near(double a, double b) { return std::abs(a - b) < 1e-6; }

const rl::TElement* LabelAt(rl::TPage&&, double, double) = delete; // the page must outlive the pointers
const rl::TElement* LabelAt(const rl::TPage& page, double left, double top) {
    for (const rl::TElement& e : page.Elements)
        if (e.kind == rl::TElementKind::Label && Near(e.left, left) && Near(e.top, top)) return &e;
    return nullptr;
}

// The labels of a row of cells, "<none>" where a cell has no label.
QStringList Cells(const rl::TPage& page, double left, double top, double pitch, int count) {
    QStringList out;
    for (int k = 0; k < count; ++k) {
        const rl::TElement* e = LabelAt(page, left + pitch * k, top);
        out << (e ? e->text : QStringLiteral("<none>"));
    }
    return out;
}

QStringList Chars(const QString& text) {
    QStringList out;
    for (QChar c : text) out << QString(c);
    return out;
}

std::vector<const rl::TElement*> Ticks(rl::TPage&&, double) = delete;
std::vector<const rl::TElement*> Ticks(const rl::TPage& page, double top) {
    std::vector<const rl::TElement*> out;
    for (const rl::TElement* e : sheettest::Labels(page, QStringLiteral("V")))
        if (Near(e->top, top)) out.push_back(e);
    return out;
}

// The value written on the underline of a text field at (left, top).
QString Field(const rl::TPage& page, double left, double top) {
    const rl::TElement* e = LabelAt(page, left + 2, top - 4.5);
    return e && e->font.family == QLatin1String("AGLettericaCondensedLight") ? e->text : QStringLiteral("<none>");
}

// The tops of the barcode images, each checked for its place and size.
std::vector<double> Images(const rl::TPage& page) {
    std::vector<double> out;
    for (const rl::TElement* e : sheettest::OfKind(page, rl::TElementKind::Image)) {
        EXPECT_EQ(e->left, 192);
        EXPECT_EQ(e->width, 10);
        EXPECT_EQ(e->height, 50);
        out.push_back(e->top);
    }
    return out;
}

// The single-character labels in box fonts: every character of a box row, plus ticks and marks.
int BoxCharacters(const rl::TPage& page) {
    int n = 0;
    for (const rl::TElement& e : page.Elements)
        if (e.kind == rl::TElementKind::Label && e.font.size == 10 && e.font.bold &&
            (e.font.family == QLatin1String("Arial") || e.font.family == QLatin1String("Unreal")))
            ++n;
    return n;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The title page

TEST(EstimatedIncomeTitle, PageCodeAndFilerCells) {
    const rl::TPage page = Title();
    const auto codes = sheettest::OfKind(page, rl::TElementKind::PageCode);
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(codes[0]->text, "!5102!1016!");
    EXPECT_EQ(codes[0]->left, 9);
    EXPECT_EQ(codes[0]->top, 9);

    EXPECT_EQ(Cells(page, 66.2, 6, 5, 12), Chars("771234567890"));
    EXPECT_EQ(LabelAt(page, 66.2, 6)->font.family, "Arial"); // the report's default font
    EXPECT_EQ(Cells(page, 66.2, 12.5, 5, 3), Chars("001"));
    EXPECT_EQ(LabelAt(page, 66.2, 12.5)->font.family, "Unreal");
    EXPECT_EQ(Cells(page, 155.2, 37.5, 4.8, 4), Chars("2006")); // the builder's "2005" is not printed
    EXPECT_EQ(Cells(page, 164.2, 44, 4.8, 4), Chars("7704"));

    QStringList surname = Chars("Иванов");
    while (surname.size() < 33) surname << QString();
    EXPECT_EQ(Cells(page, 22.2, 61.2, 5, 33), surname);
    EXPECT_EQ(Cells(page, 22.2, 66.7, 5, 4), Chars("Пётр"));
    EXPECT_EQ(Cells(page, 22.2, 72.2, 5, 9), Chars("Сергеевич"));

    // Dates in 2 + 2 + 4 boxes at 4.8 mm; the post index likewise.
    EXPECT_EQ(Cells(page, 43.2, 88, 4.8, 2) + Cells(page, 58.2, 88, 4.8, 2) + Cells(page, 73.2, 88, 4.8, 4), Chars("08031970"));
    EXPECT_EQ(Cells(page, 43.2, 137.5, 4.8, 2) + Cells(page, 58.2, 137.5, 4.8, 2) + Cells(page, 73.2, 137.5, 4.8, 4),
              Chars("14052003"));
    EXPECT_EQ(Cells(page, 38.2, 148.5, 4.8, 6), Chars("119002"));

    const rl::TElement* inspection = LabelAt(page, 35, 42);
    ASSERT_NE(inspection, nullptr);
    EXPECT_EQ(inspection->text, "ИФНС России № 4 по г. Москве");
    EXPECT_EQ(inspection->font.family, "Unreal");
    EXPECT_EQ(inspection->font.size, 8);
}

// A name longer than its 120 mm label goes on in lines below, between words, inside the label's
// 16 mm; it never runs into the code boxes beside it.
TEST(EstimatedIncomeTitle, LongInspectionNameWrapsInsideItsLabel) {
    const std::string name = "Межрайонная инспекция Федеральной налоговой службы № 12 по Московской области (Люберцы)";
    const rl::TPage page = Title([&](mTDeclaration& d) { d.InspectionName = name; });
    QStringList lines;
    for (const rl::TElement& e : page.Elements) {
        if (e.kind != rl::TElementKind::Label || e.left != 35 || e.top < 42 || e.top >= 58) continue;
        EXPECT_LE(e.width, 120) << e.text.toStdString();
        EXPECT_LE(e.top + e.height, 42 + 16 + 1e-9);
        lines << e.text;
    }
    EXPECT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.join(QLatin1Char(' ')).toStdString(), name);
}

TEST(EstimatedIncomeTitle, TextFieldsOnTheirUnderlines) {
    const rl::TPage page = Title([](mTDeclaration& d) {
        d.Person.IsForeigner = 1;
        d.Person.Foreigner.Citizenship = "Казахстан";
        d.Person.Foreigner.AddressAbroad = "Алматы, ул. Абая, 1";
    });
    EXPECT_EQ(Field(page, 32, 104.7), "Казахстан");
    EXPECT_EQ(Field(page, 37, 111.9), "г. Тула");
    EXPECT_EQ(Field(page, 75, 119.1), "Паспорт гражданина РФ");
    EXPECT_EQ(Field(page, 91, 126.3), "45 03 123456");
    EXPECT_EQ(Field(page, 31, 133.5), "ОВД района Арбат");
    EXPECT_EQ(Field(page, 59, 158.7), "г. Москва");
    EXPECT_EQ(Field(page, 23, 165.9), "Арбатский район");
    EXPECT_EQ(Field(page, 23, 173.1), "Москва");
    EXPECT_EQ(Field(page, 72, 180.3), "Внуково"); // the settlement
    EXPECT_EQ(Field(page, 62, 187.5), "Арбат");
    EXPECT_EQ(Field(page, 48, 194.7), "12");
    EXPECT_EQ(Field(page, 52, 201.9), "3");
    EXPECT_EQ(Field(page, 48, 209.1), "5");
    EXPECT_EQ(Field(page, 107, 219.1), "Алматы, ул. Абая, 1");
}

TEST(EstimatedIncomeTitle, DocumentKindAndCorrectionNumber) {
    struct Case {
        bool primary;
        int stored;
        QString kind, correction; // "<none>" for no correction label
    };
    const Case cases[] = {
        {true, 7, "1", "<none>"}, // a primary declaration ignores the stored number
        {false, 12, "3", "12"},   // the whole number, running past its box
        {false, 2, "3", "2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const rl::TPage page = Title([&](mTDeclaration& d) {
            d.Primary = c.primary ? 1 : 0;
            d.CorrectionNumber = c.stored;
        });
        EXPECT_EQ(Cells(page, 21.2, 37.5, 0, 1), QStringList{c.kind});
        EXPECT_EQ(Cells(page, 31.2, 37.5, 0, 1), QStringList{c.correction});
    }
}

TEST(EstimatedIncomeTitle, StatusTick) {
    const std::pair<int, double> ticked[] = {{1, 73.2}, {2, 104.2}, {3, 127.2}};
    for (const auto& [status, left] : ticked) {
        SCOPED_TRACE(status);
        const rl::TPage page = Title([s = status](mTDeclaration& d) { d.FilerStatus = static_cast<std::uint8_t>(s); });
        const auto ticks = Ticks(page, 53);
        ASSERT_EQ(ticks.size(), 1u);
        EXPECT_DOUBLE_EQ(ticks[0]->left, left);
    }
    for (int status : {0, 4, 5}) {
        SCOPED_TRACE(status);
        const rl::TPage page = Title([status](mTDeclaration& d) { d.FilerStatus = static_cast<std::uint8_t>(status); });
        EXPECT_TRUE(Ticks(page, 53).empty());
    }
}

TEST(EstimatedIncomeTitle, SexTick) {
    const std::pair<const char*, double> cases[] = {{"1", 63.2}, {"0", 43.2}};
    for (const auto& [sex, left] : cases) {
        SCOPED_TRACE(sex);
        const rl::TPage page = Title([s = sex](mTDeclaration& d) { d.Person.Name.Sex = s; });
        const auto ticks = Ticks(page, 94.5);
        ASSERT_EQ(ticks.size(), 1u);
        EXPECT_DOUBLE_EQ(ticks[0]->left, left);
    }
}

TEST(EstimatedIncomeTitle, CountryCodeAndCitizenship) {
    struct Case {
        const char* citizenship;
        const char* country;
        QStringList cells;
        const char* shownCitizenship;
    };
    const Case cases[] = {
        {"", "", {"6", "4", "3"}, "Россия"}, // empty ones print Russia's, as on the text file
        {"Армения", "51", {" ", "5", "1"}, "Армения"},
        {"Казахстан", "398", {"3", "9", "8"}, "Казахстан"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.country);
        const rl::TPage page = Title([&](mTDeclaration& d) {
            d.Person.IsForeigner = 1;
            d.Person.Foreigner.Citizenship = c.citizenship;
            d.Person.Foreigner.CountryCode = c.country;
        });
        EXPECT_EQ(Cells(page, 174.2, 99.9, 5, 3), c.cells);
        EXPECT_EQ(Field(page, 32, 104.7), QString::fromUtf8(c.shownCitizenship));
    }
}

TEST(EstimatedIncomeTitle, TwoDigitCodes) {
    struct Case {
        std::uint16_t document, region;
        QStringList documentCells, regionCells;
    };
    const Case cases[] = {
        {3, 77, {"0", "3"}, {"7", "7"}},
        {21, 5, {"2", "1"}, {"0", "5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document);
        const rl::TPage page = Title([&](mTDeclaration& d) {
            d.Person.Doc.DocTypeCode = c.document;
            d.Person.Address.RegionCode = c.region;
        });
        EXPECT_EQ(Cells(page, 179.2, 114.3, 5, 2), c.documentCells);
        EXPECT_EQ(Cells(page, 179.2, 153.9, 5, 2), c.regionCells);
    }
}

TEST(EstimatedIncomeTitle, InsuranceNumberInFourGroups) {
    auto groups = [](const rl::TPage& page) {
        return Cells(page, 48.2, 80.5, 4.8, 3) + Cells(page, 69.2, 80.5, 4.8, 3) + Cells(page, 91.2, 80.5, 5, 3) +
               Cells(page, 113.2, 80.5, 4.8, 2);
    };
    EXPECT_EQ(groups(Title()), Chars("12345678901"));
    EXPECT_EQ(groups(Title([](mTDeclaration& d) { d.OGRNIP = "1234567"; })), Chars("1234567    "));
    EXPECT_EQ(groups(Title([](mTDeclaration& d) { d.OGRNIP = "123456789012345"; })), Chars("12345678901"));
}

TEST(EstimatedIncomeTitle, PageCountFromTheFirstBox) {
    // Form 4-NDFL has two pages: the title page and the estimated-income page.
    EXPECT_EQ(Cells(Title(), 58.2, 222.1, 4.8, 3), QStringList({"2", "", ""}));
}

TEST(EstimatedIncomeTitle, DeclarationDate) {
    auto date = [](const rl::TPage& page) {
        return Cells(page, 26.2, 267.6, 5, 2) + Cells(page, 41.2, 267.6, 5, 2) + Cells(page, 56.2, 267.6, 5, 4);
    };
    const rl::TPage printed = Title();
    EXPECT_EQ(date(printed), Chars("15042006"));
    EXPECT_EQ(LabelAt(printed, 56.2, 267.6)->font.family, "Arial");
    EXPECT_EQ(date(Title({}, 0, false)), Chars("        "));
}

TEST(EstimatedIncomeTitle, ThreeBarcodeImages) {
    EXPECT_EQ(Images(Title({}, 6)), std::vector<double>({15, 85, 155})); // the first three entries only
    EXPECT_EQ(Images(Title({}, 2)), std::vector<double>({15, 85}));
    EXPECT_TRUE(Images(Title()).empty());
}

namespace {

TValues TitleValues() {
    TValues v;
    v.Texts = {{"INN", "771234567890"},    {"Year", "2005"},          {"InspectionName", "ИФНС № 4"},
               {"InspectionCode", "7704"}, {"Surname", "Иванов"},     {"FirstName", "Пётр"},
               {"Patronymic", "Сергеевич"}, {"InsuranceNumber", "12345678901"}, {"BirthDate", "08031970"},
               {"Citizenship", "Россия"},  {"CountryCode", "643"},    {"Birthplace", "г. Тула"},
               {"DocumentTypeName", "Паспорт"}, {"DocumentNumber", "45 03 123456"}, {"DocumentCode", "21"},
               {"IssuedBy", "ОВД"},        {"IssueDate", "14052003"}, {"PostIndex", "119002"},
               {"RegionName", "г. Москва"}, {"RegionCode", "77"},     {"City", "Москва"},
               {"Reserved", ""},           {"AddressAbroad", ""},     {"PageCount", "2"},
               {"AppendixCount", "3"},     {"Sex", "1"},              {"DateText", "15042006"}};
    return v;
}

struct TitleRun {
    mTDeclaration d;
    sheettest::Run r;
    TitleRun() {
        Fill(d, {});
        r = sheettest::Prepare(d);
    }
    rl::TPage Page(const TValues& v, int correction, int status, bool printValues) {
        rl::TOstrekReport report;
        clTitulNR(report, r.Context(), v, correction, status, printValues);
        return report.Pages().at(0);
    }
};

QStringList Texts(const rl::TPage& page) {
    QStringList out;
    for (const rl::TElement& e : page.Elements)
        out << QStringLiteral("%1@%2,%3:%4").arg(static_cast<int>(e.kind)).arg(e.left).arg(e.top).arg(e.text);
    return out;
}

} // namespace

TEST(EstimatedIncomeTitle, YearReservedAndAppendixCountNotPrinted) {
    TitleRun run;
    TValues other = TitleValues();
    other.Texts["Year"] = "1999";
    other.Texts["Reserved"] = "9999";
    other.Texts["AppendixCount"] = "77";
    EXPECT_EQ(Texts(run.Page(TitleValues(), 100, 1, true)), Texts(run.Page(other, 100, 1, true)));
}

TEST(EstimatedIncomeTitle, WithoutValuesKeepsFieldsAndTicks) {
    TitleRun run;
    const rl::TPage with = run.Page(TitleValues(), 12, 2, true);
    const rl::TPage without = run.Page(TitleValues(), 12, 2, false);

    // Only the kind, the correction number and the two ticks remain of the characters.
    EXPECT_EQ(BoxCharacters(without), 4);
    EXPECT_GT(BoxCharacters(with), 100);
    EXPECT_EQ(Cells(without, 21.2, 37.5, 10, 2), QStringList({"3", "12"}));
    EXPECT_EQ(Ticks(without, 53).size(), 1u);
    EXPECT_EQ(Ticks(without, 94.5).size(), 1u);
    EXPECT_EQ(LabelAt(without, 35, 42)->text, "ИФНС № 4");
    EXPECT_EQ(Field(without, 32, 104.7), "Россия");
    EXPECT_EQ(Field(without, 23, 173.1), "Москва");
    // The boxes are drawn all the same.
    EXPECT_EQ(sheettest::OfKind(without, rl::TElementKind::Rect).size(), sheettest::OfKind(with, rl::TElementKind::Rect).size());
}

// ---------------------------------------------------------------------------------------------
// The estimated-income page

TEST(EstimatedIncomePage, HeaderCellsAndFooter) {
    const rl::TPage page = Income();
    const auto codes = sheettest::OfKind(page, rl::TElementKind::PageCode);
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(codes[0]->text, "!5102!1023!");

    EXPECT_EQ(Cells(page, 71.2, 9, 4.8, 12), Chars("771234567890"));
    EXPECT_EQ(LabelAt(page, 71.2, 9)->font.family, "Arial");
    EXPECT_EQ(Cells(page, 141.2, 16, 4.8, 3), Chars("002"));
    EXPECT_EQ(Cells(page, 166, 26, 0, 1), QStringList{"Раздел 00001"});
    EXPECT_EQ(Cells(page, 179.6, 35, 0, 1), QStringList{"П"});
    EXPECT_EQ(Cells(page, 191.9, 35, 0, 1), QStringList{"С"});

    // The footer follows the page band, whose height ends 160 mm below the income boxes' text.
    const auto attestation =
        sheettest::Labels(page, QStringLiteral("Достоверность и полноту сведений, указанных на данной странице, подтверждаю:"));
    ASSERT_EQ(attestation.size(), 1u);
    const double textHeight = LabelAt(page, 113.2, 91)->height;
    const double footerTop = 91 + textHeight + 160;
    EXPECT_NEAR(attestation[0]->top, footerTop + 1, 1e-6);
    EXPECT_EQ(Cells(page, 128.2, footerTop + 7, 4.8, 2), Chars("15"));
}

TEST(EstimatedIncomePage, IncomeRightAlignedInFifteenBoxes) {
    struct Case {
        Currency income;
        QString text;
    };
    // Whole roubles, half up, as the text file writes the estimated income.
    const Case cases[] = {
        {Currency::FromInt(150000), "         150000"},
        {Currency::FromRaw(123456700), "          12346"},
        {Currency::FromRaw(10005000), "           1001"},
        {Currency::FromRaw(10004999), "           1000"},
        {Currency(), "              0"},
        {Currency::FromRaw(1234567890123400), "   123456789012"}, // the longest figure the text file writes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const rl::TPage page = Income([&](mTDeclaration& d) { d.SupposeIncome = c.income; });
        EXPECT_EQ(Cells(page, 113.2, 91, 5, 15), Chars(c.text));
        EXPECT_EQ(LabelAt(page, 113.2, 91)->font.family, "Unreal");
    }
}

// An estimated income of 150000.50: the boxes show the whole roubles the text file writes (and so
// the barcodes beside them), 150001 and not 150000,5.
TEST(EstimatedIncomePage, IncomeAsTheTextFileWritesIt) {
    mTDeclaration d;
    Fill(d, [](mTDeclaration& x) { x.SupposeIncome = Currency::FromRaw(1500005000); });
    sheettest::Run run = sheettest::Prepare(d);
    rl::TOstrekReport report;
    BuildNR2(report, run.Context());
    const std::vector<rl::TPage> pages = report.Pages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Cells(pages[0], 113.2, 91, 5, 15), Chars("         150001"));
    EXPECT_EQ(sheettest::Written(run, "П000010001000"), QStringLiteral("150001"));
}

TEST(EstimatedIncomePage, SurnameCutToItsCells) {
    const QString surname = QStringLiteral("Абвгдежзийклмнопрстуфхцчшщыэюяё") + QStringLiteral("Ъ"); // 32 letters
    ASSERT_EQ(surname.size(), 32);
    const rl::TPage page = Income([&](mTDeclaration& d) { d.Person.Name.SurName = surname.toStdString(); });
    EXPECT_EQ(Cells(page, 23.3, 35, 4.8, 31), Chars(surname.left(31)));
    EXPECT_TRUE(sheettest::Labels(page, QStringLiteral("Ъ")).empty());
    EXPECT_EQ(LabelAt(page, 23.3 + 4.8 * 31, 35), nullptr);
}

TEST(EstimatedIncomePage, BarcodeSlots) {
    EXPECT_EQ(Images(Income({}, 6)), std::vector<double>({85, 155})); // entries 3 and 4; Top 15 stays empty
    EXPECT_EQ(Images(Income({}, 4)), std::vector<double>({85}));
    EXPECT_TRUE(Images(Income({}, 3)).empty());
    const rl::TPage page = Income({}, 5);
    const auto images = sheettest::OfKind(page, rl::TElementKind::Image);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_TRUE(images[0]->image == sheettest::TestImage(3));
    EXPECT_TRUE(images[1]->image == sheettest::TestImage(4));
}

TEST(EstimatedIncomePage, WithoutValuesKeepsIncomeAndSection) {
    mTDeclaration d;
    Fill(d, {});
    sheettest::Run r = sheettest::Prepare(d);
    rl::TOstrekReport report;
    clNR2(report, r.Context(), "771234567890", "Иванов", "П", "С", "00001", "002", "!5102!1023!", "         150000", false);
    const rl::TPage page = report.Pages().at(0);

    EXPECT_EQ(Cells(page, 113.2, 91, 5, 15), Chars("         150000"));
    EXPECT_EQ(BoxCharacters(page), 15); // nothing but the income
    EXPECT_EQ(Cells(page, 166, 26, 0, 1), QStringList{"Раздел 00001"});
    EXPECT_EQ(sheettest::OfKind(page, rl::TElementKind::PageCode).size(), 1u);
}

TEST(EstimatedIncomeTitle, UnderlinedAndItalicCaptions) {
    const rl::TPage page = Title();
    struct Case {
        const char* text;
        bool underline, italic;
    } cases[] = {
        {"    15    ", true, false},
        {"     июня     ", true, false},
        {"      САЭ - 3 - 04 / 366@      ", true, false},
        {"2004 г.", false, false},
        {"Адрес места жительства в Российской Федерации:", false, true},
    };
    for (const Case& c : cases) {
        const auto found = sheettest::Labels(page, QString::fromUtf8(c.text));
        ASSERT_EQ(found.size(), 1u) << c.text;
        EXPECT_EQ(found[0]->font.family, "Unreal") << c.text;
        EXPECT_EQ(found[0]->font.size, 8) << c.text;
        EXPECT_EQ(found[0]->font.underline, c.underline) << c.text;
        EXPECT_EQ(found[0]->font.italic, c.italic) << c.text;
    }
}
