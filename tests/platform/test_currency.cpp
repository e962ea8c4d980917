#include "model/StavClasses.h"
#include "platform/Currency.h"
#include "platform/NumText.h"

#include <clocale>
#include <gtest/gtest.h>

namespace {
Currency C(std::int64_t raw) { return Currency::FromRaw(raw); }
} // namespace

TEST(Currency, ShortestText) {
    struct Case {
        std::int64_t raw;
        const char* text;
    } cases[] = {{0, "0"}, {12345000, "1234.5"}, {-10000, "-1"}, {1, "0.0001"}, {-5, "-0.0005"}, {100, "0.01"},
                 {INT64_MAX, "922337203685477.5807"}};
    for (const auto& c : cases) EXPECT_EQ(C(c.raw).ToString('.'), c.text);
    EXPECT_EQ(C(125000).ToString(','), "12,5");
}

TEST(Currency, Parse) {
    struct Case {
        const char* text;
        char sep;
        bool ok;
        std::int64_t raw;
    } cases[] = {
        {"12.5", '.', true, 125000},   {"12,5", ',', true, 125000}, {"12,5", '.', false, 0},
        {"-1", '.', true, -10000},     {" 7 ", '.', true, 70000},   {"1E2", '.', true, 1000000},
        {"0.00005", '.', true, 0},     {"0.00015", '.', true, 2},   {"0.000151", '.', true, 2},
        {"0.00025", '.', true, 2},     {".5", '.', true, 5000},     {"a", '.', false, 0},
        {"", '.', false, 0},           {"1.2.3", '.', false, 0},    {"99999999999999999999", '.', false, 0},
        {"922337203685477.5807", '.', true, INT64_MAX},
        // Where the short reading of written amounts hands over to the general one.
        {"99999999999999.9999", '.', true, 999999999999999999}, {"-0", '.', true, 0},
        {"1.", '.', true, 10000},      {"12.50000", '.', true, 125000}, {"+5", '.', true, 50000},
        {"-0.0001", '.', true, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Currency v;
        EXPECT_EQ(Currency::TryParse(c.text, c.sep, v), c.ok);
        if (c.ok) {
            EXPECT_EQ(v.Raw(), c.raw);
        }
    }
    EXPECT_THROW(Currency::Parse("x", '.'), EConvertError);
}

// Arithmetic beyond the type's range stays at the bound it passed, never wrapping into the other sign.
TEST(Currency, ArithmeticStaysWithinTheRange) {
    const Currency max = C(INT64_MAX), min = C(INT64_MIN);
    EXPECT_EQ(max + C(1), max);
    EXPECT_EQ(C(1) + max, max);
    EXPECT_EQ(min + C(-1), min);
    EXPECT_EQ(min - C(1), min);
    EXPECT_EQ(max - C(-1), max);
    EXPECT_EQ(C(-2) - max, min);
    EXPECT_EQ(-min, max);
    Currency sum = max;
    sum += max;
    EXPECT_EQ(sum, max);
    sum -= min;
    EXPECT_EQ(sum, max);
    EXPECT_EQ(Currency::FromInt(922337203685478), max);
    EXPECT_EQ(Currency::FromInt(-922337203685478), min);
    // Inside the range nothing changes.
    EXPECT_EQ(max + C(-1), C(INT64_MAX - 1));
    EXPECT_EQ(min - C(-1), C(INT64_MIN + 1));
    EXPECT_EQ(Currency::FromInt(-922337203685477), C(-9223372036854770000));
}

// The main program's kopeck rounding: binary value, ties to even on the binary quotient.
TEST(Currency, KopeckRoundingTies) {
    struct Case {
        double roubles;
        std::int64_t kopecks;
    } cases[] = {
        {0.10 * 0.25, 3}, // 0.025 lies just above the half in binary
        {0.06 * 0.25, 1}, // 0.015 lies just below it
        {0.125, 12},      // exact binary half: to the even kopeck
        {0.135, 14},
        {-0.025, -3}, // negative values mirror the positive ones
        {2716.515, 271651},
        {5415.505, 541550},
        {3550.0, 355000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.roubles);
        EXPECT_EQ(RoundToKopeck(c.roubles).Raw(), c.kopecks * 100);
    }
}

// The norm of a deduction is taken from the exact product: a product carried through binary
// steps lands on the other side of a half kopeck now and then.
TEST(Currency, NormAmountRoundsTheExactProduct) {
    struct Case {
        std::int64_t amount;
        int percent;
        std::int64_t expected;
    } cases[] = {
        {80500, 30, 24100},      // 8,05 x 30 % = 2,415 -> 2,41 (its binary value lies below the half)
        {166500, 30, 50000},     // 16,65 x 30 % = 4,995 -> 5
        {10000600, 25, 2500100}, // 1000,06 x 25 % -> 250,01
        {10001000, 25, 2500300}, // 1000,1 x 25 % -> 250,03
        {10000000, 20, 2000000},
        {0, 30, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.amount);
        EXPECT_EQ(NormAmount(C(c.amount), c.percent).Raw(), c.expected);
    }
}

TEST(Currency, ConversionToRoubles) {
    struct Case {
        std::int64_t amount, rate;
        std::int32_t units;
        std::int64_t roubles;
    } cases[] = {
        {1005000, 270300, 1, 27165100}, // 100,5 at 27,03 -> 2716,51
        {2005000, 270100, 1, 54155000}, // 200,5 at 27,01 -> 5415,5
        {1000000, 355000, 1, 35500000}, // 100 at 35,5 -> 3550
        {100000, 33333, 1, 333300},     // 10 at 3,3333 -> 33,33
        {1000000, 355000, 0, 0},        // no units: no conversion
        {1000000, 355000, 100, 355000}, // 100 units at 35,5 per 100 -> 35,5
    };
    for (const auto& c : cases) EXPECT_EQ(ConvertToRoubles(C(c.amount), C(c.rate), c.units).Raw(), c.roubles);
}

TEST(NumText, IntegersAndFloats) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToInt("0005"), 5);
    EXPECT_THROW(StrToInt("2147483648"), EConvertError);
    EXPECT_THROW(StrToInt("4294967295"), EConvertError);
    EXPECT_THROW(StrToInt("12a"), EConvertError);
    EXPECT_THROW(StrToInt(""), EConvertError);
    EXPECT_EQ(IndexToStr(7), "007");
    EXPECT_EQ(IndexToStr(1234), "1234");
    EXPECT_EQ(FloatToStr(38353), "38353");
    EXPECT_EQ(FloatToStr(38353.5), "38353.5");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(38353.25, ','), "38353,25");
    EXPECT_DOUBLE_EQ(StrToFloat("38353", '.'), 38353);
    EXPECT_DOUBLE_EQ(StrToFloat("3,5e1", ','), 35);
    EXPECT_THROW(StrToFloat("3,5", '.'), EConvertError);
}

TEST(NumText, Dates) {
    EXPECT_EQ(EncodeDate(2005, 1, 1), 38353);
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(DateToStr(38353), "01.01.2005");
    EXPECT_EQ(StrToDate("01.01.2005", '.'), 38353);
    EXPECT_EQ(StrToDate("1.1.2005", '.'), 38353);
    EXPECT_EQ(StrToDate("01,01,2005", ','), 38353);
    EXPECT_THROW(StrToDate("31.02.2005", '.'), EConvertError);
    EXPECT_THROW(StrToDate("01.01.2005", ','), EConvertError);
    int y, m, d;
    DecodeDate(EncodeDate(2004, 2, 29), y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20040229);
}

// Numbers and dates are the same whatever the process locale says.
TEST(NumText, IndependentOfLocale) {
    const char* old = std::setlocale(LC_ALL, nullptr);
    std::string saved = old ? old : "C";
    if (!std::setlocale(LC_ALL, "ru_RU.UTF-8")) GTEST_SKIP() << "ru_RU.UTF-8 locale not installed";
    EXPECT_EQ(FloatToStr(38353.5), "38353.5");
    EXPECT_DOUBLE_EQ(StrToFloat("38353.5", '.'), 38353.5);
    EXPECT_EQ(Currency::FromRaw(125000).ToString('.'), "12.5");
    std::setlocale(LC_ALL, saved.c_str());
}
