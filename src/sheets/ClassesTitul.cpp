// The title page and the second page of form 3-NDFL.
#include "sheets/ClassesTitul.h"

#include "report/ClassesLogDan.h"

#include <cmath>
#include <string>

namespace {

QString Str(const std::string& s) { return QString::fromStdString(s); }

QString CharAt(const QString& s, int i) { return i >= 0 && i < s.size() ? QString(s[i]) : QString(); }

// A date as "ddmmyyyy".
QString DateDigits(TDateTime value) {
    int year = 0, month = 0, day = 0;
    DecodeDate(value, year, month, day);
    return QStringLiteral("%1%2%3")
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(year, 4, 10, QLatin1Char('0'));
}

// The telephone as the form prints it: "( code ) number".
QString PhoneText(const std::string& code, const std::string& number) {
    return QStringLiteral("( ") + Str(code) + QStringLiteral(" ) ") + Str(number);
}

// To the nearest whole number, an exact half to the even one.
double RoundHalfEven(double x) {
    const double down = std::floor(x);
    const double diff = x - down;
    if (diff < 0.5) return down;
    if (diff > 0.5) return down + 1;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

// Puts the date's day, month and year (characters 1-2, 3-4 and 5-8 of "ddmmyyyy") under the
// names prefix + "Day", "Month" and "Year".
void SplitDate(TValues& values, const std::string& prefix, const QString& date) {
    values.Texts[prefix + "Day"] = date.mid(0, 2);
    values.Texts[prefix + "Month"] = date.mid(2, 2);
    values.Texts[prefix + "Year"] = date.mid(4, 4);
}

// A mark placed by computation stays off the page when it would fall outside the paper.
void AddOnPaper(std::vector<TLayoutRow>& rows, const TLayoutRow& row) {
    if (row.left >= 0 && row.left < rl::kPageWidth && row.top >= 0 && row.top < rl::kPageHeight) rows.push_back(row);
}

// Breaks a text into lines no wider than `width`: between words, and inside a word only when the
// word alone is wider than a line.
QStringList WrapWords(const QString& text, const rl::TFontSpec& font, double width) {
    QStringList lines;
    QString line;
    for (QString word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (rl::TextWidthMm(joined, font) <= width) {
            line = joined;
            continue;
        }
        if (!line.isEmpty()) lines << line;
        while (word.size() > 1 && rl::TextWidthMm(word, font) > width) {
            int n = static_cast<int>(word.size()) - 1;
            while (n > 1 && rl::TextWidthMm(word.left(n), font) > width) --n;
            lines << word.left(n);
            word = word.mid(n);
        }
        line = word;
    }
    if (!line.isEmpty()) lines << line;
    return lines;
}

// A label of fixed size with word wrap: the lines that fit wholly inside it are shown.
void WrappedLabel(rl::TBand& band, double left, double top, double width, double height, const QString& text,
                  const rl::TFontSpec& font) {
    const double pitch = rl::TextHeightMm(font);
    const QStringList lines = WrapWords(text, font, width);
    for (int k = 0; k < lines.size() && (k + 1) * pitch <= height; ++k) band.AddLabel(left, top + k * pitch, lines[k], font);
}

// ---------------------------------------------------------------------------------------------
// The title page

struct TTitulValues {
    QString INN, InspectionName, InspectionCode;
    QString Surname, FirstName, Patronymic;
    QString BirthDate; // "ddmmyyyy"
    QString Citizenship, CountryCode, Birthplace;
    QString DocumentTypeName, DocumentNumber, DocumentCode, IssuedBy;
    QString IssueDate; // "ddmmyyyy"
    QString PageCount, AppendixCount;
    QString Sex;      // "1" female, anything else male
    QString DateText; // "ddmmyyyy", or nine blanks
    QString OGRNIP;
    int CorrectionNumber = 100; // 100: a primary declaration
    unsigned Status = 0;        // 0..5, one tick box each
};

const std::vector<TLayoutRow> kTitulHead = {
    {TRow::Label, 88, 7, 6, 0,
     "Приложение № 1 к приказу Министерства финансов Российской Федерации от 23 декабря 2005 г. № 153н"},
    {TRow::Label, 48, 10, 10, 0, "ИНН"},
    {TRow::Boxes, 66, 9, 12, 0, "INN"},
    {TRow::Label, 108, 17.5, 10, 0, "Стр."},
    {TRow::Boxes, 122, 16.5, 3, 0, "PageNumber"},
    {TRow::Label, 146, 24.5, 10, 1, "Форма по КНД 1151020"},
    {TRow::Label, 80, 27.5, 11, 1, "Налоговая декларация"},
    {TRow::Label, 52, 31, 11, 1, "по налогу на доходы физических лиц (форма 3-НДФЛ)"},
    {TRow::Label, 8, 36, 6, 0, "Вид документа: 1 - первичный, 3 - корректирующий (через дробь номер корректировки)"},
    {TRow::Lines, 8, 39.5, 7, 0, "         Вид|документа"},
    {TRow::Label, 125, 40.2, 7, 0, "Отчетный налоговый период"},
    {TRow::Label, 28, 39.8, 15, 0, "/"},
    {TRow::Boxes, 21, 39.5, 1, 0, "DocumentKind"},
    {TRow::Boxes, 31, 39.5, 1, 0, "CorrectionNumber"},
    {TRow::Boxes, 160, 39.5, 4, 0, "Year"},
    {TRow::Label, 8, 47, 8, 1, "Представляется в"},
    {TRow::Label, 158, 47, 8, 0, "Код"},
};

// The tax inspection's name stands between these two parts: a label with word wrap.

const std::vector<TLayoutRow> kTitulPerson = {
    {TRow::Boxes, 164, 46, 4, 0, "InspectionCode"},
    {TRow::Label, 83, 52, 6, 0, "(наименование налогового органа)"},
    {TRow::Lines, 8, 55, 7, 0, "физическим лицом, |получавшим доходы|от налоговых агентов"},
    {TRow::Lines, 42, 55, 7, 0, "    физическим лицом,|  зарегистрированным в|качестве индивидуального|    предпринимателя"},
    {TRow::Lines, 85, 55, 7, 0, "  нотариусом,|занимающимся|   частной|  практикой"},
    {TRow::Lines, 116, 55, 7, 0, " адвокатом,|учредившим|адвокатский|кабинет"},
    {TRow::Lines, 143, 55, 7, 0, "иностранным| физическим|   лицом"},
    {TRow::Lines, 167, 55, 7, 0, "    иным|физическим|   лицом"},
    {TRow::Boxes, 33, 55, 1, 0, "Status0"},
    {TRow::Boxes, 74, 55, 1, 0, "Status1"},
    {TRow::Boxes, 106, 55, 1, 0, "Status2"},
    {TRow::Boxes, 133, 55, 1, 0, "Status3"},
    {TRow::Boxes, 160, 55, 1, 0, "Status4"},
    {TRow::Boxes, 183, 55, 1, 0, "Status5"},
    {TRow::Label, 93, 69, 6, 0, "(нужное отметить знаком V)"},
    {TRow::Label, 8, 77, 8, 0, "Фамилия"},
    {TRow::Boxes, 22, 75, 33, 0, "Surname"},
    {TRow::Label, 8, 87, 8, 0, "Имя"},
    {TRow::Boxes, 22, 85, 33, 0, "FirstName"},
    {TRow::Label, 8, 97, 8, 0, "Отчество"},
    {TRow::Boxes, 22, 95, 33, 0, "Patronymic"},
    {TRow::Lines, 8, 107, 8, 0, "Основной государственный регистрационный номер индивидуального|предпринимателя (ОГРНИП)"},
    {TRow::Boxes, 112, 107, 15, 0, "OGRNIP"},
    {TRow::Label, 8, 118, 8, 0, "Дата рождения"},
    {TRow::Boxes, 43, 117, 2, 0, "BirthDay"},
    {TRow::Boxes, 58, 117, 2, 0, "BirthMonth"},
    {TRow::Boxes, 73, 117, 4, 0, "BirthYear"},
    {TRow::Label, 8, 128, 8, 0, "Пол                      Муж                        Жен"},
};

// The sex mark "V" follows, in the box of "Муж" or of "Жен".

const std::vector<TLayoutRow> kTitulDocument = {
    {TRow::Boxes, 43, 127, 1, 0, ""},
    {TRow::Boxes, 63, 127, 1, 0, ""},
    {TRow::Label, 78, 128, 6, 0, "(нужное отметить знаком V)"},
    {TRow::Label, 8, 137, 8, 0, "Гражданство"},
    {TRow::Label, 157, 137, 8, 0, "Код страны"},
    {TRow::Text, 33, 140.2, 110, 0, "Citizenship"},
    {TRow::Boxes, 174, 135.2, 3, 0, "CountryCode"},
    {TRow::Label, 8, 145.2, 8, 0, "Место рождения"},
    {TRow::Text, 38, 148.4, 151, 0, "Birthplace"},
    {TRow::Label, 8, 153.4, 8, 0, "Вид документа, удостоверяющего личность"},
    {TRow::Label, 157, 153.4, 8, 0, "Код документа"},
    {TRow::Text, 76, 156.6, 79, 0, "DocumentTypeName"},
    {TRow::Boxes, 179, 151.6, 2, 0, "DocumentCode"},
    {TRow::Label, 8, 161.6, 8, 0, "Серия и номер документа, удостоверяющего личность"},
    {TRow::Text, 92, 164.8, 97, 0, "DocumentNumber"},
    {TRow::Label, 8, 169.8, 8, 0, "Кем выдан"},
    {TRow::Text, 32, 173, 157, 0, "IssuedBy"},
    {TRow::Lines, 8, 178, 8, 0, "Дата выдачи|документа"},
    {TRow::Boxes, 43, 177, 2, 0, "IssueDay"},
    {TRow::Boxes, 58, 177, 2, 0, "IssueMonth"},
    {TRow::Boxes, 73, 177, 4, 0, "IssueYear"},
    {TRow::Label, 8, 190, 8, 0, "Данная декларация составлена на                         страницах"},
    {TRow::Lines, 99, 190, 8, 0, "с приложением подтверждающих|                               документов на"},
    {TRow::Label, 163, 191, 8, 0, "листах"},
    {TRow::Boxes, 58, 189, 3, 0, "PageCount"},
    {TRow::Boxes, 146, 189, 3, 0, "AppendixCount"},
    {TRow::Box, 8, 200, 180, 0.3},
    {TRow::Box, 81, 200, 0.3, 80},
    {TRow::Lines, 8, 205, 8, 1, "Достоверность и полноту сведений,|указанных на данной странице, подтверждаю:"},
    {TRow::Label, 88, 206, 8, 1, "Заполняется работником налогового органа"},
    {TRow::Label, 88, 213, 8, 0, "Сведения о представлении налоговой декларации"},
    {TRow::Label, 10, 219, 8, 0, "лично"},
    {TRow::Label, 33, 219, 8, 0, "законный представитель"},
    {TRow::Boxes, 20, 218, 1, 0, ""},
    {TRow::Boxes, 71, 218, 1, 0, ""},
    {TRow::Label, 32, 225, 7, 0, "(нужное отметить знаком V)"},
    {TRow::Label, 88, 225, 8, 0, "Данная декларация представленна"},
};

// The hint "(нужное отметить знаком V)" follows right after the caption above.

const std::vector<TLayoutRow> kTitulOffice = {
    {TRow::Label, 88, 231, 8, 0, "лично"},
    {TRow::Label, 118, 231, 8, 0, "по почте"},
    {TRow::Lines, 140, 230, 8, 0, "уполномоченным(законным)|         представителем"},
    {TRow::Boxes, 105, 230, 1, 0, ""},
    {TRow::Boxes, 132, 230, 1, 0, ""},
    {TRow::Boxes, 180, 230, 1, 0, ""},
    {TRow::Label, 8, 234, 8, 0, "Подпись   ________________________________"},
    {TRow::Label, 88, 243, 8, 0, "на"},
    {TRow::Label, 135, 243, 8, 0, "Страницах"},
    {TRow::Label, 8, 243, 8, 0, "Дата"},
    {TRow::Boxes, 23, 242, 2, 0, "DateDay"},
    {TRow::Boxes, 38, 242, 2, 0, "DateMonth"},
    {TRow::Boxes, 53, 242, 4, 0, "DateYear"},
    {TRow::Boxes, 109, 242, 3, 0, ""},
    {TRow::Label, 88, 250, 8, 0, "с приложением подтверждающих документов на"},
    {TRow::Boxes, 161, 249, 3, 0, ""},
    {TRow::Label, 178, 250, 8, 0, "листах"},
    {TRow::Label, 88, 258, 8, 0, "Дата представления декларации"},
    {TRow::Boxes, 133, 257, 2, 0, ""},
    {TRow::Boxes, 148, 257, 2, 0, ""},
    {TRow::Boxes, 163, 257, 4, 0, ""},
    {TRow::Label, 88, 265, 8, 0, "Зарегистрирована за №"},
    {TRow::Boxes, 133, 264, 10, 0, ""},
    {TRow::Label, 93, 272, 8, 0, "__________________________________"},
    {TRow::Label, 155, 272, 8, 0, "__________________"},
    {TRow::Label, 113, 275.5, 6, 0, "Фамилия И.О."},
    {TRow::Label, 165, 275.5, 6, 0, "Подпись"},
};

TValues TitulPrinted(const TTitulValues& v) {
    TValues values;
    auto& t = values.Texts;
    t["INN"] = v.INN;
    t["PageNumber"] = QStringLiteral("001");
    t["Year"] = QStringLiteral("2005");
    const bool primary = v.CorrectionNumber == 100;
    t["DocumentKind"] = primary ? QStringLiteral("1") : QStringLiteral("3");
    t["CorrectionNumber"] = primary ? QString() : QString::number(v.CorrectionNumber);
    t["InspectionCode"] = v.InspectionCode;
    for (unsigned i = 0; i <= 5; ++i) t["Status" + std::to_string(i)] = v.Status == i ? QStringLiteral("V") : QString();
    t["Surname"] = v.Surname;
    t["FirstName"] = v.FirstName;
    t["Patronymic"] = v.Patronymic;
    t["OGRNIP"] = v.OGRNIP;
    SplitDate(values, "Birth", v.BirthDate);
    t["Citizenship"] = v.Citizenship.isEmpty() ? QStringLiteral("Россия") : v.Citizenship;
    t["CountryCode"] = v.CountryCode.isEmpty() ? QStringLiteral("643") : v.CountryCode.rightJustified(3, QLatin1Char(' '));
    t["Birthplace"] = v.Birthplace;
    t["DocumentTypeName"] = v.DocumentTypeName;
    t["DocumentNumber"] = v.DocumentNumber;
    t["DocumentCode"] = v.DocumentCode.isEmpty() ? QString() : v.DocumentCode.rightJustified(2, QLatin1Char('0'));
    t["IssuedBy"] = v.IssuedBy;
    SplitDate(values, "Issue", v.IssueDate);
    t["PageCount"] = v.PageCount.isEmpty() ? QString() : v.PageCount.rightJustified(3, QLatin1Char(' '));
    QString appendixes = v.AppendixCount.isEmpty() ? QString() : v.AppendixCount.rightJustified(3, QLatin1Char(' '));
    if (appendixes == QLatin1String("  0")) appendixes = QStringLiteral("   ");
    t["AppendixCount"] = appendixes;
    SplitDate(values, "Date", v.DateText);
    return values;
}

// The title page: one band over the whole page, with its own page code, INN and page number and
// no page header or footer.
void clTitul(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const TTitulValues& v) {
    rl::TBand& band = AOwner.NewBand(true);
    const TValues values = TitulPrinted(v);

    band.AddPageCode(9, 9, QStringLiteral("!5102!0019!"));
    Layout(band, kTitulHead, values, true);
    WrappedLabel(band, 36, 45, 120, 16, v.InspectionName, fonts::Unreal(8));
    Layout(band, kTitulPerson, values, true);

    std::vector<TLayoutRow> mark;
    AddOnPaper(mark, {TRow::Label, v.Sex == QLatin1String("1") ? 64.2 : 44.2, 128, 10, 1, "V"});
    Layout(band, mark, values, true);

    Layout(band, kTitulDocument, values, true);

    const double captionWidth = rl::TextWidthMm(QStringLiteral("Данная декларация представленна"), fonts::Unreal(8));
    std::vector<TLayoutRow> officeHint;
    AddOnPaper(officeHint, {TRow::Label, 88 + RoundHalfEven(captionWidth) + 1, 225.5, 7, 0, "(нужное отметить знаком V)"});
    Layout(band, officeHint, values, true);

    Layout(band, kTitulOffice, values, true);

    AddBarcodeImages(band, ctx, 0, {15, 85, 155});
    band.Height = 274;
}

// ---------------------------------------------------------------------------------------------
// The second page

struct TAddress {
    QString PostIndex, RegionName, RegionCode, District, City, Settlement, Street, House, Building, Flat;
    QString HomePhone, WorkPhone;
};

struct TAdrValues {
    QString INN, Surname, FirstName, Patronymic;
    QString StatusText; // "0" tax resident, "1" non-resident
    TAddress Residence, Stay;
    QString AddressAbroad, ForeignHomePhone, ForeignWorkPhone;
    bool PrintValues = true; // false: the surname line and the initials stay empty
};

constexpr int kSurnameCells = 31;

const std::vector<TLayoutRow> kAdrHead = {
    {TRow::Label, 48, 10, 10, 0, "ИНН"},
    {TRow::Boxes, 66, 9, 12, 0, "INN"},
    {TRow::Label, 108, 17.5, 10, 0, "Стр."},
    {TRow::Boxes, 122, 16.5, 3, 0, "PageNumber"},
    {TRow::Label, 146, 24.5, 10, 1, "Форма по КНД 1151020"},
    {TRow::Label, 6.5, 33, 9, 1, "Фамилия"},
    {TRow::Label, 172, 33, 9, 1, "И."},
    {TRow::Label, 182.1, 33, 9, 1, "О."},
    {TRow::HLine, 22, 31, 148.8},
    {TRow::HLine, 22, 37, 148.8},
};

// The names of one address block's values.
struct TAddressNames {
    const char *PostIndex, *RegionName, *RegionCode, *District, *City, *Settlement, *Street, *House, *Building, *Flat;
    const char *HomePhone, *WorkPhone;
};

const TAddressNames kResidenceNames = {"PostIndex", "RegionName", "RegionCode", "District", "City", "Settlement",
                                       "Street", "House", "Building", "Flat", "HomePhone", "WorkPhone"};
const TAddressNames kStayNames = {"StayPostIndex", "StayRegionName", "StayRegionCode", "StayDistrict",
                                  "StayCity", "StaySettlement", "StayStreet", "StayHouse",
                                  "StayBuilding", "StayFlat", "StayHomePhone", "StayWorkPhone"};

// One Russian address block from "Почтовый индекс" to the telephones, dy lower than the first.
std::vector<TLayoutRow> AddressRows(const TAddressNames& n, double dy) {
    return {
        {TRow::Label, 8, 63.5 + dy, 8, 0, "Почтовый индекс"},
        {TRow::Boxes, 35, 62.5 + dy, 6, 0, n.PostIndex},
        {TRow::Label, 8, 71 + dy, 8, 0, "Субъект Российской Федерации"},
        {TRow::Label, 160, 71 + dy, 8, 0, "Код региона"},
        {TRow::Text, 52, 74 + dy, 97, 0, n.RegionName},
        {TRow::Boxes, 179, 70 + dy, 2, 0, n.RegionCode},
        {TRow::Label, 8, 76.5 + dy, 8, 0, "Район"},
        {TRow::Text, 20, 80.5 + dy, 168, 0, n.District},
        {TRow::Label, 8, 82 + dy, 8, 0, "Город"},
        {TRow::Text, 20, 86 + dy, 168, 0, n.City},
        {TRow::Label, 8, 87.5 + dy, 8, 0, "Населенный пункт (село, поселок и т.д.)"},
        {TRow::Text, 64, 91.5 + dy, 124, 0, n.Settlement},
        {TRow::Label, 8, 93 + dy, 8, 0, "Улица (проспект, переулок и т.д.)"},
        {TRow::Text, 56, 97 + dy, 132, 0, n.Street},
        {TRow::Label, 8, 98.5 + dy, 8, 0, "Номер дома (владения)"},
        {TRow::Label, 105, 98.5 + dy, 8, 0, "Номер корпуса (строения)"},
        {TRow::Text, 45, 102.5 + dy, 46, 0, n.House},
        {TRow::Text, 141, 102.5 + dy, 47, 0, n.Building},
        {TRow::Label, 8, 104 + dy, 8, 0, "Номер квартиры"},
        {TRow::Text, 34, 108 + dy, 154, 0, n.Flat},
        {TRow::Label, 8, 109.5 + dy, 8, 0, "Код города и номер контактного телефона:"},
        {TRow::Label, 76, 109.5 + dy, 8, 0, "служебный"},
        {TRow::Label, 137, 109.5 + dy, 8, 0, "домашний"},
        {TRow::Text, 94, 113.5 + dy, 36, 0, n.WorkPhone},
        {TRow::Text, 152, 113.5 + dy, 36, 0, n.HomePhone},
    };
}

const std::vector<TLayoutRow> kAdrForeignPhones = {
    {TRow::Label, 8, 219.5, 8, 0, "Код страны, код города и номер контактного телефона:"},
    {TRow::Label, 8, 225, 8, 0, "Cлужебный"}, // the first letter is the Latin "C", as on the form
    {TRow::Label, 104, 225, 8, 0, "домашний"},
    {TRow::Text, 32, 229, 60, 0, "ForeignWorkPhone"},
    {TRow::Text, 128, 229, 60, 0, "ForeignHomePhone"},
};

// The names of the surname letters' values: "Letter1" .. "Letter31".
const std::vector<std::string>& LetterNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (int k = 1; k <= kSurnameCells; ++k) n.push_back("Letter" + std::to_string(k));
        return n;
    }();
    return names;
}

// An empty code gives two blanks, a one-character code a leading "0".
QString RegionCode(const QString& code) {
    if (code.isEmpty()) return QStringLiteral("  ");
    if (code.size() == 1) return QLatin1Char('0') + code;
    return code;
}

void PutAddress(TValues& values, const TAddressNames& n, const TAddress& a) {
    auto& t = values.Texts;
    t[n.PostIndex] = a.PostIndex;
    t[n.RegionName] = a.RegionName;
    t[n.RegionCode] = RegionCode(a.RegionCode);
    t[n.District] = a.District;
    t[n.City] = a.City;
    t[n.Settlement] = a.Settlement;
    t[n.Street] = a.Street;
    t[n.House] = a.House;
    t[n.Building] = a.Building;
    t[n.Flat] = a.Flat;
    t[n.HomePhone] = a.HomePhone;
    t[n.WorkPhone] = a.WorkPhone;
}

TValues AdrPrinted(const TAdrValues& v) {
    TValues values;
    auto& t = values.Texts;
    t["INN"] = v.INN;
    t["PageNumber"] = QStringLiteral("002");
    for (int k = 0; k < kSurnameCells; ++k) t[LetterNames()[static_cast<std::size_t>(k)]] = CharAt(v.Surname, k);
    t["FirstInitial"] = CharAt(v.FirstName, 0);
    t["PatronymicInitial"] = CharAt(v.Patronymic, 0);
    t["Resident"] = v.StatusText == QLatin1String("0") ? QStringLiteral("V") : QString();
    t["NonResident"] = v.StatusText == QLatin1String("1") ? QStringLiteral("V") : QString();
    PutAddress(values, kResidenceNames, v.Residence);
    PutAddress(values, kStayNames, v.Stay);
    t["ForeignWorkPhone"] = v.ForeignWorkPhone;
    t["ForeignHomePhone"] = v.ForeignHomePhone;
    return values;
}

// The rows from the surname line to the two Russian address blocks.
std::vector<TLayoutRow> AdrRows(bool printValues) {
    std::vector<TLayoutRow> rows = kAdrHead;
    for (int k = 0; k <= kSurnameCells; ++k) rows.push_back({TRow::VLine, 22 + 4.8 * k, 31, 6});
    if (printValues)
        for (int k = 0; k < kSurnameCells; ++k)
            rows.push_back({TRow::ValueLabel, 23.3 + 4.8 * k, 32, 10, 1, LetterNames()[static_cast<std::size_t>(k)].c_str()});
    const std::vector<TLayoutRow> initials = {
        {TRow::HLine, 176.3, 31, 4.8},
        {TRow::HLine, 176.3, 37, 4.8},
        {TRow::VLine, 176.3, 31, 6},
        {TRow::VLine, 181.1, 31, 6},
    };
    rows.insert(rows.end(), initials.begin(), initials.end());
    if (printValues) rows.push_back({TRow::ValueLabel, 177.6, 32, 10, 1, "FirstInitial"});
    const std::vector<TLayoutRow> patronymic = {
        {TRow::HLine, 185.6, 31, 4.8},
        {TRow::HLine, 185.6, 37, 4.8},
        {TRow::VLine, 190.4, 31, 6},
        {TRow::VLine, 185.6, 31, 6},
    };
    rows.insert(rows.end(), patronymic.begin(), patronymic.end());
    if (printValues) rows.push_back({TRow::ValueLabel, 186.9, 32, 10, 1, "PatronymicInitial"});

    const std::vector<TLayoutRow> status = {
        {TRow::Label, 8, 42, 8, 1, "Статус налогоплательщика"},
        {TRow::Lines, 43, 48.5, 8, 0, "физическое лицо - налоговый резидент|Российской Федерации"},
        {TRow::Lines, 113, 48.5, 8, 0, "физическое лицо, не являющееся налоговым|резидентом Российской Федерации"},
        {TRow::Boxes, 99, 48.5, 1, 0, "Resident"},
        {TRow::Boxes, 183, 48.5, 1, 0, "NonResident"},
        {TRow::Label, 108, 55.5, 6, 0, "(нужное отметить знаком V)"},
        {TRow::Label, 8, 58, 8, 1, "Место жительства в Российской Федерации:"},
    };
    rows.insert(rows.end(), status.begin(), status.end());
    const std::vector<TLayoutRow> residence = AddressRows(kResidenceNames, 0);
    rows.insert(rows.end(), residence.begin(), residence.end());
    rows.push_back({TRow::Label, 8, 123, 8, 1, "Адрес места пребывания в Российской Федерации:"});
    const std::vector<TLayoutRow> stay = AddressRows(kStayNames, 65);
    rows.insert(rows.end(), stay.begin(), stay.end());
    rows.push_back({TRow::Label, 8, 188, 8, 1, "Адрес места жительства за пределами Российской Федерации:"});
    return rows;
}

// The second page: residence status, the Russian addresses, the address and telephones abroad.
void clAdr(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const TAdrValues& v) {
    rl::TBand& band = AOwner.NewBand(true);
    const TValues values = AdrPrinted(v);

    band.AddPageCode(9, 9, QStringLiteral("!5102!0026!"));
    Layout(band, AdrRows(v.PrintValues), values, true);

    // The address abroad runs on over four lines, each line going on where the one before stopped.
    int start = 0;
    for (double top : {197.5, 203.0, 208.5, 214.0})
        start += mbRek::CreateText(8, top, 180, v.AddressAbroad.mid(start), band, false).FittedLength;

    Layout(band, kAdrForeignPhones, values, true);
    band.Height = 256.5;
    AddBarcodeImages(band, ctx, 3, {15, 85, 155});
}

} // namespace

bool BuildTitul(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTDanLog& log = ctx.DanLog;
    const kTDeclDan& decl = *log.DeclDan;
    if (decl.DeclarationKind == 2) return BuildTitulNR(report, ctx);

    const kTPersonDan& p = *log.PersonDan;
    TTitulValues v;
    v.INN = Str(p.INN);
    v.InspectionName = Str(decl.InspectionName);
    v.InspectionCode = Str(decl.InspectionNumber);
    v.Surname = Str(p.SurName);
    v.FirstName = Str(p.FirstName);
    v.Patronymic = Str(p.Patronymic);
    v.BirthDate = DateDigits(p.BirthDate);
    v.Citizenship = Str(p.Inostr.Citizenship);
    v.CountryCode = Str(p.Inostr.CountryCode);
    v.Birthplace = Str(p.Mesto);
    v.DocumentTypeName = Str(p.DocTypeName);
    v.DocumentNumber = Str(p.Serial);
    v.DocumentCode = QString::number(p.DocTypeCode);
    v.IssuedBy = Str(p.Kem);
    v.IssueDate = DateDigits(p.RegDate);
    v.PageCount = QString::number(log.PageTotal);
    v.AppendixCount = QString::number(decl.Appendixes);
    v.Sex = Str(p.Pol);
    v.DateText = log.PrintDate ? DateDigits(decl.FilingDate) : QStringLiteral("         ");
    v.OGRNIP = Str(log.Dohody->PredprinimDeyatList.OGRNIP);
    v.CorrectionNumber = decl.Primary ? 100 : decl.CorrectionNumber;
    v.Status = decl.FilerStatus;
    clTitul(report, ctx, v);
    return true;
}

bool BuildAdr(rl::TOstrekReport& report, const TBuildContext& ctx) {
    const kTDanLog& log = ctx.DanLog;
    const kTPersonDan& p = *log.PersonDan;
    const kTDeclDan& decl = *log.DeclDan;
    const QString homePhone = PhoneText(p.HomeCode, p.HomePhone);
    const QString workPhone = PhoneText(p.WorkCode, p.WorkPhone);
    const QString foreignHome = PhoneText(p.Inostr.HomeCode, p.Inostr.HomePhone);
    const QString foreignWork = PhoneText(p.Inostr.WorkCode, p.Inostr.WorkPhone);

    if (decl.DeclarationKind != 2) {
        TAdrValues v;
        v.INN = Str(p.INN);
        v.Surname = Str(p.SurName);
        v.FirstName = Str(p.FirstName);
        v.Patronymic = Str(p.Patronymic);
        v.StatusText = QString::number(decl.DeclarationKind);
        const TAddress address = {Str(p.PostIndex), Str(p.RegionName), QString::number(p.RegionCode), Str(p.District),
                                  Str(p.City),      Str(p.Area),       Str(p.Street),                Str(p.House),
                                  Str(p.Building),  Str(p.Flat),       homePhone,                    workPhone};
        TAddress blank;
        blank.PostIndex = QStringLiteral("      ");
        v.Residence = p.AddressOfStay ? blank : address;
        v.Stay = p.AddressOfStay ? address : blank;
        v.AddressAbroad = Str(p.Inostr.AddressAbroad);
        v.ForeignHomePhone = foreignHome;
        v.ForeignWorkPhone = foreignWork;
        v.PrintValues = true;
        clAdr(report, ctx, v);
    }
    PageFooter(report, ctx);
    return true;
}
