// The pages of form 4-NDFL: the title page and the estimated-income page.
//
// Both pages draw their own box rows (Boxes) and put one label per character into them (Chars),
// at a pitch that is not always 5 mm; the text fields, ticks and the inspection's name show even
// when the page prints no values.
#include "sheets/ClassesTitul.h"

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesReportPlan.h"

namespace {

using namespace layout;

QString Value(const TValues& values, const char* name) {
    const auto it = values.Texts.find(name);
    return it != values.Texts.end() ? it->second : QString();
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

const TRows& TitulRows() {
    static const TRows rows = {
        PageCode{9, 9, "PageCode"},
        Caption{47, 7, 9, kPlain, "ИНН"},
        Boxes{65, 5, 12},
        Chars{66.2, 6, 5, "INN", 0, 12, TFace::Arial},
        Caption{157, 6, 8, kPlain, "Приложение № 1"},
        Caption{152, 9.2, 8, kPlain, "к приказу МНС России"},
        Caption{147, 12.4, 8, kPlain, "от"},
        Caption{150, 12.4, 8, kUnderline, "    15    "},
        Caption{162, 12.4, 8, kUnderline, "     июня     "},
        Caption{179, 12.4, 8, kPlain, "2004 г."},
        Caption{147, 15.6, 8, kPlain, "№ "},
        Caption{150, 15.8, 8, kUnderline, "      САЭ - 3 - 04 / 366@      "},
        Caption{47, 14, 9, kPlain, "Стр."},
        Boxes{65, 11.5, 3},
        Chars{66.2, 12.5, 5, "PageNo", 0, 3},
        Caption{145, 21.5, 11, kPlain, "Форма по КНД 1151021"},
        Caption{79, 24.5, 11, kPlain, "Налоговая декларация"},
        Caption{51, 28, 11, kPlain, "по налогу на доходы физических лиц (форма 4-НДФЛ)"},
        Caption{7, 33, 6, kPlain, "Вид документа: 1 - первичный, 3 - корректирующий (через дробь номер корректировки)"},
        CaptionLines{7, 36.5, 7, false, "         Вид|документа"},
        Caption{124, 37.2, 7, kPlain, "Отчетный год"},
        Caption{27, 36.8, 15, kPlain, "/"},
        GivenLabel{21.2, 37.5, "Kind"},
        GivenLabel{31.2, 37.5, "Correction"},
        Boxes{20, 36.5, 1},
        Boxes{30, 36.5, 1},
        Boxes{154, 36.5, 4},
        Chars{155.2, 37.5, 4.8, "ReportYear", 0, 4},
        Caption{7, 44, 8, kPlain, "Представляется в"},
        Caption{157, 44, 8, kPlain, "Код"},
        WrappedText{35, 42, 120, 16, "InspectionName"},
        Boxes{163, 43, 4},
        Chars{164.2, 44, 4.8, "InspectionCode", 0, 4},
        Caption{82, 49, 6, kPlain, "(наименование налогового органа)"},
        CaptionLines{7, 52, 8, false, "по месту|жительства"},
        Caption{50, 52, 7, kPlain, "предпринимателя"},
        CaptionLines{81, 52, 7, false, "  частного|нотариуса"},
        Caption{111, 52, 7, kPlain, "адвоката"},
        Tick{53, "Status", {{"1", 73.2}, {"2", 104.2}, {"3", 127.2}}},
        Boxes{72, 52, 1},
        Boxes{103, 52, 1},
        Boxes{126, 52, 1},
        Caption{92, 58, 6, kPlain, "(нужное отметить знаком V)"},
        Caption{7, 63, 8, kPlain, "Фамилия"},
        Boxes{21, 61, 33, 5},
        Chars{22.2, 61.2, 5, "Surname", 0, 33},
        Caption{7, 68.5, 8, kPlain, "Имя"},
        Boxes{21, 66.5, 33, 5},
        Chars{22.2, 66.7, 5, "FirstName", 0, 33},
        Caption{7, 74, 8, kPlain, "Отчество"},
        Boxes{21, 72, 33, 5},
        Chars{22.2, 72.2, 5, "Patronymic", 0, 33},
        CaptionLines{7, 79.5, 8, false, "Номер страхового|свидетельства в ПФР"},
        Boxes{47, 79.5, 3},
        Boxes{68, 79.5, 3},
        Boxes{90, 79.5, 3},
        Boxes{112, 79.5, 2},
        Chars{48.2, 80.5, 4.8, "InsuranceNumber", 0, 3},
        Chars{69.2, 80.5, 4.8, "InsuranceNumber", 3, 3},
        Chars{91.2, 80.5, 5, "InsuranceNumber", 6, 3},
        Chars{113.2, 80.5, 4.8, "InsuranceNumber", 9, 2},
        Caption{7, 88, 8, kPlain, "Дата рождения"},
        Boxes{42, 87, 2},
        Boxes{57, 87, 2},
        Boxes{72, 87, 4},
        Chars{43.2, 88, 4.8, "BirthDate", 0, 2},
        Chars{58.2, 88, 4.8, "BirthDate", 2, 2},
        Chars{73.2, 88, 4.8, "BirthDate", 4, 4},
        Caption{7, 94.5, 8, kPlain, "Пол"},
        Caption{35, 94.5, 8, kPlain, "Муж"},
        Caption{55, 94.5, 8, kPlain, "Жен"},
        Tick{94.5, "Sex", {{"1", 63.2}}, 43.2},
        Boxes{42, 93.5, 1},
        Boxes{62, 93.5, 1},
        Caption{77, 94.5, 6, kPlain, "(нужное отметить знаком V)"},
        Caption{7, 101.5, 8, kPlain, "Гражданство*"},
        Caption{156, 101.5, 8, kPlain, "Код страны**"},
        TextField{32, 104.7, 110, "Citizenship", rl::TPen::Solid, kAlways},
        Boxes{173, 99.7, 3, 5},
        Chars{174.2, 99.9, 5, "CountryCode", 0, 3},
        Caption{7, 108.7, 8, kPlain, "Место рождения***"},
        TextField{37, 111.9, 151, "Birthplace", rl::TPen::Solid, kAlways},
        Caption{7, 115.9, 8, kPlain, "Вид документа, удостоверяющего личность"},
        Caption{156, 115.9, 8, kPlain, "Код документа"},
        TextField{75, 119.1, 79, "DocumentTypeName", rl::TPen::Solid, kAlways},
        Boxes{178, 114.1, 2, 5},
        Chars{179.2, 114.3, 5, "DocumentCode", 0, 2},
        Caption{7, 123.1, 8, kPlain, "Серия и номер документа, удостоверяющего личность"},
        TextField{91, 126.3, 97, "DocumentNumber", rl::TPen::Solid, kAlways},
        Caption{7, 130.3, 8, kPlain, "Кем выдан"},
        TextField{31, 133.5, 150, "IssuedBy", rl::TPen::Solid, kAlways},
        Caption{7, 137.5, 8, kPlain, "Дата выдачи документа"},
        Boxes{42, 136.5, 2},
        Boxes{57, 136.5, 2},
        Boxes{72, 136.5, 4},
        Chars{43.2, 137.5, 4.8, "IssueDate", 0, 2},
        Chars{58.2, 137.5, 4.8, "IssueDate", 2, 2},
        Chars{73.2, 137.5, 4.8, "IssueDate", 4, 4},
        Caption{7, 142.5, 8, kItalic, "Адрес места жительства в Российской Федерации:"},
        Caption{7, 148.5, 8, kPlain, "Почтовый индекс"},
        Boxes{37, 147.5, 6},
        Chars{38.2, 148.5, 4.8, "PostIndex", 0, 6},
        Caption{7, 155.5, 8, kPlain, "Субъект Российской Федерации"},
        Caption{160, 155.5, 8, kPlain, "Код"},
        TextField{59, 158.7, 95, "RegionName", rl::TPen::Solid, kAlways},
        Boxes{178, 153.7, 2, 5},
        Chars{179.2, 153.9, 5, "RegionCode", 0, 2},
        Caption{7, 162.7, 8, kPlain, "Район"},
        TextField{23, 165.9, 165, "District", rl::TPen::Solid, kAlways},
        Caption{7, 169.9, 8, kPlain, "Город"},
        TextField{23, 173.1, 165, "City", rl::TPen::Solid, kAlways},
        Caption{7, 177.1, 8, kPlain, "Населенный пункт (село, поселок и т.д.)"},
        TextField{72, 180.3, 116, "Settlement", rl::TPen::Solid, kAlways},
        Caption{7, 184.3, 8, kPlain, "Улица (проспект, переулок и т.д.)"},
        TextField{62, 187.5, 126, "Street", rl::TPen::Solid, kAlways},
        Caption{7, 191.5, 8, kPlain, "Номер дома (владения)"},
        TextField{48, 194.7, 140, "House", rl::TPen::Solid, kAlways},
        Caption{7, 198.7, 8, kPlain, "Номер корпуса (строения)"},
        TextField{52, 201.9, 136, "Building", rl::TPen::Solid, kAlways},
        Caption{7, 205.9, 8, kPlain, "Номер квартиры"},
        TextField{48, 209.1, 140, "Flat", rl::TPen::Solid, kAlways},
        Caption{7, 215.1, 8, kPlain, "Адрес места жительства за пределами Российской Федерации*"},
        TextField{107, 219.1, 80, "AddressAbroad", rl::TPen::Solid, kAlways},
        // A frame of 179 x 9 mm that draws only its top and bottom edges.
        HLine{7, 220.1, 179},
        HLine{7, 229.1, 179},
        Caption{7, 222.1, 8, kPlain, "Данная декларация составлена на"},
        Caption{73, 222.1, 8, kPlain, "страницах"},
        Boxes{57, 221.1, 3},
        Chars{58.2, 222.1, 4.8, "PageCount", 0, 3},
        Frame{81, 231.1, 0.2, 55},
        CaptionLines{7, 229.1, 8, false, "Достоверность и полноту сведений,|указанных в настоящей декларации, подтверждаю:"},
        Caption{93, 230.1, 8, kPlain, "Заполняется работником налогового органа"},
        Caption{92, 234.6, 8, kPlain, "Сведения о представлении налоговой декларации"},
        Caption{103, 237.6, 8, kPlain, "Данная декларация представленна"},
        Caption{107, 241.1, 8, kPlain, "(нужное отметить знаком V)"},
        Caption{83, 246.6, 8, kPlain, "лично"},
        Caption{107, 246.6, 8, kPlain, "по почте"},
        CaptionLines{149, 246.6, 8, false, "уполномоченным|представителем"},
        Boxes{95, 244.6, 1},
        Boxes{125, 244.6, 1},
        Boxes{175, 244.6, 1},
        Caption{83, 253.6, 8, kPlain, "на страницах"},
        Boxes{127, 252.6, 3},
        Caption{7, 253.6, 8, kPlain, "Подпись   _________________________________"},
        CaptionLines{83, 266.6, 8, false, "Дата представления|декларации"},
        Caption{7, 269.8, 8, kPlain, "Дата"},
        Boxes{25, 266.6, 2},
        Boxes{40, 266.6, 2},
        Boxes{55, 266.6, 4},
        Chars{26.2, 267.6, 5, "DateText", 0, 2, TFace::Arial},
        Chars{41.2, 267.6, 5, "DateText", 2, 2, TFace::Arial},
        Chars{56.2, 267.6, 5, "DateText", 4, 4, TFace::Arial},
        Boxes{142, 266.6, 2},
        Boxes{157, 266.6, 2},
        Boxes{172, 266.6, 4},
        Caption{83, 273.6, 8, kPlain, "Зарегистрирована за №"},
        CaptionLines{7, 273.6, 8, false, "*   заполняется иностранными гражданами|**  код страны по классификатору ОКСМ (числовой)|"
                   "*** заполняется согласно свидетельству о рождении"},
        Boxes{142, 273.6, 10},
        Caption{102, 279.6, 8, kPlain, "__________________________________"},
        Caption{164, 279.6, 8, kPlain, "__________________"},
        Caption{122, 283.1, 6, kPlain, "Фамилия И.О."},
        Caption{169, 283.1, 6, kPlain, "Подпись"},
    };
    return rows;
}

// ---------------------------------------------------------------------------------------------
// The estimated-income page

const TRows& NR2Rows() {
    static const TRows rows = {
        PageCode{9, 9, "PageCode"},
        Caption{51, 9, 12, kBold, "ИНН"},
        HLine{70, 8, 57.6},
        HLine{70, 14, 57.7},
        Rules{70, 8, 4.8, 13},
        Chars{71.2, 9, 4.8, "INN", 0, 12, TFace::Arial},
        Caption{120, 16, 12, kBold, "Стр."},
        HLine{140, 15, 14.5},
        HLine{140, 21, 14.5},
        Rules{140, 15, 4.8, 4},
        Chars{141.2, 16, 4.8, "PageNumber", 0, 3, TFace::Arial},
        Caption{145, 22, 12, kBold, "Форма по КНД 1151021"},
        ValueLabel{166, 26, "Section", 12, kBold, kAlways},
        Caption{5, 36, 9, kBold, "Фамилия"},
        Caption{172.8, 36, 9, kBold, "И."},
        Caption{185.1, 36, 9, kBold, "О."},
        HLine{22, 34, 173},
        HLine{22, 40, 173},
        Rules{22, 34, 4.8, 32},
        Chars{23.3, 35, 4.8, "Surname", 0, 31},
        VLine{178.3, 34, 6},
        Chars{179.6, 35, 0, "FirstInitial", 0, 1},
        VLine{183.1, 34, 6},
        VLine{190.6, 34, 6},
        Chars{191.9, 35, 0, "PatronymicInitial", 0, 1},
        VLine{195, 34, 6},
        Caption{15, 56, 11, kBold, "Раздел 1. Сумма предполагаемого дохода по данным налогоплательщика"},
        Caption{7, 74, 9, kPlain, "№"},
        Caption{51, 74, 9, kPlain, "Показатели"},
        Caption{103, 74, 9, kPlain, "Код"},
        Caption{129, 74, 9, kPlain, "Значение показателей   (руб.)"},
        Caption{7, 78, 9, kPlain, "п/п"},
        Caption{101, 78, 9, kPlain, "строки"},
        Caption{7, 90, 11, kPlain, "1        Сумма предполагаемого дохода"},
        Caption{103, 90, 11, kPlain, "010"},
        Boxes{112, 90, 15},
        Chars{113.2, 91, 5, "EstimatedIncome", 0, 15, TFace::Unreal, kAlways},
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
    t["PageCode"] = QString::fromUtf8(SheetKindInfo(skTitul).PageCode4);
    t["PageNo"] = QStringLiteral("001");
    t["ReportYear"] = QStringLiteral("2006");
    t["Kind"] = CorrectionNumber == 100 ? QStringLiteral("1") : QStringLiteral("3");
    t.erase("Correction");
    if (CorrectionNumber != 100) t["Correction"] = QString::number(CorrectionNumber);
    t["Status"] = QString::number(Status);
    t["CountryCode"] = Value(Values, "CountryCode").rightJustified(3, QLatin1Char(' '));
    t["DocumentCode"] = TwoDigits(Value(Values, "DocumentCode"));
    t["RegionCode"] = TwoDigits(Value(Values, "RegionCode"));
    t["InsuranceNumber"] = Value(Values, "InsuranceNumber").leftJustified(11, QLatin1Char(' '));

    rl::TBand& band = AOwner.NewBand(false);
    Layout(band, TitulRows(), v, PrintValues);
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
    Layout(band, NR2Rows(), v, PrintValues);
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
    const TCitizenship citizenship = CitizenshipOf(p);

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
        {"Citizenship", s(citizenship.Name)},
        {"CountryCode", s(citizenship.CountryCode)},
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
        {"PageCount", QString::number(ctx.Plan.PageTotal)},
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
    const QString income = RoublesInFifteenBoxes(ctx.DanLog.DeclDan->SupposeIncome);
    const QString first = QString::fromStdString(p.FirstName), patronymic = QString::fromStdString(p.Patronymic);
    clNR2(report, ctx, QString::fromStdString(p.INN), QString::fromStdString(p.SurName), first.left(1), patronymic.left(1),
          QString::fromUtf8(SheetKindInfo(skRazdel1).SectionCode), QStringLiteral("002"),
          QString::fromUtf8(SheetKindInfo(skRazdel1).PageCode4), income, true);
    PageFooter(report, ctx);
    return true;
}
