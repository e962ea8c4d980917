#include "SheetTestUtil.h"
#include "reportcore/ClassesLogDan.h"
#include "sheets/ClassesTitul.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using sheettest::Labels;
using sheettest::OfKind;

// A resident's declaration with an entrepreneur's registration number.
void Fill(mTDeclaration& d) {
    d.InspectionNumber = "7701";
    d.InspectionName = "ИФНС России № 1 по г. Москве";
    d.Primary = 1;
    d.CorrectionNumber = 0;
    d.FilingDate = EncodeDate(2006, 4, 28);
    d.FilerStatus = 1;
    d.DeclarationKind = 0;
    d.SetIncomeKinds(ikBusiness);
    d.OGRNIP = "304770000123456";
    auto& p = d.Person;
    p.Name = {"Иванов", "Пётр", "Сергеевич", "500100732259", "123-456-789 00", "0"};
    p.Doc = {21, "Паспорт гражданина РФ", "4503 123456", EncodeDate(2003, 3, 15), EncodeDate(1970, 2, 1),
             "ОВД Мещанское г. Москвы", "г. Москва"};
    p.Address = {0,   "101000", 77, "г. Москва", "Тверской район", "Москва", "пос. Лесной", "ул. Ёлочная",
                 "5", "2",      "12", "45286555"};
    p.HomePhone = {"495", "1234567"};
    p.WorkPhone = {"495", "7654321"};
}

sheettest::Run Prepared(int images = 0) {
    mTDeclaration d;
    Fill(d);
    return sheettest::Prepare(d, images);
}

rl::TOstrekReport Titul(sheettest::Run& r) {
    rl::TOstrekReport report;
    BuildTitul(report, r.Context());
    return report;
}

rl::TOstrekReport Adr(sheettest::Run& r) {
    rl::TOstrekReport report;
    BuildAdr(report, r.Context());
    return report;
}

rl::TPage OnePage(const rl::TOstrekReport& report) {
    const std::vector<rl::TPage> pages = report.Pages();
    EXPECT_EQ(pages.size(), 1u);
    return pages.empty() ? rl::TPage{} : pages.front();
}

bool Near(double a, double b) { return std::abs(a - b) < 1e-6; }

const rl::TElement* LabelAt(rl::TPage&&, double, double) = delete; // the page must outlive the pointers
const rl::TElement* LabelAt(const rl::TPage& page, double left, double top) {
    for (const rl::TElement& e : page.Elements)
        if (e.kind == rl::TElementKind::Label && Near(e.left, left) && Near(e.top, top)) return &e;
    return nullptr;
}

// The characters of a row of 5 mm boxes: "." for a box that shows nothing, "#" for a box that has
// no character label at all.
QString Boxes(const rl::TPage& page, double left, double top, int count) {
    QString out;
    for (int i = 0; i < count; ++i) {
        const rl::TElement* e = LabelAt(page, left + 1.2 + 5 * i, top + 1);
        if (!e) out += QLatin1Char('#');
        else if (e->text.trimmed().isEmpty()) out += QLatin1Char('.');
        else out += e->text;
    }
    return out;
}

// The text of a field whose underline is at (left, top): its label stands 2 mm right and 4.5 mm up.
QString Field(const rl::TPage& page, double left, double top) {
    const rl::TElement* e = LabelAt(page, left + 2, top - 4.5);
    return e ? e->text : QStringLiteral("#");
}

std::vector<const rl::TElement*> Images(rl::TPage&&) = delete;
std::vector<const rl::TElement*> Images(const rl::TPage& page) { return OfKind(page, rl::TElementKind::Image); }

} // namespace

// ---------------------------------------------------------------------------------------------
// The title page

TEST(TitulPage, HeaderNamesAndFixedCells) {
    auto r = Prepared();
    const rl::TOstrekReport report = Titul(r);
    ASSERT_EQ(report.Bands.size(), 1u); // no page header, no footer
    EXPECT_EQ(report.Bands[0].Height, 274);
    const rl::TPage page = OnePage(report);

    const auto codes = OfKind(page, rl::TElementKind::PageCode);
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(codes[0]->text, "!5102!0019!");
    EXPECT_EQ(codes[0]->left, 9);
    EXPECT_EQ(codes[0]->top, 9);

    EXPECT_EQ(Boxes(page, 66, 9, 12), "500100732259");
    EXPECT_EQ(Boxes(page, 122, 16.5, 3), "001");
    EXPECT_EQ(Boxes(page, 160, 39.5, 4), "2005");
    EXPECT_EQ(Boxes(page, 164, 46, 4), "7701");
    EXPECT_EQ(Boxes(page, 22, 75, 33), "Иванов" + QString(27, '.'));
    EXPECT_EQ(Boxes(page, 22, 85, 33), "Пётр" + QString(29, '.'));
    EXPECT_EQ(Boxes(page, 22, 95, 33), "Сергеевич" + QString(24, '.'));
    EXPECT_EQ(Boxes(page, 112, 107, 15), "304770000123456");
    EXPECT_EQ(Field(page, 38, 148.4), "г. Москва");
    EXPECT_EQ(Field(page, 76, 156.6), "Паспорт гражданина РФ");
    EXPECT_EQ(Field(page, 92, 164.8), "4503 123456");
    EXPECT_EQ(Field(page, 32, 173), "ОВД Мещанское г. Москвы");

    // Each box is the right wall of a rectangle sharing the row's left edge: 33 for a name row.
    int nameWalls = 0;
    for (const rl::TElement* e : OfKind(page, rl::TElementKind::Rect))
        if (e->left == 22 && e->top == 75) ++nameWalls;
    EXPECT_EQ(nameWalls, 33);

    // The two rules between the upper part and the attestation and tax-office halves.
    bool horizontal = false, vertical = false;
    for (const rl::TElement* e : OfKind(page, rl::TElementKind::Rect)) {
        horizontal |= e->left == 8 && e->top == 200 && e->width == 180 && Near(e->height, 0.3);
        vertical |= e->left == 81 && e->top == 200 && Near(e->width, 0.3) && e->height == 80;
    }
    EXPECT_TRUE(horizontal);
    EXPECT_TRUE(vertical);
}

TEST(TitulPage, LongAndShortValuesInBoxes) {
    auto r = Prepared();
    r.c.log->PersonDan->INN = "5001007322";
    r.c.log->PersonDan->SurName = "Константинопольский-Задунайский-Верхнеорловский";
    const rl::TPage page = OnePage(Titul(r));
    EXPECT_EQ(Boxes(page, 66, 9, 12), "5001007322..");
    EXPECT_EQ(Boxes(page, 22, 75, 33), "Константинопольский-Задунайский-В");
    EXPECT_EQ(LabelAt(page, 22 + 1.2 + 5 * 33, 76), nullptr); // no 34th box
}

TEST(TitulPage, DocumentKindAndCorrectionNumber) {
    struct Case {
        bool primary;
        int stored;
        const char* kind;
        const char* correction;
    };
    for (const Case& c : {Case{true, 5, "1", "."}, Case{false, 2, "3", "2"}, Case{false, 12, "3", "1"}}) {
        SCOPED_TRACE(c.stored);
        auto r = Prepared();
        r.c.log->DeclDan->Primary = c.primary;
        r.c.log->DeclDan->CorrectionNumber = c.stored;
        const rl::TPage page = OnePage(Titul(r));
        EXPECT_EQ(Boxes(page, 21, 39.5, 1), c.kind);
        EXPECT_EQ(Boxes(page, 31, 39.5, 1), c.correction);
    }
}

TEST(TitulPage, StatusTicksOneBox) {
    const double boxes[] = {33, 74, 106, 133, 160, 183};
    for (int status : {0, 3, 5, 7}) {
        SCOPED_TRACE(status);
        auto r = Prepared();
        r.c.log->DeclDan->FilerStatus = static_cast<std::uint8_t>(status);
        const rl::TPage page = OnePage(Titul(r));
        for (int i = 0; i < 6; ++i) EXPECT_EQ(Boxes(page, boxes[i], 55, 1), i == status ? "V" : ".") << "box " << i;
    }
}

TEST(TitulPage, SexMarkInItsBox) {
    struct Case {
        const char* sex;
        double left;
    };
    for (const Case& c : {Case{"1", 64.2}, Case{"0", 44.2}, Case{"", 44.2}, Case{"2", 44.2}}) {
        SCOPED_TRACE(c.sex);
        auto r = Prepared();
        r.c.log->PersonDan->Pol = c.sex;
        const rl::TPage page = OnePage(Titul(r));
        std::vector<double> marks;
        for (const rl::TElement* e : Labels(page, "V"))
            if (e->top == 128) marks.push_back(e->left);
        ASSERT_EQ(marks.size(), 1u);
        EXPECT_DOUBLE_EQ(marks[0], c.left);
    }
}

TEST(TitulPage, CitizenshipCountryAndDocumentCodes) {
    struct Case {
        const char* citizenship;
        const char* country;
        std::uint16_t docCode;
        const char* shownCitizenship;
        const char* countryBoxes;
        const char* docBoxes;
    };
    const Case cases[] = {
        {"", "", 21, "Россия", "643", "21"},
        {"Украина", "804", 3, "Украина", "804", "03"},
        {"Германия", "4", 10, "Германия", "..4", "10"},
        {"Беларусь", "1122", 0, "Беларусь", "112", "00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.country);
        auto r = Prepared();
        r.c.log->PersonDan->Inostr.Citizenship = c.citizenship;
        r.c.log->PersonDan->Inostr.CountryCode = c.country;
        r.c.log->PersonDan->DocTypeCode = c.docCode;
        const rl::TPage page = OnePage(Titul(r));
        EXPECT_EQ(Field(page, 33, 140.2), QString::fromUtf8(c.shownCitizenship));
        EXPECT_EQ(Boxes(page, 174, 135.2, 3), c.countryBoxes);
        EXPECT_EQ(Boxes(page, 179, 151.6, 2), c.docBoxes);
    }
}

TEST(TitulPage, PageAndAppendixCounts) {
    struct Case {
        int pages;
        std::uint16_t appendixes;
        const char* pageBoxes;
        const char* appendixBoxes;
    };
    for (const Case& c : {Case{12, 0, ".12", "..."}, Case{7, 5, "..7", "..5"}, Case{123, 40, "123", ".40"},
                          Case{1234, 1000, "123", "100"}}) {
        SCOPED_TRACE(c.pages);
        auto r = Prepared();
        r.c.plan.PageTotal = c.pages;
        r.c.log->DeclDan->Appendixes = c.appendixes;
        const rl::TPage page = OnePage(Titul(r));
        EXPECT_EQ(Boxes(page, 58, 189, 3), c.pageBoxes);
        EXPECT_EQ(Boxes(page, 146, 189, 3), c.appendixBoxes);
    }
}

TEST(TitulPage, DatesInDayMonthYearBoxes) {
    auto r = Prepared();
    const rl::TPage page = OnePage(Titul(r));
    EXPECT_EQ(Boxes(page, 43, 117, 2) + Boxes(page, 58, 117, 2) + Boxes(page, 73, 117, 4), "01021970");
    EXPECT_EQ(Boxes(page, 43, 177, 2) + Boxes(page, 58, 177, 2) + Boxes(page, 73, 177, 4), "15032003");
    EXPECT_EQ(Boxes(page, 23, 242, 2) + Boxes(page, 38, 242, 2) + Boxes(page, 53, 242, 4), "28042006");
    // The tax office's date boxes stay empty.
    EXPECT_EQ(Boxes(page, 133, 257, 2) + Boxes(page, 148, 257, 2) + Boxes(page, 163, 257, 4), "........");

    auto noDate = Prepared();
    noDate.c.log->PrintDate = false;
    const rl::TPage blank = OnePage(Titul(noDate));
    EXPECT_EQ(Boxes(blank, 23, 242, 2) + Boxes(blank, 38, 242, 2) + Boxes(blank, 53, 242, 4), "........");
    // Only the declaration date is left out: the birth date still prints.
    EXPECT_EQ(Boxes(blank, 43, 117, 2) + Boxes(blank, 58, 117, 2) + Boxes(blank, 73, 117, 4), "01021970");
}

TEST(TitulPage, InspectionNameWrapsInsideItsLabel) {
    auto r = Prepared();
    const rl::TPage page = OnePage(Titul(r));
    const rl::TElement* one = LabelAt(page, 36, 45);
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->text, "ИФНС России № 1 по г. Москве");
    EXPECT_EQ(one->font.family, "Unreal");
    EXPECT_EQ(one->font.size, 8);
    EXPECT_FALSE(one->font.bold);
    EXPECT_FALSE(one->font.underline);
    EXPECT_FALSE(one->font.italic);

    // A name far too long for 120 x 16 mm: whole words on lines no wider than the label, from its
    // top, and only as many lines as fit its height.
    QStringList words;
    for (int i = 1; i <= 60; ++i) words << QStringLiteral("Межрайонная%1").arg(i);
    auto longName = Prepared();
    longName.c.log->DeclDan->InspectionName = words.join(QLatin1Char(' ')).toStdString();
    const rl::TPage wrapped = OnePage(Titul(longName));
    QStringList shown;
    double lastTop = 0;
    for (const rl::TElement& e : wrapped.Elements) {
        if (e.kind != rl::TElementKind::Label || e.left != 36 || !e.text.startsWith(QStringLiteral("Межрайонная"))) continue;
        EXPECT_LE(e.width, 120);
        EXPECT_GE(e.top, 45);
        EXPECT_LE(e.top + e.height, 45 + 16 + 1e-9);
        EXPECT_GT(e.top, lastTop);
        lastTop = e.top;
        shown << e.text;
    }
    ASSERT_GE(shown.size(), 2);
    const QStringList shownWords = shown.join(QLatin1Char(' ')).split(QLatin1Char(' '));
    EXPECT_EQ(shownWords, words.mid(0, shownWords.size())); // in order, no word split or lost
    EXPECT_LT(shownWords.size(), words.size());
}

TEST(TitulPage, TaxOfficeHintFollowsItsCaption) {
    auto r = Prepared();
    const rl::TPage page = OnePage(Titul(r));
    const rl::TElement* caption = LabelAt(page, 88, 225);
    ASSERT_NE(caption, nullptr);
    ASSERT_EQ(caption->text, "Данная декларация представленна");
    const rl::TElement* hint = nullptr;
    for (const rl::TElement* e : Labels(page, "(нужное отметить знаком V)"))
        if (e->top == 225.5) hint = e;
    ASSERT_NE(hint, nullptr);
    // Whole millimetres: the caption's end rounded, plus one.
    EXPECT_EQ(hint->left, std::floor(hint->left));
    EXPECT_GE(hint->left - (caption->left + caption->width), 0.5);
    EXPECT_LE(hint->left - (caption->left + caption->width), 1.5);
    EXPECT_EQ(hint->font.size, 7);
}

TEST(TitulPage, BarcodeImagesFromTheFirstThreeEntries) {
    struct Case {
        int files;
        std::vector<double> tops;
    };
    for (const Case& c : {Case{0, {}}, Case{2, {15, 85}}, Case{5, {15, 85, 155}}}) {
        SCOPED_TRACE(c.files);
        auto r = Prepared(c.files);
        const rl::TPage page = OnePage(Titul(r));
        const auto images = Images(page);
        ASSERT_EQ(images.size(), c.tops.size());
        for (std::size_t i = 0; i < images.size(); ++i) {
            EXPECT_EQ(images[i]->left, 192);
            EXPECT_EQ(images[i]->top, c.tops[i]);
            EXPECT_EQ(images[i]->width, 10);
            EXPECT_EQ(images[i]->height, 50);
            EXPECT_TRUE(images[i]->image == r.images[static_cast<int>(i)]);
        }
    }
}

TEST(TitulPage, EstimatedIncomeDeclarationGetsItsOwnTitle) {
    auto r = Prepared(3);
    r.c.log->DeclDan->DeclarationKind = 2;
    const rl::TOstrekReport report = Titul(r);
    rl::TOstrekReport own;
    BuildTitulNR(own, r.Context());
    ASSERT_EQ(report.Bands.size(), own.Bands.size());
    for (std::size_t b = 0; b < report.Bands.size(); ++b) {
        ASSERT_EQ(report.Bands[b].Elements.size(), own.Bands[b].Elements.size());
        for (std::size_t i = 0; i < report.Bands[b].Elements.size(); ++i)
            EXPECT_EQ(report.Bands[b].Elements[i].text, own.Bands[b].Elements[i].text);
    }
    for (const rl::TPage& page : report.Pages())
        for (const rl::TElement* e : OfKind(page, rl::TElementKind::PageCode)) EXPECT_NE(e->text, "!5102!0019!");
}

// ---------------------------------------------------------------------------------------------
// The second page

TEST(TitulAdr, HeaderAndSurnameLine) {
    auto r = Prepared();
    r.c.log->PersonDan->SurName = "Абвгдежзийклмнопрстуфхцчшщыэюяаб"; // 32 letters
    const rl::TOstrekReport report = Adr(r);
    ASSERT_EQ(report.Bands.size(), 2u); // the page band and the footer
    EXPECT_EQ(report.Bands[0].Height, 256.5);
    const rl::TPage page = OnePage(report);

    const auto codes = OfKind(page, rl::TElementKind::PageCode);
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(codes[0]->text, "!5102!0026!");
    EXPECT_EQ(Boxes(page, 66, 9, 12), "500100732259");
    EXPECT_EQ(Boxes(page, 122, 16.5, 3), "002");

    const QString surname = QString::fromStdString(r.c.log->PersonDan->SurName);
    for (int k = 0; k < 31; ++k) {
        const rl::TElement* e = LabelAt(page, 23.3 + 4.8 * k, 32);
        ASSERT_NE(e, nullptr) << k;
        EXPECT_EQ(e->text, surname.mid(k, 1)) << k;
    }
    for (const rl::TElement& e : page.Elements) // nothing of the 32nd letter, over "И." or elsewhere
        EXPECT_FALSE(e.kind == rl::TElementKind::Label && e.text == surname.right(1) && e.top == 32 && e.left > 170);
    ASSERT_NE(LabelAt(page, 177.6, 32), nullptr);
    EXPECT_EQ(LabelAt(page, 177.6, 32)->text, "П");
    ASSERT_NE(LabelAt(page, 186.9, 32), nullptr);
    EXPECT_EQ(LabelAt(page, 186.9, 32)->text, "С");

    // The footer follows the band on the same page.
    const auto sign = Labels(page, "Подпись");
    ASSERT_EQ(sign.size(), 1u);
    EXPECT_DOUBLE_EQ(sign[0]->top, 256.5 + 7);
}

TEST(TitulAdr, ResidenceStatusTicks) {
    struct Case {
        int kind;
        const char* resident;
        const char* nonResident;
    };
    for (const Case& c : {Case{0, "V", "."}, Case{1, ".", "V"}, Case{3, ".", "."}}) {
        SCOPED_TRACE(c.kind);
        auto r = Prepared();
        r.c.log->DeclDan->DeclarationKind = static_cast<std::uint8_t>(c.kind);
        const rl::TPage page = OnePage(Adr(r));
        EXPECT_EQ(Boxes(page, 99, 48.5, 1), c.resident);
        EXPECT_EQ(Boxes(page, 183, 48.5, 1), c.nonResident);
    }
}

TEST(TitulAdr, AddressInTheBlockOfResidenceOrStay) {
    for (bool stay : {false, true}) {
        SCOPED_TRACE(stay);
        auto r = Prepared();
        r.c.log->PersonDan->AddressOfStay = stay;
        const rl::TPage page = OnePage(Adr(r));
        const double filled = stay ? 65 : 0, empty = stay ? 0 : 65;

        EXPECT_EQ(Boxes(page, 35, 62.5 + filled, 6), "101000");
        EXPECT_EQ(Boxes(page, 179, 70 + filled, 2), "77");
        EXPECT_EQ(Field(page, 52, 74 + filled), "г. Москва");
        EXPECT_EQ(Field(page, 20, 80.5 + filled), "Тверской район");
        EXPECT_EQ(Field(page, 20, 86 + filled), "Москва");
        EXPECT_EQ(Field(page, 64, 91.5 + filled), "пос. Лесной");
        EXPECT_EQ(Field(page, 56, 97 + filled), "ул. Ёлочная");
        EXPECT_EQ(Field(page, 45, 102.5 + filled), "5");
        EXPECT_EQ(Field(page, 141, 102.5 + filled), "2");
        EXPECT_EQ(Field(page, 34, 108 + filled), "12");
        EXPECT_EQ(Field(page, 94, 113.5 + filled), "( 495 ) 7654321");
        EXPECT_EQ(Field(page, 152, 113.5 + filled), "( 495 ) 1234567");

        // The other block: its captions, its boxes and underlines, and no values.
        EXPECT_EQ(Boxes(page, 35, 62.5 + empty, 6), "......");
        EXPECT_EQ(Boxes(page, 179, 70 + empty, 2), "..");
        EXPECT_EQ(Field(page, 52, 74 + empty), "");
        EXPECT_EQ(Field(page, 20, 80.5 + empty), "");
        EXPECT_EQ(Field(page, 20, 86 + empty), "");
        EXPECT_EQ(Field(page, 64, 91.5 + empty), "");
        EXPECT_EQ(Field(page, 56, 97 + empty), "");
        EXPECT_EQ(Field(page, 45, 102.5 + empty), "");
        EXPECT_EQ(Field(page, 141, 102.5 + empty), "");
        EXPECT_EQ(Field(page, 34, 108 + empty), "");
        EXPECT_EQ(Field(page, 94, 113.5 + empty), "");
        EXPECT_EQ(Field(page, 152, 113.5 + empty), "");
        for (const char* caption : {"Почтовый индекс", "Номер квартиры", "служебный"}) {
            std::vector<double> tops;
            for (const rl::TElement* e : Labels(page, caption)) tops.push_back(e->top);
            ASSERT_EQ(tops.size(), 2u) << caption;
            EXPECT_DOUBLE_EQ(tops[1] - tops[0], 65) << caption;
        }
    }
}

TEST(TitulAdr, RegionCodeInTwoBoxes) {
    struct Case {
        std::uint16_t code;
        const char* boxes;
    };
    for (const Case& c : {Case{7, "07"}, Case{77, "77"}, Case{0, "00"}, Case{199, "19"}}) {
        SCOPED_TRACE(c.code);
        auto r = Prepared();
        r.c.log->PersonDan->RegionCode = c.code;
        EXPECT_EQ(Boxes(OnePage(Adr(r)), 179, 70, 2), c.boxes);
    }
}

TEST(TitulAdr, AddressAbroadRunsOverFourLines) {
    const double tops[] = {197.5, 203, 208.5, 214};
    auto lines = [&](const rl::TPage& page) {
        QStringList out;
        for (double top : tops) out << Field(page, 8, top);
        return out;
    };

    auto shortOne = Prepared();
    shortOne.c.log->PersonDan->Inostr.AddressAbroad = "Киев, ул. Крещатик, 1";
    EXPECT_EQ(lines(OnePage(Adr(shortOne))), (QStringList{"Киев, ул. Крещатик, 1", "", "", ""}));

    QString address;
    for (int i = 1; address.size() < 600; ++i) address += QStringLiteral("дом %1, улица Длинная-%1; ").arg(i);
    auto longOne = Prepared();
    longOne.c.log->PersonDan->Inostr.AddressAbroad = address.toStdString();
    const QStringList shown = lines(OnePage(Adr(longOne)));
    for (const QString& line : shown) EXPECT_FALSE(line.isEmpty());
    const QString joined = shown.join(QString());
    EXPECT_EQ(joined, address.left(joined.size())); // nothing lost or repeated between lines
    EXPECT_LT(joined.size(), address.size());       // and the rest is not printed

    // The lines use the whole width: the next character would not have fitted.
    const QString second = address.mid(shown[0].size(), shown[1].size() + 1);
    EXPECT_GT(rl::TextWidthMm(second, fonts::Letterica(11, true)), 178);
}

TEST(TitulAdr, ForeignTelephonesAndEmptyParts) {
    auto r = Prepared();
    r.c.log->PersonDan->Inostr.HomeCode = "044";
    r.c.log->PersonDan->Inostr.HomePhone = "2345678";
    r.c.log->PersonDan->WorkCode = "";
    r.c.log->PersonDan->WorkPhone = "";
    const rl::TPage page = OnePage(Adr(r));
    EXPECT_EQ(Field(page, 128, 229), "( 044 ) 2345678");
    EXPECT_EQ(Field(page, 32, 229), "(  ) ");
    EXPECT_EQ(Field(page, 94, 113.5), "(  ) ");
}

TEST(TitulAdr, BarcodeImagesFromTheSecondThree) {
    struct Case {
        int files;
        std::vector<double> tops;
    };
    for (const Case& c : {Case{3, {}}, Case{4, {15}}, Case{9, {15, 85, 155}}}) {
        SCOPED_TRACE(c.files);
        auto r = Prepared(c.files);
        const rl::TPage page = OnePage(Adr(r));
        const auto images = Images(page);
        ASSERT_EQ(images.size(), c.tops.size());
        for (std::size_t i = 0; i < images.size(); ++i) {
            EXPECT_EQ(images[i]->left, 192);
            EXPECT_EQ(images[i]->top, c.tops[i]);
            EXPECT_EQ(images[i]->width, 10);
            EXPECT_EQ(images[i]->height, 50);
            EXPECT_TRUE(images[i]->image == r.images[static_cast<int>(i) + 3]);
        }
    }
}

TEST(TitulAdr, EstimatedIncomeDeclarationHasNoSecondPageBand) {
    auto r = Prepared(6);
    r.c.log->DeclDan->DeclarationKind = 2;
    const rl::TPage page = OnePage(Adr(r));
    EXPECT_TRUE(OfKind(page, rl::TElementKind::PageCode).empty());
    EXPECT_TRUE(Images(page).empty());
    EXPECT_EQ(Labels(page, "Подпись").size(), 1u); // the footer alone
}
