#include "../barcode/BmpDecode.h"
#include "platform/QtWindowing.h"
#include "sheets/GeneralClasses.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

struct Found {
    double left, top;
    QColor color;
};

// The labels of a band, by caption, in order of creation.
std::vector<Found> Labels(const rl::TBand& b, const QString& text) {
    std::vector<Found> out;
    for (const rl::TElement& e : b.Elements)
        if (e.kind == rl::TElementKind::Label && e.text == text) out.push_back({e.left, e.top, e.color});
    return out;
}

std::vector<std::pair<double, QString>> Cells(const rl::TBand& b, double top) {
    std::vector<std::pair<double, QString>> out;
    for (const rl::TElement& e : b.Elements)
        if (e.kind == rl::TElementKind::Label && std::abs(e.top - top) < 1e-9 && e.font.family == QLatin1String("Unreal") &&
            e.font.size == 11)
            out.emplace_back(e.left, e.text);
    return out;
}

Currency Rub(double v) { return Currency::FromRaw(static_cast<std::int64_t>(v * 10000 + (v < 0 ? -0.5 : 0.5))); }

} // namespace

class Blocks : public ::testing::Test {
protected:
    void SetUp() override { InstallFontSubstitutions(); }
};

TEST_F(Blocks, CurrencyDigitCells) {
    rl::TBand b;
    mbRek::CreateCurrency(50, 20, 40, Rub(1234.56), b);
    const std::vector<std::pair<double, QString>> expected = {{87, "4"}, {84, "3"}, {81, "2"}, {78, "1"}, {97, "5"}, {100, "6"}};
    EXPECT_EQ(Cells(b, 15.7), expected);
    EXPECT_EQ(Labels(b, "руб.").at(0).left, 91);
    EXPECT_EQ(Labels(b, "коп.").at(0).left, 103);

    rl::TBand small;
    mbRek::CreateCurrency(50, 20, 40, Rub(0.45), small);
    const std::vector<std::pair<double, QString>> c045 = {{87, "0"}, {97, "4"}, {100, "5"}};
    EXPECT_EQ(Cells(small, 15.7), c045);

    rl::TBand zero;
    mbRek::CreateCurrency(50, 20, 40, Currency(), zero);
    EXPECT_TRUE(Cells(zero, 15.7).empty());
    EXPECT_EQ(Labels(zero, "руб.").size(), 1u);

    rl::TBand big;
    mbRek::CreateCurrency(10, 20, 40, Currency::FromInt(1000000000000), big);
    for (const auto& f : Labels(big, "1")) EXPECT_EQ(f.color, kRed);

    rl::TBand negative;
    mbRek::CreateRubles(50, 20, 40, -125, negative);
    const auto minus = Labels(negative, "-");
    ASSERT_EQ(minus.size(), 1u); // outside the cells, left of the first one used
    EXPECT_EQ(minus[0].left, 78);
}

TEST_F(Blocks, TextIsCutToItsField) {
    rl::TBand b;
    const mbText fit = mbText::Create(10, 20, 30, QStringLiteral("Межрайонная инспекция ФНС России № 5"), b);
    EXPECT_GT(fit.FittedLength, 0);
    EXPECT_LT(fit.FittedLength, 36);
    EXPECT_LE(b.Elements.back().width, 28.0);
    rl::TBand empty;
    EXPECT_EQ(mbText::Create(10, 20, 1, QStringLiteral("Широкий текст"), empty).FittedLength, 0);
    EXPECT_EQ(empty.Elements.back().text, QString());
}

TEST_F(Blocks, SectionAmounts) {
    EXPECT_EQ(GroupDigits("1234567"), "1 234 567");
    EXPECT_EQ(GroupDigits("123456"), " 123 456");
    EXPECT_EQ(GroupDigits("12"), "12");
    rl::TBand b;
    mbRekNum::CreateCurrency(160, 20, Rub(1234567.89), b, true);
    ASSERT_EQ(b.Elements.size(), 2u);
    EXPECT_EQ(b.Elements[0].text, "1 234 567");
    EXPECT_NEAR(b.Elements[0].left + b.Elements[0].width, 160, 1e-9);
    EXPECT_EQ(b.Elements[1].text, ".89");
    EXPECT_EQ(b.Elements[1].left, 160);
    rl::TBand dash;
    mbRekNum::CreateCurrency(160, 20, Currency(), dash, true);
    ASSERT_EQ(dash.Elements.size(), 1u);
    EXPECT_EQ(dash.Elements[0].text, "----");
    rl::TBand none;
    mbRekNum::CreateCurrency(160, 20, Currency(), none, false);
    EXPECT_TRUE(none.Elements.empty());
    rl::TBand cents;
    mbRekNum::CreateCurrency(160, 20, Rub(0.05), cents, false);
    EXPECT_EQ(cents.Elements.at(0).text, "0");
    EXPECT_EQ(cents.Elements.at(1).text, ".05");
    rl::TBand whole;
    mbRekNum::CreateRubles(160, 20, 1000000000000000LL, whole, false);
    EXPECT_EQ(whole.Elements.at(0).color, kRed);
}

TEST_F(Blocks, HeaderAndFooter) {
    rl::TOstrekReport r;
    mbZagL(r, "500100732259", "ИВАНОВ", "И", "П", "00001", "7", "!5102!0033!", true);
    mbPodval(r, "15.04.2006", true);
    const rl::TBand& h = r.Bands.at(0);
    EXPECT_TRUE(h.ForceNewPage);
    EXPECT_EQ(h.Height, 38);
    for (auto [text, left] : std::initializer_list<std::pair<const char*, double>>{{"0", 131.2}, {"7", 143.2}})
        EXPECT_FALSE(Labels(h, text).empty()) << text;
    EXPECT_EQ(Labels(h, "Раздел 00001").at(0).left, 169);
    EXPECT_EQ(Labels(h, "И").back().left, 177.6); // after the surname's own "И"
    EXPECT_EQ(Labels(h, "П").at(0).left, 186.9);
    const rl::TBand& f = r.Bands.at(1);
    std::vector<QString> date;
    for (const rl::TElement& e : f.Elements)
        if (e.kind == rl::TElementKind::Label && e.font.family == QLatin1String("Arial")) date.push_back(e.text);
    const std::vector<QString> expected = {"1", "5", "0", "4", "2", "0", "0", "6"};
    EXPECT_EQ(date, expected);

    rl::TOstrekReport blank;
    mbZagL(blank, "500100732259", "ИВАНОВ", "И", "П", "00001", "7", "!5102!0033!", false);
    EXPECT_TRUE(Labels(blank.Bands[0], "5").empty()); // no INN digit, no page digit
    mbPodval(blank, "15.04.2006", false);
    for (const rl::TElement& e : blank.Bands[1].Elements)
        if (e.font.family == QLatin1String("Arial")) {
            EXPECT_TRUE(e.text.trimmed().isEmpty());
        }
}

TEST_F(Blocks, PagesAndThePageCode) {
    rl::TOstrekReport r;
    for (int page = 0; page < 3; ++page) {
        mbZagL(r, "500100732259", "ИВАНОВ", "И", "П", "00001", QString::number(page + 3), "!5102!0033!", true);
        rl::TBand& body = r.NewBand();
        body.Height = 200;
        mbPodval(r, "15.04.2006", true);
    }
    const auto pages = r.Pages();
    ASSERT_EQ(pages.size(), 3u);
    // The page code is drawn as EAN-8 bars that read back as its digits.
    QImage img(2480, 3508, QImage::Format_Grayscale8);
    img.fill(Qt::white);
    QPainter p(&img);
    rl::PaintPage(p, pages[0], 2480 / 210.0);
    p.end();
    const QImage code = img.copy(0, 0, 1000, 400);
    ZXing::ImageView view(code.constBits(), code.width(), code.height(), ZXing::ImageFormat::Lum, code.bytesPerLine());
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::EAN8);
    const ZXing::Result res = ZXing::ReadBarcode(view, hints);
    ASSERT_TRUE(res.isValid());
    EXPECT_EQ(std::string(res.bytes().begin(), res.bytes().end()), "51020033");
}

// The library measures with the form's fonts even when the host program never set up the font map
// (ctest runs this test in a process of its own).
TEST(ReportFonts, MapInstalledByTheFirstMeasurement) {
    rl::TBand band;
    const rl::TElement& e = band.AddLabel(0, 0, QStringLiteral("ИНН"), rl::TFontSpec{QStringLiteral("Unreal"), 8});
    EXPECT_GT(e.width, 0);
    EXPECT_TRUE(QFont::substitutes(QStringLiteral("Unreal")).contains(QStringLiteral("PT Sans"), Qt::CaseInsensitive));
}
