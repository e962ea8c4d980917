// The pages of form 4-NDFL: the title page and the estimated-income page.
//
// Both pages draw their own box rows: Count rectangles from one Left (widths 5, 10, ... 5·Count),
// which show as adjacent 5 mm boxes, with one label per character whose pitch is not always 5 mm.
// The layouts are tables of rows; the rows of the common interpreter are handed to Layout(), the
// box rows, character rows, cell rules, ticks and the page code are read here.
#include "sheets/ClassesTitul.h"

#include "report/ClassesLogDan.h"

#include <utility>
#include <variant>

namespace {

enum class TCharFont {
    Default, // the report's default font, "Arial" 10 bold
    Unreal,  // "Unreal" 10 bold
};

// The page code in barcode bars; text: the value's name.
struct TCode {
    double left, top;
    const char* value;
};

// Count adjacent boxes 5 mm wide.
struct TBoxes {
    double left, top;
    int count;
    double height = 6;
};

// The characters first .. first + count - 1 of a value, one label each at Left + pitch·k; an empty
// label past the value's end. Printed only with the values unless `always` is set.
struct TChars {
    double left, top, pitch;
    const char* value;
    int first, count;
    TCharFont font = TCharFont::Unreal;
    bool always = false;
};

// Count vertical rules 6 mm high (or `height`), pitch apart: the walls of a row of cells.
struct TRules {
    double left, top, pitch;
    int count;
    double height = 6;
};

// A "V" in one of several boxes: at the Left paired with the value; at `otherwise` when no pair
// matches, or no tick at all when `otherwise` is negative.
struct TTick {
    double top;
    const char* value;
    std::vector<std::pair<const char*, double>> at;
    double otherwise = -1;
};

// A label holding a value, "Unreal" 10 bold, created only when the value is given.
struct TFree {
    double left, top;
    const char* value;
};

// A fixed-size label of several lines, "Unreal" 8: the text wraps at its width.
struct TBlock {
    double left, top, width, height;
    const char* value;
};

using TNRRow = std::variant<TLayoutRow, TCode, TBoxes, TChars, TRules, TTick, TFree, TBlock>;

template <class... F>
struct TOverload : F... {
    using F::operator()...;
};
template <class... F>
TOverload(F...) -> TOverload<F...>;

QString Value(const TValues& values, const char* name) {
    const auto it = values.Texts.find(name);
    return it != values.Texts.end() ? it->second : QString();
}

// Creates the rows on the band in order. Captions, text fields and ticks always print; the
// characters of the box rows only with printValues.
void LayoutNR(rl::TBand& band, const std::vector<TNRRow>& rows, const TValues& values, bool printValues) {
    for (const TNRRow& row : rows) {
        std::visit(TOverload{
                       [&](const TLayoutRow& r) { Layout(band, {r}, values, true); },
                       [&](const TCode& r) { band.AddPageCode(r.left, r.top, Value(values, r.value)); },
                       [&](const TBoxes& r) {
                           for (int i = 0; i < r.count; ++i) band.AddRect(r.left, r.top, 5.0 * (i + 1), r.height);
                       },
                       [&](const TChars& r) {
                           if (!printValues && !r.always) return;
                           const QString text = Value(values, r.value);
                           const rl::TFontSpec font = r.font == TCharFont::Default ? fonts::Arial(10, true) : fonts::Unreal(10, true);
                           for (int k = 0; k < r.count; ++k) {
                               const int i = r.first + k;
                               band.AddLabel(r.left + r.pitch * k, r.top, i < text.size() ? QString(text[i]) : QString(), font);
                           }
                       },
                       [&](const TRules& r) {
                           for (int k = 0; k < r.count; ++k) band.AddVLine(r.left + r.pitch * k, r.top, r.height);
                       },
                       [&](const TTick& r) {
                           const QString v = Value(values, r.value);
                           double left = r.otherwise;
                           for (const auto& [key, x] : r.at)
                               if (v == QString::fromUtf8(key)) left = x;
                           if (left >= 0) band.AddLabel(left, r.top, QStringLiteral("V"), fonts::Unreal(10, true));
                       },
                       [&](const TFree& r) {
                           const auto it = values.Texts.find(r.value);
                           if (it != values.Texts.end()) band.AddLabel(r.left, r.top, it->second, fonts::Unreal(10, true));
                       },
                       [&](const TBlock& r) {
                           rl::TElement& e = band.AddLabel(r.left, r.top, Value(values, r.value), fonts::Unreal(8));
                           e.width = r.width;
                           e.height = r.height;
                       },
                   },
                   row);
    }
}

// "ddmmyyyy"
QString DateDigits(TDateTime date) {
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    const QChar zero(QLatin1Char('0'));
    return QStringLiteral("%1%2%3").arg(d, 2, 10, zero).arg(m, 2, 10, zero).arg(y, 4, 10, zero);
}

QString TwoDigits(QString code) { return code.size() == 1 ? code.prepend(QLatin1Char('0')) : code; }

// ---------------------------------------------------------------------------------------------
// The title page

const std::vector<TNRRow>& TitulRows() {
    static const std::vector<TNRRow> rows = {
        TCode{9, 9, "PageCode"},
        TLayoutRow{TRow::Label, 47, 7, 9, 0, "ИНН"},
        TBoxes{65, 5, 12},
        TChars{66.2, 6, 5, "INN", 0, 12, TCharFont::Default},
        TLayoutRow{TRow::Label, 157, 6, 8, 0, "Приложение № 1"},
        TLayoutRow{TRow::Label, 152, 9.2, 8, 0, "к приказу МНС России"},
        TLayoutRow{TRow::Label, 147, 12.4, 8, 0, "от"},
        TLayoutRow{TRow::Label, 150, 12.4, 8, kUnderline, "    15    "},
        TLayoutRow{TRow::Label, 162, 12.4, 8, kUnderline, "     июня     "},
        TLayoutRow{TRow::Label, 179, 12.4, 8, 0, "2004 г."},
        TLayoutRow{TRow::Label, 147, 15.6, 8, 0, "№ "},
        TLayoutRow{TRow::Label, 150, 15.8, 8, kUnderline, "      САЭ - 3 - 04 / 366@      "},
        TLayoutRow{TRow::Label, 47, 14, 9, 0, "Стр."},
        TBoxes{65, 11.5, 3},
        TChars{66.2, 12.5, 5, "PageNo", 0, 3},
        TLayoutRow{TRow::Label, 145, 21.5, 11, 0, "Форма по КНД 1151021"},
        TLayoutRow{TRow::Label, 79, 24.5, 11, 0, "Налоговая декларация"},
        TLayoutRow{TRow::Label, 51, 28, 11, 0, "по налогу на доходы физических лиц (форма 4-НДФЛ)"},
        TLayoutRow{TRow::Label, 7, 33, 6, 0, "Вид документа: 1 - первичный, 3 - корректирующий (через дробь номер корректировки)"},
        TLayoutRow{TRow::Lines, 7, 36.5, 7, 0, "         Вид|документа"},
        TLayoutRow{TRow::Label, 124, 37.2, 7, 0, "Отчетный год"},
        TLayoutRow{TRow::Label, 27, 36.8, 15, 0, "/"},
        TFree{21.2, 37.5, "Kind"},
        TFree{31.2, 37.5, "Correction"},
        TBoxes{20, 36.5, 1},
        TBoxes{30, 36.5, 1},
        TBoxes{154, 36.5, 4},
        TChars{155.2, 37.5, 4.8, "ReportYear", 0, 4},
        TLayoutRow{TRow::Label, 7, 44, 8, 0, "Представляется в"},
        TLayoutRow{TRow::Label, 157, 44, 8, 0, "Код"},
        TBlock{35, 42, 120, 16, "InspectionName"},
        TBoxes{163, 43, 4},
        TChars{164.2, 44, 4.8, "InspectionCode", 0, 4},
        TLayoutRow{TRow::Label, 82, 49, 6, 0, "(наименование налогового органа)"},
        TLayoutRow{TRow::Lines, 7, 52, 8, 0, "по месту|жительства"},
        TLayoutRow{TRow::Label, 50, 52, 7, 0, "предпринимателя"},
        TLayoutRow{TRow::Lines, 81, 52, 7, 0, "  частного|нотариуса"},
        TLayoutRow{TRow::Label, 111, 52, 7, 0, "адвоката"},
        TTick{53, "Status", {{"1", 73.2}, {"2", 104.2}, {"3", 127.2}}},
        TBoxes{72, 52, 1},
        TBoxes{103, 52, 1},
        TBoxes{126, 52, 1},
        TLayoutRow{TRow::Label, 92, 58, 6, 0, "(нужное отметить знаком V)"},
        TLayoutRow{TRow::Label, 7, 63, 8, 0, "Фамилия"},
        TBoxes{21, 61, 33, 5},
        TChars{22.2, 61.2, 5, "Surname", 0, 33},
        TLayoutRow{TRow::Label, 7, 68.5, 8, 0, "Имя"},
        TBoxes{21, 66.5, 33, 5},
        TChars{22.2, 66.7, 5, "FirstName", 0, 33},
        TLayoutRow{TRow::Label, 7, 74, 8, 0, "Отчество"},
        TBoxes{21, 72, 33, 5},
        TChars{22.2, 72.2, 5, "Patronymic", 0, 33},
        TLayoutRow{TRow::Lines, 7, 79.5, 8, 0, "Номер страхового|свидетельства в ПФР"},
        TBoxes{47, 79.5, 3},
        TBoxes{68, 79.5, 3},
        TBoxes{90, 79.5, 3},
        TBoxes{112, 79.5, 2},
        TChars{48.2, 80.5, 4.8, "InsuranceNumber", 0, 3},
        TChars{69.2, 80.5, 4.8, "InsuranceNumber", 3, 3},
        TChars{91.2, 80.5, 5, "InsuranceNumber", 6, 3},
        TChars{113.2, 80.5, 4.8, "InsuranceNumber", 9, 2},
        TLayoutRow{TRow::Label, 7, 88, 8, 0, "Дата рождения"},
        TBoxes{42, 87, 2},
        TBoxes{57, 87, 2},
        TBoxes{72, 87, 4},
        TChars{43.2, 88, 4.8, "BirthDate", 0, 2},
        TChars{58.2, 88, 4.8, "BirthDate", 2, 2},
        TChars{73.2, 88, 4.8, "BirthDate", 4, 4},
        TLayoutRow{TRow::Label, 7, 94.5, 8, 0, "Пол                      Муж                        Жен"},
        TTick{94.5, "Sex", {{"1", 63.2}}, 43.2},
        TBoxes{42, 93.5, 1},
        TBoxes{62, 93.5, 1},
        TLayoutRow{TRow::Label, 77, 94.5, 6, 0, "(нужное отметить знаком V)"},
        TLayoutRow{TRow::Label, 7, 101.5, 8, 0, "Гражданство*"},
        TLayoutRow{TRow::Label, 156, 101.5, 8, 0, "Код страны**"},
        TLayoutRow{TRow::Text, 32, 104.7, 110, 0, "Citizenship"},
        TBoxes{173, 99.7, 3, 5},
        TChars{174.2, 99.9, 5, "CountryCode", 0, 3},
        TLayoutRow{TRow::Label, 7, 108.7, 8, 0, "Место рождения***"},
        TLayoutRow{TRow::Text, 37, 111.9, 151, 0, "Birthplace"},
        TLayoutRow{TRow::Label, 7, 115.9, 8, 0, "Вид документа, удостоверяющего личность"},
        TLayoutRow{TRow::Label, 156, 115.9, 8, 0, "Код документа"},
        TLayoutRow{TRow::Text, 75, 119.1, 79, 0, "DocumentTypeName"},
        TBoxes{178, 114.1, 2, 5},
        TChars{179.2, 114.3, 5, "DocumentCode", 0, 2},
        TLayoutRow{TRow::Label, 7, 123.1, 8, 0, "Серия и номер документа, удостоверяющего личность"},
        TLayoutRow{TRow::Text, 91, 126.3, 97, 0, "DocumentNumber"},
        TLayoutRow{TRow::Label, 7, 130.3, 8, 0, "Кем выдан"},
        TLayoutRow{TRow::Text, 31, 133.5, 150, 0, "IssuedBy"},
        TLayoutRow{TRow::Label, 7, 137.5, 8, 0, "Дата выдачи документа"},
        TBoxes{42, 136.5, 2},
        TBoxes{57, 136.5, 2},
        TBoxes{72, 136.5, 4},
        TChars{43.2, 137.5, 4.8, "IssueDate", 0, 2},
        TChars{58.2, 137.5, 4.8, "IssueDate", 2, 2},
        TChars{73.2, 137.5, 4.8, "IssueDate", 4, 4},
        TLayoutRow{TRow::Label, 7, 142.5, 8, kItalic, "Адрес места жительства в Российской Федерации:"},
        TLayoutRow{TRow::Label, 7, 148.5, 8, 0, "Почтовый индекс"},
        TBoxes{37, 147.5, 6},
        TChars{38.2, 148.5, 4.8, "PostIndex", 0, 6},
        TLayoutRow{TRow::Label, 7, 155.5, 8, 0, "Субъект Российской Федерации"},
        TLayoutRow{TRow::Label, 160, 155.5, 8, 0, "Код"},
        TLayoutRow{TRow::Text, 59, 158.7, 95, 0, "RegionName"},
        TBoxes{178, 153.7, 2, 5},
        TChars{179.2, 153.9, 5, "RegionCode", 0, 2},
        TLayoutRow{TRow::Label, 7, 162.7, 8, 0, "Район"},
        TLayoutRow{TRow::Text, 23, 165.9, 165, 0, "District"},
        TLayoutRow{TRow::Label, 7, 169.9, 8, 0, "Город"},
        TLayoutRow{TRow::Text, 23, 173.1, 165, 0, "City"},
        TLayoutRow{TRow::Label, 7, 177.1, 8, 0, "Населенный пункт (село, поселок и т.д.)"},
        TLayoutRow{TRow::Text, 72, 180.3, 116, 0, "Settlement"},
        TLayoutRow{TRow::Label, 7, 184.3, 8, 0, "Улица (проспект, переулок и т.д.)"},
        TLayoutRow{TRow::Text, 62, 187.5, 126, 0, "Street"},
        TLayoutRow{TRow::Label, 7, 191.5, 8, 0, "Номер дома (владения)"},
        TLayoutRow{TRow::Text, 48, 194.7, 140, 0, "House"},
        TLayoutRow{TRow::Label, 7, 198.7, 8, 0, "Номер корпуса (строения)"},
        TLayoutRow{TRow::Text, 52, 201.9, 136, 0, "Building"},
        TLayoutRow{TRow::Label, 7, 205.9, 8, 0, "Номер квартиры"},
        TLayoutRow{TRow::Text, 48, 209.1, 140, 0, "Flat"},
        TLayoutRow{TRow::Label, 7, 215.1, 8, 0, "Адрес места жительства за пределами Российской Федерации*"},
        TLayoutRow{TRow::Text, 107, 219.1, 80, 0, "AddressAbroad"},
        // A frame of 179 x 9 mm that draws only its top and bottom edges.
        TLayoutRow{TRow::HLine, 7, 220.1, 179},
        TLayoutRow{TRow::HLine, 7, 229.1, 179},
        TLayoutRow{TRow::Label, 7, 222.1, 8, 0, "Данная декларация составлена на                             страницах"},
        TBoxes{57, 221.1, 3},
        TChars{58.2, 222.1, 4.8, "PageCount", 0, 3},
        TLayoutRow{TRow::Rect, 81, 231.1, 0.2, 55},
        TLayoutRow{TRow::Lines, 7, 229.1, 8, 0, "Достоверность и полноту сведений,|указанных в настоящей декларации, подтверждаю:"},
        TLayoutRow{TRow::Label, 93, 230.1, 8, 0, "Заполняется работником налогового органа"},
        TLayoutRow{TRow::Label, 92, 234.6, 8, 0, "Сведения о представлении налоговой декларации"},
        TLayoutRow{TRow::Label, 103, 237.6, 8, 0, "Данная декларация представленна"},
        TLayoutRow{TRow::Label, 107, 241.1, 8, 0, "(нужное отметить знаком V)"},
        TLayoutRow{TRow::Label, 83, 246.6, 8, 0, "лично"},
        TLayoutRow{TRow::Label, 107, 246.6, 8, 0, "по почте"},
        TLayoutRow{TRow::Lines, 149, 246.6, 8, 0, "уполномоченным|представителем"},
        TBoxes{95, 244.6, 1},
        TBoxes{125, 244.6, 1},
        TBoxes{175, 244.6, 1},
        TLayoutRow{TRow::Label, 83, 253.6, 8, 0, "на страницах"},
        TBoxes{127, 252.6, 3},
        TLayoutRow{TRow::Label, 7, 253.6, 8, 0, "Подпись   _________________________________"},
        TLayoutRow{TRow::Lines, 83, 266.6, 8, 0, "Дата представления|декларации"},
        TLayoutRow{TRow::Label, 7, 269.8, 8, 0, "Дата"},
        TBoxes{25, 266.6, 2},
        TBoxes{40, 266.6, 2},
        TBoxes{55, 266.6, 4},
        TChars{26.2, 267.6, 5, "DateText", 0, 2, TCharFont::Default},
        TChars{41.2, 267.6, 5, "DateText", 2, 2, TCharFont::Default},
        TChars{56.2, 267.6, 5, "DateText", 4, 4, TCharFont::Default},
        TBoxes{142, 266.6, 2},
        TBoxes{157, 266.6, 2},
        TBoxes{172, 266.6, 4},
        TLayoutRow{TRow::Label, 83, 273.6, 8, 0, "Зарегистрирована за №"},
        TLayoutRow{TRow::Lines, 7, 273.6, 8, 0,
                   "*   заполняется иностранными гражданами|**  код страны по классификатору ОКСМ (числовой)|"
                   "*** заполняется согласно свидетельству о рождении"},
        TBoxes{142, 273.6, 10},
        TLayoutRow{TRow::Label, 102, 279.6, 8, 0, "__________________________________"},
        TLayoutRow{TRow::Label, 164, 279.6, 8, 0, "__________________"},
        TLayoutRow{TRow::Label, 122, 283.1, 6, 0, "Фамилия И.О."},
        TLayoutRow{TRow::Label, 169, 283.1, 6, 0, "Подпись"},
    };
    return rows;
}

// ---------------------------------------------------------------------------------------------
// The estimated-income page

const std::vector<TNRRow>& NR2Rows() {
    static const std::vector<TNRRow> rows = {
        TCode{9, 9, "PageCode"},
        TLayoutRow{TRow::Label, 51, 9, 12, 1, "ИНН"},
        TLayoutRow{TRow::HLine, 70, 8, 57.6},
        TLayoutRow{TRow::HLine, 70, 14, 57.7},
        TRules{70, 8, 4.8, 13},
        TChars{71.2, 9, 4.8, "INN", 0, 12, TCharFont::Default},
        TLayoutRow{TRow::Label, 120, 16, 12, 1, "Стр."},
        TLayoutRow{TRow::HLine, 140, 15, 14.5},
        TLayoutRow{TRow::HLine, 140, 21, 14.5},
        TRules{140, 15, 4.8, 4},
        TChars{141.2, 16, 4.8, "PageNumber", 0, 3, TCharFont::Default},
        TLayoutRow{TRow::Label, 145, 22, 12, 1, "Форма по КНД 1151021"},
        TLayoutRow{TRow::ValueLabel, 166, 26, 12, 1, "Section"},
        TLayoutRow{TRow::Label, 5, 36, 9, 1, "Фамилия"},
        TLayoutRow{TRow::Label, 172.8, 36, 9, 1, "И."},
        TLayoutRow{TRow::Label, 185.1, 36, 9, 1, "О."},
        TLayoutRow{TRow::HLine, 22, 34, 173},
        TLayoutRow{TRow::HLine, 22, 40, 173},
        TRules{22, 34, 4.8, 32},
        TChars{23.3, 35, 4.8, "Surname", 0, 31},
        TLayoutRow{TRow::VLine, 178.3, 34, 6},
        TChars{179.6, 35, 0, "FirstInitial", 0, 1},
        TLayoutRow{TRow::VLine, 183.1, 34, 6},
        TLayoutRow{TRow::VLine, 190.6, 34, 6},
        TChars{191.9, 35, 0, "PatronymicInitial", 0, 1},
        TLayoutRow{TRow::VLine, 195, 34, 6},
        TLayoutRow{TRow::Label, 15, 56, 11, 1, "Раздел 1. Сумма предполагаемого дохода по данным налогоплательщика"},
        TLayoutRow{TRow::Label, 7, 74, 9, 0, "№"},
        TLayoutRow{TRow::Label, 51, 74, 9, 0, "Показатели"},
        TLayoutRow{TRow::Label, 103, 74, 9, 0, "Код"},
        TLayoutRow{TRow::Label, 129, 74, 9, 0, "Значение показателей   (руб.)"},
        TLayoutRow{TRow::Label, 7, 78, 9, 0, "п/п"},
        TLayoutRow{TRow::Label, 101, 78, 9, 0, "строки"},
        TLayoutRow{TRow::Label, 7, 90, 11, 0, "1        Сумма предполагаемого дохода"},
        TLayoutRow{TRow::Label, 103, 90, 11, 0, "010"},
        TBoxes{112, 90, 15},
        TChars{113.2, 91, 5, "EstimatedIncome", 0, 15, TCharFont::Unreal, true},
    };
    return rows;
}

} // namespace

// The title page of form 4-NDFL. Values by name: the filer's texts as the builder reads them
// ("INN" ... "DateText"); "Year", "Reserved" and "AppendixCount" are accepted and not printed.
// CorrectionNumber is 100 for a primary declaration; Status 1 to 3 ticks its box, any other
// value ticks none.
void clTitulNR(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const TValues& Values, int CorrectionNumber,
               int Status, bool PrintValues) {
    TValues v = Values;
    auto& t = v.Texts;
    t["PageCode"] = QStringLiteral("!5102!1016!");
    t["PageNo"] = QStringLiteral("001");
    t["ReportYear"] = QStringLiteral("2006");
    t["Kind"] = CorrectionNumber == 100 ? QStringLiteral("1") : QStringLiteral("3");
    t.erase("Correction");
    if (CorrectionNumber != 100) t["Correction"] = QString::number(CorrectionNumber);
    t["Status"] = QString::number(Status);
    const QString country = Value(Values, "CountryCode");
    t["CountryCode"] = country.isEmpty() ? QStringLiteral("643") : country.rightJustified(3, QLatin1Char(' '));
    t["DocumentCode"] = TwoDigits(Value(Values, "DocumentCode"));
    t["RegionCode"] = TwoDigits(Value(Values, "RegionCode"));
    t["InsuranceNumber"] = Value(Values, "InsuranceNumber").leftJustified(11, QLatin1Char(' '));

    rl::TBand& band = AOwner.NewBand(false);
    LayoutNR(band, TitulRows(), v, PrintValues);
    AddBarcodeImages(band, ctx, 0, {15, 85, 155});
    // The band keeps its default height: it is the only band of its report, and its children
    // print at their positions on the page all the same.
}

// The estimated-income page of form 4-NDFL; EstimatedIncome is printed as given, one character
// per box.
void clNR2(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const QString& INN, const QString& Surname,
           const QString& FirstInitial, const QString& PatronymicInitial, const QString& SectionCode,
           const QString& PageNumber, const QString& PageCode, const QString& EstimatedIncome, bool PrintValues) {
    TValues v;
    v.Texts = {{"INN", INN},
               {"Surname", Surname},
               {"FirstInitial", FirstInitial},
               {"PatronymicInitial", PatronymicInitial},
               {"Section", QStringLiteral("Раздел ") + SectionCode},
               {"PageNumber", PageNumber},
               {"PageCode", PageCode},
               {"EstimatedIncome", EstimatedIncome}};

    rl::TBand& band = AOwner.NewBand(true);
    LayoutNR(band, NR2Rows(), v, PrintValues);
    const rl::TElement& lastChar = band.Elements.back(); // the last character of the income
    const double height = lastChar.top + lastChar.height + 160;
    AddBarcodeImages(band, ctx, 3, {85, 155});
    band.Height = height;
}

bool BuildTitulNR(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTDanLog& log = ctx.DanLog;
    const kTPersonDan& p = *log.PersonDan;
    const kTDeclDan& g = *log.DeclDan;
    auto s = [](const std::string& text) { return QString::fromStdString(text); };

    TValues v;
    v.Texts = {
        {"INN", s(p.INN)},
        {"Year", QStringLiteral("2005")},
        {"InspectionName", s(g.InspectionName)},
        {"InspectionCode", s(g.InspectionNumber)},
        {"Surname", s(p.SurName)},
        {"FirstName", s(p.FirstName)},
        {"Patronymic", s(p.Patronymic)},
        {"InsuranceNumber", s(g.OGRNIP)}, // the general data's field holds the insurance number on this form
        {"BirthDate", DateDigits(p.BirthDate)},
        {"Citizenship", s(p.Inostr.Citizenship)},
        {"CountryCode", s(p.Inostr.CountryCode)},
        {"Birthplace", s(p.Mesto)},
        {"DocumentTypeName", s(p.DocTypeName)},
        {"DocumentNumber", s(p.Serial)},
        {"DocumentCode", QString::number(p.DocTypeCode)},
        {"IssuedBy", s(p.Kem)},
        {"IssueDate", DateDigits(p.RegDate)},
        {"PostIndex", s(p.PostIndex)},
        {"RegionName", s(p.RegionName)},
        {"RegionCode", QString::number(p.RegionCode)},
        {"District", s(p.District)},
        {"City", s(p.City)},
        {"Settlement", s(p.Area)},
        {"Street", s(p.Street)},
        {"House", s(p.House)},
        {"Building", s(p.Building)},
        {"Flat", s(p.Flat)},
        {"Reserved", QString()},
        {"AddressAbroad", s(p.Inostr.AddressAbroad)},
        {"PageCount", QString::number(log.PageTotal)},
        {"AppendixCount", QString::number(g.Appendixes)},
        {"Sex", s(p.Pol)},
        {"DateText", log.PrintDate ? DateDigits(g.FilingDate) : QString(9, QLatin1Char(' '))},
    };
    const int correction = g.Primary ? 100 : g.CorrectionNumber;
    clTitulNR(report, ctx, v, correction, g.FilerStatus, true);
    return true;
}

bool BuildNR2(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTPersonDan& p = *ctx.DanLog.PersonDan;
    const QString income = QString::fromStdString(ctx.DanLog.DeclDan->SupposeIncome.ToString(',')).rightJustified(15, QLatin1Char(' '));
    const QString first = QString::fromStdString(p.FirstName), patronymic = QString::fromStdString(p.Patronymic);
    clNR2(report, ctx, QString::fromStdString(p.INN), QString::fromStdString(p.SurName), first.left(1), patronymic.left(1),
          QStringLiteral("00001"), QStringLiteral("002"), QStringLiteral("!5102!1023!"), income, true);
    PageFooter(report, ctx);
    return true;
}
