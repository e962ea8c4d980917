// The pages of calculation sections 1 to 6.
#include "sheets/ClassesNum.h"

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesLogDanSums.h"
#include "reportcore/ClassesReportPlan.h"
#include "sheets/ClassesTitul.h"

#include <algorithm>

namespace {

using namespace layout;

// ---------------------------------------------------------------------------------------------
// Title bands

const TRows kTop1 = {
    Caption{15, 5, 11, kBold, "Раздел 1. Расчет налоговой базы и суммы налога по доходам, облагаемым по ставке 13 %"},
};
const TRows kTop2 = {
    Caption{15, 5, 11, kBold, "Раздел 2. Расчет налоговой базы и суммы налога по доходам, облагаемым по ставке 30 %"},
};
const TRows kTop3 = {
    Caption{15, 5, 11, kBold, "Раздел 3. Расчет налоговой базы и суммы налога по доходам, облагаемым по ставке 35 %"},
};
const TRows kTop4 = {
    Caption{15, 5, 11, kBold, "Раздел 4. Расчет налоговой базы и суммы налога по доходам, облагаемым по ставке 9 %"},
};
const TRows kTop5 = {
    Caption{28, 5, 11, kBold, "Раздел 5. Расчет итоговой суммы налога к уплате (доплате) / возврату"},
    Caption{76, 10, 11, kBold, "по всем видам доходов"},
};
const TRows kTop6 = {
    Caption{15, 5, 11, kBold, "Раздел 6. Cуммы налога, подлежащие уплате (доплате) в бюджет / возврату"},
    Caption{82, 10, 11, kBold, "из бюджета"},
};

// A title band; height 0 keeps the default height of a new band.
rl::TBand& TitleBand(rl::TOstrekReport& AOwner, const TRows& rows, double height) {
    rl::TBand& band = AOwner.NewBand(false);
    Layout(band, rows, TValues{}, true);
    if (height > 0) band.Height = height;
    return band;
}

// ---------------------------------------------------------------------------------------------
// Table bands of sections 1 to 5

enum class TAmount { Kopecks, Roubles };
enum class TDash {
    None,
    Always, // the line shows "----" whenever its amount is zero
    IfZero  // "----" only when the amount as passed is exactly zero, not when it rounds to zero
};

struct TNote {
    double offset; // from the top of the row's caption
    const char* lines; // separated by "|"
};

// One row of a section table after the heading row. A sub-heading row (I, II ...) is shaded, has no
// number and line code and carries no amount; every other row carries the next of the band's
// amounts.
struct TSectionRow {
    bool subheading;
    const char* caption; // lines separated by "|"
    bool bold = false;
    TAmount amount = TAmount::Kopecks;
    TDash dash = TDash::None;
    std::vector<TNote> notes = {};
};

struct TSectionTable {
    std::vector<int> heights; // mm, the heading row first
    std::vector<TSectionRow> rows;
    bool kopecksHeading;
    int subheadingSize;
    bool subheadingBold;
    int captionSize, noteSize;
    double bandHeight;
};

constexpr auto kKop = TAmount::Kopecks;
constexpr auto kRub = TAmount::Roubles;

TSectionRow Subheading(const char* caption) { return TSectionRow{true, caption}; }

const char* const kPaidOnNotice = "Общая сумма налога, уплаченного на основании|"
                                  "налогового уведомления на уплату налога на доходы|"
                                  "физических лиц, а также уплаченного|"
                                  "налогоплательщиком самостоятельно";
const char* const kFinalHeading = "IV Расчет итоговой суммы налога, подлежащей к уплате (доплате) / возврату";

const TSectionTable kTable1 = {
    {11, 6, 9, 9, 9, 6, 20, 6, 14, 9, 10, 14, 16, 16, 15, 15},
    {
        Subheading("I Расчет общей суммы дохода, подлежащего налогообложению по ставке 13%"),
        {false, "Общая сумма дохода ", false, kKop, TDash::None,
         {{3.7, "(пп.2.1 Листа А + пп.2.1 Листа Б + пп.3.1 Листа В)"}}},
        {false, "Общая сумма дохода, не подлежащего налогообложению", false, kKop, TDash::None,
         {{3.7, "(пп.1.7 Листа Г)"}}},
        {false, "Общая сумма дохода, подлежащего налогообложению", false, kKop, TDash::None,
         {{3.7, "(Вычтите строку 020 из строки 010)"}}},
        Subheading("II Сумма расходов и налоговых вычетов, уменьшающих налоговую базу"),
        {false, "Общая сумма расходов и налоговых вычетов", false, kKop, TDash::None,
         {{3.2, "(пп.3.2 Листа В + пп.2.2 Листа Д + пп.2.2 Листа Е + пп.1.9 Листа Ж +|"
                "пп.2.3 Листа Ж + пп.4.3 Листа З +пп.4.3 Листа И + пп.2.8 Листа К +"},
          {9.6, "пп.3.6 Листа К + пп.2.5 Листа Л + пп.2.6 Листа Л + пп.2.8 Листа Л + |"
                "пп.2.9 Листа Л)"}}},
        Subheading("III Расчет налоговой базы"),
        {false, "Налоговая база", false, kKop, TDash::Always,
         {{3.2, "(Вычтите строку 040 из стороки 030. Если результат получился|"
                "отрицательным, то в данной строке ставится прочерк)"}}},
        Subheading(kFinalHeading),
        {false, "Сумма налога, исчисленного к уплате", true, kRub, TDash::None,
         {{3.2, "(Умножьте значение строки 050 на 0,13)"}}},
        {false, "Общаяя сумма налога, уплаченного у источника|выплаты и уплаченного в виде авансовых платежей", true,
         kRub, TDash::None, {{6.4, "(пп.2.4 Листа А + пп.3.4 Листа В)"}}},
        {false, kPaidOnNotice, true, kRub},
        {false, "Сумма налога, уплаченная в иностранных|государствах, подлежащая зачету в Российской|Федерации", true,
         kRub, TDash::None, {{9.6, "(пп.2.4 Листа Б)"}}},
        {false, "Сумма налога, подлежащая возврату из бюджета", true, kRub, TDash::IfZero,
         {{3.2, "(Вычтите строку 060 из суммы строк 070 и 080. Если значение|"
                "строки 060 больше или равно сумме строк 070 и 080, то в строке|"
                "100 ставится прочерк)"}}},
        {false, "Сумма налога, подлежащая к уплате (доплате) в бюджет", true, kRub, TDash::IfZero,
         {{3.2, "(Вычтите сумму строк 070, 080 и 090 из строки 060. Если|"
                "значение строки 060 меньше суммы строк 070, 080 и 090, то в|"
                "строке 110 ставится прочерк)"}}},
    },
    true, 10, true, 8, 7, 211,
};

const TSectionTable kTable2 = {
    {11, 6, 9, 9, 9, 6, 11, 6, 12, 6, 12, 12, 16, 15, 15},
    {
        Subheading("I Расчет общей суммы дохода, облагаемой по ставке 30%"),
        {false, "Общая сумма дохода", false, kKop, TDash::None, {{3.7, "(пп.2.1 Листа А)"}}},
        {false, "Общая сумма дохода, не подлежащего налогообложению", false, kKop, TDash::None,
         {{3.7, "(пп.1.7 Листа Г + пп.2.1 Листа Г)"}}},
        {false, "Общая сумма дохода, подлежащего налогообложению", false, kKop, TDash::None,
         {{3.7, "(Вычтите строку 020 из стороки 010)"}}},
        Subheading("II Сумма расходов, уменьшающих налоговую базу"),
        {false, "Общая сумма расходов", false, kKop, TDash::None, {{3.2, "(пп.4.3 Листа З + пп.4.3 Листа|И)"}}},
        Subheading("III Расчет налоговой базы"),
        {false, "Налоговая база", false, kKop, TDash::Always,
         {{3.2, "(Вычтите строку 040 из стороки 030. Если результат получился|"
                "отрицательным, то в данной строке ставится прочерк)"}}},
        Subheading(kFinalHeading),
        {false, "Сумма налога, исчисленного к уплате", true, kRub, TDash::None, {{3.2, "(пп.2.3 Листа А)"}}},
        {false, "Сумма налога, уплаченного у источника выплаты", true, kRub, TDash::None, {{3.2, "(пп.2.4 Листа А)"}}},
        {false, kPaidOnNotice, true, kRub},
        {false, "Сумма налога, подлежащая возврату из бюджета", true, kRub, TDash::IfZero,
         {{3.2, "(Вычтите строку 060 из суммы строк 070 и 080. Если значение|"
                "строки 060 больше или равно сумме строк 070 и 080, то в|"
                "строке 090 ставится прочерк)"}}},
        {false, "Сумма налога, подлежащая к уплате (доплате) в бюджет", true, kRub, TDash::IfZero,
         {{3.2, "(Вычтите сумму строк 070 и 080 из строки 060. Если значение|"
                "строки 060 меньше суммы строк 070 и 080, то в строке 100|"
                "ставится прочерк)"}}},
    },
    true, 10, true, 8, 7, 196,
};

const TSectionTable kTable3 = {
    {11, 6, 9, 6, 9, 6, 11, 6, 12, 12, 16, 16, 15, 15},
    {
        Subheading("I Общая сумма дохода, облагаемого по ставке 35%"),
        {false, "Общая сумма дохода", false, kKop, TDash::None, {{3.7, "(пп.2.1 Листа А + пп.2.1 Листа Б)"}}},
        Subheading("II Общая сумма дохода, не подлежащего налогообложению"),
        {false, "Общая сумма дохода", false, kKop, TDash::None, {{3.7, "(пп.2.1 Листа Г)"}}},
        Subheading("III Расчет налоговой базы"),
        {false, "Налоговая база", false, kKop, TDash::Always,
         {{3.2, "(Вычтите строку 020 из стороки 010. Если результат получился|"
                "отрицательным, то в данной строке ставится прочерк)"}}},
        Subheading(kFinalHeading),
        {false, "Сумма налога, исчисленного к уплате", true, kRub, TDash::None,
         {{3.2, "(пп.2.3 Листа А + пп.2.3 Листа Б)"}}},
        {false, "Сумма налога, уплаченного у источника выплаты", true, kRub, TDash::None, {{3.2, "(пп.2.4 Листа А)"}}},
        {false, kPaidOnNotice, true, kRub},
        {false, "Сумма налога, уплаченная в иностранных государствах,|подлежащая зачету в Российской Федерации", true,
         kRub, TDash::None, {{6.4, "(пп.2.4 Листа Б)"}}},
        {false, "Сумма налога, подлежащая возврату из бюджета", true, kRub, TDash::IfZero,
         {{3.2, "(Вычтите строку 040 из суммы строк 050 и 060. Если|"
                "значение строки 040 больше или равно сумме строк 050|"
                "и 060, то в строке 080 ставится прочерк.)"}}},
        {false, "Сумма налога, подлежащая к уплате (доплате) в бюджет", true, kRub, TDash::IfZero,
         {{3.2, "(Вычтите сумму строк 050, 060 и 070 из строки 040.|"
                "Если значение строки 040 меньше суммы строк 050, 060|"
                "и 070, то в строке 090 ставится прочерк.)"}}},
    },
    true, 10, true, 8, 7, 211,
};

const TSectionTable kTable4 = {
    {11, 6, 9, 6, 12, 8, 12, 12, 16, 16, 15, 15},
    {
        Subheading("I Общая сумма дохода, облагаемого по ставке 9%"),
        {false, "Общая сумма дохода", false, kKop, TDash::None, {{3.7, "(пп.2.1 Листа А + пп.2.1 Листа Б)"}}},
        Subheading("II Расчет налоговой базы"),
        {false, "Налоговая база", false, kKop, TDash::None, {{3.2, "(пп.2.2 Листа А + пп.2.1 Листа Б)"}}},
        Subheading("III Расчет итоговой суммы налога, подлежащей к уплате (доплате) / возврату"),
        {false, "Сумма налога, исчисленного к уплате", true, kRub, TDash::None,
         {{3.2, "(Умножьте значение строки 020 на 0,09)"}}},
        {false, "Сумма налога, уплаченного у источника выплаты", true, kRub, TDash::None, {{3.2, "(пп.2.4 Листа А)"}}},
        {false, kPaidOnNotice, true, kRub},
        {false, "Сумма налога, уплаченная в иностранных государствах,|подлежащая зачету в Российской Федерации", true,
         kRub, TDash::None, {{6.4, "(пп.2.4 Листа Б)"}}},
        {false, "Сумма налога, подлежащая возврату из бюджета", true, kRub, TDash::IfZero,
         {{3.2, "(Вычтите строку 030 из суммы строк 040 и 050. Если значение|"
                "строки 030 больше суммы строк 040 и 050, то в строке 070|"
                "ставится прочерк.)"}}},
        {false, "Сумма налога, подлежащая к уплате (доплате) в бюджет", true, kRub, TDash::IfZero,
         {{3.2, "(Вычтите сумму строк 040, 050 и 060 из строки 030. Если значение|"
                "строки 030 меньше или равно сумме строк 040, 050 и 060, то в строке|"
                "080 ставится прочерк.)"}}},
    },
    true, 10, true, 8, 7, 204,
};

const TSectionTable kTable5 = {
    {11, 6, 15, 15, 6, 25, 25},
    {
        Subheading("I Сумма налога с доходов, облагаемых по различным ставкам"),
        {false, "Общая сумма налога к возврату", false, kRub, TDash::None,
         {{5.2, "(строка 100 раздела 1 + строка 090 раздела 2 + строка 080|"
                "раздела 3 + строка 070 раздела 4)"}}},
        {false, "Общая сумма налога к уплате (доплате)", false, kRub, TDash::None,
         {{5.2, "(строка 110 раздела 1 + строка 100 раздела 2 + строка 090|"
                "раздела 3 + строка 080 раздела 4)"}}},
        Subheading("II Расчет итоговой суммы налога, подлежащей к уплате (доплате) / возврату"),
        {false, "Итоговая сумма налога, подлежащая возврату из|бюджета", true, kRub, TDash::IfZero,
         {{8.4, "(Вычтите строку 020 из строки 010. Если значение строки|"
                "020 больше или равно значению строки 010, то в строке 030|"
                "ставится прочерк.)"}}},
        {false, "Итоговая сумма налога, подлежащая к уплате|(доплате) в бюджет", true, kRub, TDash::IfZero,
         {{8.4, "(Вычтите строку 010 из строки 020. Если значение строки|"
                "020 меньше значения строки 010, то в строке 040 ставится|"
                "прочерк.)"}}},
    },
    false, 11, false, 9, 8, 209,
};

QStringList SplitLines(const char* lines) { return QString::fromUtf8(lines).split(QLatin1Char('|')); }

// The barcode images of a table band: 10 x 50 mm at the right edge of the page.
void Barcodes(rl::TBand& band, const TBuildContext& ctx, int firstImage) {
    AddBarcodeImages(band, ctx, firstImage, {15, 85, 155});
}

// Draws the table, its captions and amounts: the caption of row r starts 1 mm below the row's top,
// its amount stands at X 170 halfway down the row.
rl::TBand& TableBand(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const TSectionTable& table,
                     const Currency* amounts, int firstImage) {
    rl::TBand& band = AOwner.NewBand(false);
    const int rowCount = static_cast<int>(table.heights.size());
    std::vector<bool> subheading(table.heights.size(), false);
    for (std::size_t r = 1; r < table.heights.size(); ++r) subheading[r] = table.rows.at(r - 1).subheading;
    mbTable::Create(band, table.heights, subheading, subheading, rowCount, table.kopecksHeading);

    double y = 1;
    int next = 0;
    for (int r = 1; r < rowCount; ++r) {
        y += table.heights[static_cast<std::size_t>(r - 1)];
        const TSectionRow& row = table.rows[static_cast<std::size_t>(r - 1)];
        if (row.subheading) {
            mbLabel::Create(18, y, QString::fromUtf8(row.caption), table.subheadingSize, band, table.subheadingBold);
            continue;
        }
        mbLabel::CreateLines(18, y, SplitLines(row.caption), table.captionSize, band, row.bold);
        for (const TNote& note : row.notes) mbLabel::CreateLines(18, y + note.offset, SplitLines(note.lines), table.noteSize, band, false);

        const Currency amount = amounts[next++];
        const double top = y + table.heights[static_cast<std::size_t>(r)] / 2.0;
        const bool dash = row.dash == TDash::Always || (row.dash == TDash::IfZero && amount.IsZero());
        if (row.amount == TAmount::Kopecks)
            mbRekNum::CreateCurrency(170, top, amount, band, dash);
        else
            mbRekNum::CreateRubles(170, top, RoundHalfUpRoubles(amount), band, dash);
    }
    band.Height = table.bandHeight;
    Barcodes(band, ctx, firstImage);
    return band;
}

// ---------------------------------------------------------------------------------------------
// Table band of section 6

const TRows kR6Choice = {
    Caption{7, 1, 9, kPlain, "(Код строки 010)"},
    Frame{67, 1, 4.8, 4},
    Frame{127, 1, 4.8, 4},
};

// The character boxes of this band put their characters 1.1 mm into the box.
const TRows kR6Rows = {
    Caption{7, 6, 8, kPlain, "(нужное отметить знаком V)"},
    Caption{62, 6, 7, kPlain, "уплата (доплата) в бюджет"},
    Caption{109, 6, 7, kPlain, "возврат из бюджета"},
    Caption{29, 21, 9, kPlain, "Показатели"},
    CaptionLines{77, 21, 9, false, "   Код|строки"},
    Caption{127, 21, 9, kPlain, "Значения показателей"},
    Caption{7, 36, 12, kPlain, "Код бюджетной классификации"},
    Caption{75, 36, 12, kPlain, "020"},
    CharBoxes{88, 35, 20, "KBK", 1.1},
    Caption{7, 45, 12, kPlain, "Код по ОКАТО"},
    Caption{75, 45, 12, kPlain, "030"},
    CharBoxes{88, 44, 11, "OKATO", 1.1},
    Caption{7, 54, 12, kPlain, "Сумма налога, подлежащая"},
    Caption{75, 54, 12, kPlain, "040"},
    CharBoxes{88, 53, 15, "Pay", 1.1},
    Caption{7, 62, 12, kPlain, "уплате (доплате) в бюджет"},
    Caption{7, 72, 12, kPlain, "Сумма налога, подлежащая"},
    Caption{75, 72, 12, kPlain, "050"},
    CharBoxes{88, 71, 15, "Refund", 1.1},
    Caption{7, 80, 12, kPlain, "возврату из бюджета"},
};

// ---------------------------------------------------------------------------------------------

template <std::size_t N>
std::array<Currency, N> Figures(std::initializer_list<Currency> lines) {
    std::array<Currency, N> out{};
    std::copy(lines.begin(), lines.end(), out.begin());
    return out;
}

} // namespace

rl::TBand& clTop1(rl::TOstrekReport& AOwner, bool) { return TitleBand(AOwner, kTop1, 0); }
rl::TBand& clTop2(rl::TOstrekReport& AOwner, bool) { return TitleBand(AOwner, kTop2, 0); }
rl::TBand& clTop3(rl::TOstrekReport& AOwner, bool) { return TitleBand(AOwner, kTop3, 0); }
rl::TBand& clTop4(rl::TOstrekReport& AOwner, bool) { return TitleBand(AOwner, kTop4, 0); }
rl::TBand& clTop5(rl::TOstrekReport& AOwner, bool) { return TitleBand(AOwner, kTop5, 20); }
rl::TBand& clTop6(rl::TOstrekReport& AOwner, bool) { return TitleBand(AOwner, kTop6, 20); }

rl::TBand& clR1(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const std::array<Currency, 11>& Lines, bool) {
    return TableBand(AOwner, ctx, kTable1, Lines.data(), 6);
}
rl::TBand& clR2(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const std::array<Currency, 10>& Lines,
                int FirstImage, bool) {
    return TableBand(AOwner, ctx, kTable2, Lines.data(), FirstImage);
}
rl::TBand& clR3(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const std::array<Currency, 9>& Lines,
                int FirstImage, bool) {
    return TableBand(AOwner, ctx, kTable3, Lines.data(), FirstImage);
}
rl::TBand& clR4(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const std::array<Currency, 8>& Lines,
                int FirstImage, bool) {
    return TableBand(AOwner, ctx, kTable4, Lines.data(), FirstImage);
}
rl::TBand& clR5(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const std::array<Currency, 4>& Lines,
                int FirstImage, bool) {
    return TableBand(AOwner, ctx, kTable5, Lines.data(), FirstImage);
}

rl::TBand& clR6(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const QString& Indicator, const QString& KBK,
                const QString& OKATO, Currency Amount, int FirstImage, bool) {
    rl::TBand& band = AOwner.NewBand(false);
    const bool pay = Indicator == QLatin1String("1"), refund = Indicator == QLatin1String("2");
    Layout(band, kR6Choice, TValues{}, true);
    if (pay || refund) mbLabel::Create(pay ? 68 : 128, 1, QStringLiteral("V"), 8, band, true);

    const QString amount = RoublesInFifteenBoxes(Amount), blank(15, QLatin1Char(' '));
    TValues values;
    values.Texts = {{"KBK", KBK}, {"OKATO", OKATO}, {"Pay", pay ? amount : blank}, {"Refund", refund ? amount : blank}};
    Layout(band, kR6Rows, values, true);
    band.Height = 180;
    Barcodes(band, ctx, FirstImage);
    return band;
}

// ---------------------------------------------------------------------------------------------
// Builders

bool BuildRazdel1(rl::TOstrekReport& report, const TBuildContext& ctx) {
    // Form 4-NDFL has the estimated-income page in place of section 1.
    if (ctx.DanLog.DeclDan->DeclarationKind == 2) return BuildNR2(report, ctx);
    const kTSvodSumList1& s = ctx.SvodSum.List1;
    PageHeader(report, ctx, skRazdel1, 0);
    clTop1(report, true);
    clR1(report, ctx,
         Figures<11>({s.Line010, s.Line020, s.Line030, s.Line040, s.Line050, s.Line060, s.Line070, s.Line080, s.Line090,
                      s.Line100, s.Line110}),
         true);
    PageFooter(report, ctx);
    return true;
}

bool BuildRazdel2(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTSvodSumList2& s = ctx.SvodSum.List2;
    PageHeader(report, ctx, skRazdel2, 0);
    clTop2(report, true);
    clR2(report, ctx,
         Figures<10>({s.Line010, s.Line020, s.Line030, s.Line040, s.Line050, s.Line060, s.Line070, s.Line080, s.Line090,
                      s.Line100}),
         3 * ctx.Plan.SheetFirstPage[skRazdel2], true);
    PageFooter(report, ctx);
    return true;
}

bool BuildRazdel3(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTSvodSumList3& s = ctx.SvodSum.List3;
    PageHeader(report, ctx, skRazdel3, 0);
    clTop3(report, true);
    clR3(report, ctx,
         Figures<9>({s.Line010, s.Line020, s.Line030, s.Line040, s.Line050, s.Line060, s.Line070, s.Line080, s.Line090}),
         3 * ctx.Plan.SheetFirstPage[skRazdel3], true);
    PageFooter(report, ctx);
    return true;
}

bool BuildRazdel4(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTSvodSumList4& s = ctx.SvodSum.List4;
    PageHeader(report, ctx, skRazdel4, 0);
    clTop4(report, true);
    clR4(report, ctx, Figures<8>({s.Line010, s.Line020, s.Line030, s.Line040, s.Line050, s.Line060, s.Line070, s.Line080}),
         3 * ctx.Plan.SheetFirstPage[skRazdel4], true);
    PageFooter(report, ctx);
    return true;
}

bool BuildRazdel5(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTSvodSumList5& s = ctx.SvodSum.List5;
    PageHeader(report, ctx, skRazdel5, 0);
    clTop5(report, true);
    clR5(report, ctx, Figures<4>({s.Line010, s.Line020, s.Line030, s.Line040}), 3 * ctx.Plan.SheetFirstPage[skRazdel5],
         true);
    PageFooter(report, ctx);
    return true;
}

bool BuildRazdel6(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const std::vector<bmTList1>& entries = ctx.SvodSum.List6.Entries;
    const int first = ctx.Plan.SheetFirstPage[skRazdel6];
    // One page per entry; the plan counts the entries, and never more pages than there are.
    const int pages = std::min<int>(ctx.Plan.SheetPageCount[skRazdel6], static_cast<int>(entries.size()));
    for (int i = 0; i < pages; ++i) {
        const bmTList1& e = entries[static_cast<std::size_t>(i)];
        PageHeader(report, ctx, skRazdel6, i);
        clTop6(report, true);
        clR6(report, ctx, QString::fromStdString(e.Indicator), QString::fromStdString(e.KBK),
             QString::fromStdString(e.OKATO), e.Amount, 3 * (first + i), true);
        PageFooter(report, ctx);
    }
    return true;
}
