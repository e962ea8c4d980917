// The title page and the second page of form 3-NDFL.
#include "sheets/ClassesTitul.h"

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesReportPlan.h"

#include <cmath>
#include <string>

namespace {

using namespace layout;

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
void AddOnPaper(TRows& rows, const Caption& row) {
    if (row.left >= 0 && row.left < rl::kPageWidth && row.top >= 0 && row.top < rl::kPageHeight) rows.push_back(row);
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

const TRows kTitulHead = {
    PageCode{9, 9, "PageCode"},
    // Above the INN boxes, whose top edge its line would cross.
    Caption{88, 4, 6, kPlain, "Приложение № 1 к приказу Министерства финансов Российской Федерации от 23 декабря 2005 г. № 153н"},
    Caption{48, 10, 10, kPlain, "ИНН"},
    CharBoxes{66, 9, 12, "INN"},
    Caption{108, 17.5, 10, kPlain, "Стр."},
    CharBoxes{122, 16.5, 3, "PageNumber"},
    Caption{146, 24.5, 10, kBold, "Форма по КНД 1151020"},
    Caption{80, 27.5, 11, kBold, "Налоговая декларация"},
    Caption{52, 31, 11, kBold, "по налогу на доходы физических лиц (форма 3-НДФЛ)"},
    Caption{8, 36, 6, kPlain, "Вид документа: 1 - первичный, 3 - корректирующий (через дробь номер корректировки)"},
    CaptionLines{8, 39.5, 7, false, "         Вид|документа"},
    Caption{125, 40.2, 7, kPlain, "Отчетный налоговый период"},
    Caption{28, 39.8, 15, kPlain, "/"},
    CharBoxes{21, 39.5, 1, "DocumentKind"},
    CharBoxes{31, 39.5, 1, "CorrectionNumber"},
    CharBoxes{160, 39.5, 4, "Year"},
    Caption{8, 47, 8, kBold, "Представляется в"},
    Caption{158, 47, 8, kPlain, "Код"},
};

const TRows kTitulPerson = {
    WrappedText{36, 45, 120, 16, "InspectionName"},
    CharBoxes{164, 46, 4, "InspectionCode"},
    Caption{83, 52, 6, kPlain, "(наименование налогового органа)"},
    CaptionLines{8, 55, 7, false, "физическим лицом, |получавшим доходы|от налоговых агентов"},
    CaptionLines{42, 55, 7, false, "    физическим лицом,|  зарегистрированным в|качестве индивидуального|    предпринимателя"},
    CaptionLines{85, 55, 7, false, "  нотариусом,|занимающимся|   частной|  практикой"},
    CaptionLines{116, 55, 7, false, " адвокатом,|учредившим|адвокатский|кабинет"},
    CaptionLines{143, 55, 7, false, "иностранным| физическим|   лицом"},
    CaptionLines{167, 55, 7, false, "    иным|физическим|   лицом"},
    CharBoxes{33, 55, 1, "Status0"},
    CharBoxes{74, 55, 1, "Status1"},
    CharBoxes{106, 55, 1, "Status2"},
    CharBoxes{133, 55, 1, "Status3"},
    CharBoxes{160, 55, 1, "Status4"},
    CharBoxes{183, 55, 1, "Status5"},
    Caption{93, 69, 6, kPlain, "(нужное отметить знаком V)"},
    Caption{8, 77, 8, kPlain, "Фамилия"},
    CharBoxes{22, 75, 33, "Surname"},
    Caption{8, 87, 8, kPlain, "Имя"},
    CharBoxes{22, 85, 33, "FirstName"},
    Caption{8, 97, 8, kPlain, "Отчество"},
    CharBoxes{22, 95, 33, "Patronymic"},
    CaptionLines{8, 107, 8, false, "Основной государственный регистрационный номер индивидуального|предпринимателя (ОГРНИП)"},
    CharBoxes{112, 107, 15, "OGRNIP"},
    Caption{8, 118, 8, kPlain, "Дата рождения"},
    CharBoxes{43, 117, 2, "BirthDay"},
    CharBoxes{58, 117, 2, "BirthMonth"},
    CharBoxes{73, 117, 4, "BirthYear"},
    // Captions between boxes are pieces placed by the boxes, not runs of blanks: the substitute
    // face's blanks are narrower than the form's.
    Caption{8, 128, 8, kPlain, "Пол"},
    Caption{36, 128, 8, kPlain, "Муж"},
    Caption{56, 128, 8, kPlain, "Жен"},
    Tick{128, "Sex", {{"1", 64.2}}, 44.2},
};

const TRows kTitulDocument = {
    CharBoxes{43, 127, 1, ""},
    CharBoxes{63, 127, 1, ""},
    Caption{78, 128, 6, kPlain, "(нужное отметить знаком V)"},
    Caption{8, 137, 8, kPlain, "Гражданство"},
    Caption{157, 137, 8, kPlain, "Код страны"},
    TextField{33, 140.2, 110, "Citizenship"},
    CharBoxes{174, 135.2, 3, "CountryCode"},
    Caption{8, 145.2, 8, kPlain, "Место рождения"},
    TextField{38, 148.4, 151, "Birthplace"},
    Caption{8, 153.4, 8, kPlain, "Вид документа, удостоверяющего личность"},
    Caption{157, 153.4, 8, kPlain, "Код документа"},
    TextField{76, 156.6, 79, "DocumentTypeName"},
    CharBoxes{179, 151.6, 2, "DocumentCode"},
    Caption{8, 161.6, 8, kPlain, "Серия и номер документа, удостоверяющего личность"},
    TextField{92, 164.8, 97, "DocumentNumber"},
    Caption{8, 169.8, 8, kPlain, "Кем выдан"},
    TextField{32, 173, 157, "IssuedBy"},
    CaptionLines{8, 178, 8, false, "Дата выдачи|документа"},
    CharBoxes{43, 177, 2, "IssueDay"},
    CharBoxes{58, 177, 2, "IssueMonth"},
    CharBoxes{73, 177, 4, "IssueYear"},
    Caption{8, 190, 8, kPlain, "Данная декларация составлена на"},
    Caption{74, 190, 8, kPlain, "страницах"},
    Caption{99, 190, 8, kPlain, "с приложением подтверждающих"},
    Caption{125, 193.2, 8, kPlain, "документов на"},
    Caption{163, 191, 8, kPlain, "листах"},
    CharBoxes{58, 189, 3, "PageCount"},
    CharBoxes{146, 189, 3, "AppendixCount"},
    Frame{8, 200, 180, 0.3, TFill::White},
    Frame{81, 200, 0.3, 80, TFill::White},
    CaptionLines{8, 205, 8, true, "Достоверность и полноту сведений,|указанных на данной странице, подтверждаю:"},
    Caption{88, 206, 8, kBold, "Заполняется работником налогового органа"},
    Caption{88, 213, 8, kPlain, "Сведения о представлении налоговой декларации"},
    Caption{10, 219, 8, kPlain, "лично"},
    Caption{33, 219, 8, kPlain, "законный представитель"},
    CharBoxes{20, 218, 1, ""},
    CharBoxes{71, 218, 1, ""},
    Caption{32, 225, 7, kPlain, "(нужное отметить знаком V)"},
    Caption{88, 225, 8, kPlain, "Данная декларация представленна"},
};

// The hint "(нужное отметить знаком V)" follows right after the caption above.

const TRows kTitulOffice = {
    Caption{88, 231, 8, kPlain, "лично"},
    Caption{118, 231, 8, kPlain, "по почте"},
    CaptionLines{140, 230, 8, false, "уполномоченным(законным)|         представителем"},
    CharBoxes{105, 230, 1, ""},
    CharBoxes{132, 230, 1, ""},
    CharBoxes{180, 230, 1, ""},
    Caption{8, 234, 8, kPlain, "Подпись   ________________________________"},
    Caption{88, 243, 8, kPlain, "на"},
    Caption{135, 243, 8, kPlain, "Страницах"},
    Caption{8, 243, 8, kPlain, "Дата"},
    CharBoxes{23, 242, 2, "DateDay"},
    CharBoxes{38, 242, 2, "DateMonth"},
    CharBoxes{53, 242, 4, "DateYear"},
    CharBoxes{109, 242, 3, ""},
    Caption{88, 250, 8, kPlain, "с приложением подтверждающих документов на"},
    CharBoxes{161, 249, 3, ""},
    Caption{178, 250, 8, kPlain, "листах"},
    Caption{88, 258, 8, kPlain, "Дата представления декларации"},
    CharBoxes{133, 257, 2, ""},
    CharBoxes{148, 257, 2, ""},
    CharBoxes{163, 257, 4, ""},
    Caption{88, 265, 8, kPlain, "Зарегистрирована за №"},
    CharBoxes{133, 264, 10, ""},
    Caption{93, 272, 8, kPlain, "__________________________________"},
    Caption{155, 272, 8, kPlain, "__________________"},
    Caption{113, 275.5, 6, kPlain, "Фамилия И.О."},
    Caption{165, 275.5, 6, kPlain, "Подпись"},
};

TValues TitulPrinted(const TTitulValues& v) {
    TValues values;
    auto& t = values.Texts;
    t["PageCode"] = QString::fromUtf8(SheetKindInfo(skTitul).PageCode);
    t["INN"] = v.INN;
    t["InspectionName"] = v.InspectionName;
    t["PageNumber"] = QStringLiteral("001");
    t["Year"] = QStringLiteral("2005");
    const bool primary = v.CorrectionNumber == 100;
    t["DocumentKind"] = primary ? QStringLiteral("1") : QStringLiteral("3");
    t["CorrectionNumber"] = primary ? QString() : QString::number(v.CorrectionNumber);
    t["InspectionCode"] = v.InspectionCode;
    for (unsigned i = 0; i <= 5; ++i) t["Status" + std::to_string(i)] = v.Status == i ? QStringLiteral("V") : QString();
    t["Sex"] = v.Sex;
    t["Surname"] = v.Surname;
    t["FirstName"] = v.FirstName;
    t["Patronymic"] = v.Patronymic;
    t["OGRNIP"] = v.OGRNIP;
    SplitDate(values, "Birth", v.BirthDate);
    t["Citizenship"] = v.Citizenship;
    t["CountryCode"] = v.CountryCode.rightJustified(3, QLatin1Char(' '));
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

    Layout(band, kTitulHead, values, true);
    Layout(band, kTitulPerson, values, true);

    Layout(band, kTitulDocument, values, true);

    const double captionWidth = rl::TextWidthMm(QStringLiteral("Данная декларация представленна"), fonts::Unreal(8));
    TRows officeHint;
    AddOnPaper(officeHint, Caption{88 + RoundHalfEven(captionWidth) + 1, 225.5, 7, kPlain, "(нужное отметить знаком V)"});
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

const TRows kAdrHead = {
    PageCode{9, 9, "PageCode"},
    Caption{48, 10, 10, kPlain, "ИНН"},
    CharBoxes{66, 9, 12, "INN"},
    Caption{108, 17.5, 10, kPlain, "Стр."},
    CharBoxes{122, 16.5, 3, "PageNumber"},
    Caption{146, 24.5, 10, kBold, "Форма по КНД 1151020"},
    Caption{6.5, 33, 9, kBold, "Фамилия"},
    Caption{172, 33, 9, kBold, "И."},
    Caption{182.1, 33, 9, kBold, "О."},
    HLine{22, 31, 148.8},
    HLine{22, 37, 148.8},
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
TRows AddressRows(const TAddressNames& n, double dy) {
    return {
        Caption{8, 63.5 + dy, 8, kPlain, "Почтовый индекс"},
        CharBoxes{35, 62.5 + dy, 6, n.PostIndex},
        Caption{8, 71 + dy, 8, kPlain, "Субъект Российской Федерации"},
        Caption{160, 71 + dy, 8, kPlain, "Код региона"},
        TextField{52, 74 + dy, 97, n.RegionName},
        CharBoxes{179, 70 + dy, 2, n.RegionCode},
        Caption{8, 76.5 + dy, 8, kPlain, "Район"},
        TextField{20, 80.5 + dy, 168, n.District},
        Caption{8, 82 + dy, 8, kPlain, "Город"},
        TextField{20, 86 + dy, 168, n.City},
        Caption{8, 87.5 + dy, 8, kPlain, "Населенный пункт (село, поселок и т.д.)"},
        TextField{64, 91.5 + dy, 124, n.Settlement},
        Caption{8, 93 + dy, 8, kPlain, "Улица (проспект, переулок и т.д.)"},
        TextField{56, 97 + dy, 132, n.Street},
        Caption{8, 98.5 + dy, 8, kPlain, "Номер дома (владения)"},
        Caption{105, 98.5 + dy, 8, kPlain, "Номер корпуса (строения)"},
        TextField{45, 102.5 + dy, 46, n.House},
        TextField{141, 102.5 + dy, 47, n.Building},
        Caption{8, 104 + dy, 8, kPlain, "Номер квартиры"},
        TextField{34, 108 + dy, 154, n.Flat},
        Caption{8, 109.5 + dy, 8, kPlain, "Код города и номер контактного телефона:"},
        Caption{76, 109.5 + dy, 8, kPlain, "служебный"},
        Caption{137, 109.5 + dy, 8, kPlain, "домашний"},
        TextField{94, 113.5 + dy, 36, n.WorkPhone},
        TextField{152, 113.5 + dy, 36, n.HomePhone},
    };
}

// The address abroad runs on over four lines, each line going on where the one before stopped.
const TRows kAdrForeignPhones = {
    TextField{8, 197.5, 180, "AddressAbroad"},
    TextGoesOn{8, 203.0, 180, "AddressAbroad"},
    TextGoesOn{8, 208.5, 180, "AddressAbroad"},
    TextGoesOn{8, 214.0, 180, "AddressAbroad"},
    Caption{8, 219.5, 8, kPlain, "Код страны, код города и номер контактного телефона:"},
    Caption{8, 225, 8, kPlain, "Cлужебный"}, // the first letter is the Latin "C", as on the form
    Caption{104, 225, 8, kPlain, "домашний"},
    TextField{32, 229, 60, "ForeignWorkPhone"},
    TextField{128, 229, 60, "ForeignHomePhone"},
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
    t["PageCode"] = QString::fromUtf8(SheetKindInfo(skAdr).PageCode);
    t["INN"] = v.INN;
    t["PageNumber"] = QStringLiteral("002");
    t["AddressAbroad"] = v.AddressAbroad;
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
TRows AdrRows(bool printValues) {
    TRows rows = kAdrHead;
    for (int k = 0; k <= kSurnameCells; ++k) rows.push_back(VLine{22 + 4.8 * k, 31, 6});
    if (printValues)
        for (int k = 0; k < kSurnameCells; ++k)
            rows.push_back(ValueLabel{23.3 + 4.8 * k, 32, LetterNames()[static_cast<std::size_t>(k)].c_str(), 10, kBold});
    const TRows initials = {
        HLine{176.3, 31, 4.8},
        HLine{176.3, 37, 4.8},
        VLine{176.3, 31, 6},
        VLine{181.1, 31, 6},
    };
    rows.insert(rows.end(), initials.begin(), initials.end());
    if (printValues) rows.push_back(ValueLabel{177.6, 32, "FirstInitial", 10, kBold});
    const TRows patronymic = {
        HLine{185.6, 31, 4.8},
        HLine{185.6, 37, 4.8},
        VLine{190.4, 31, 6},
        VLine{185.6, 31, 6},
    };
    rows.insert(rows.end(), patronymic.begin(), patronymic.end());
    if (printValues) rows.push_back(ValueLabel{186.9, 32, "PatronymicInitial", 10, kBold});

    const TRows status = {
        Caption{8, 42, 8, kBold, "Статус налогоплательщика"},
        CaptionLines{43, 48.5, 8, false, "физическое лицо - налоговый резидент|Российской Федерации"},
        CaptionLines{113, 48.5, 8, false, "физическое лицо, не являющееся налоговым|резидентом Российской Федерации"},
        CharBoxes{99, 48.5, 1, "Resident"},
        CharBoxes{183, 48.5, 1, "NonResident"},
        Caption{108, 55.5, 6, kPlain, "(нужное отметить знаком V)"},
        Caption{8, 58, 8, kBold, "Место жительства в Российской Федерации:"},
    };
    rows.insert(rows.end(), status.begin(), status.end());
    const TRows residence = AddressRows(kResidenceNames, 0);
    rows.insert(rows.end(), residence.begin(), residence.end());
    rows.push_back(Caption{8, 123, 8, kBold, "Адрес места пребывания в Российской Федерации:"});
    const TRows stay = AddressRows(kStayNames, 65);
    rows.insert(rows.end(), stay.begin(), stay.end());
    rows.push_back(Caption{8, 188, 8, kBold, "Адрес места жительства за пределами Российской Федерации:"});
    return rows;
}

// The second page: residence status, the Russian addresses, the address and telephones abroad.
void clAdr(rl::TOstrekReport& AOwner, const TBuildContext& ctx, const TAdrValues& v) {
    rl::TBand& band = AOwner.NewBand(true);
    const TValues values = AdrPrinted(v);

    Layout(band, AdrRows(v.PrintValues), values, true);
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
    const TCitizenship citizenship = CitizenshipOf(p);
    v.Citizenship = Str(citizenship.Name);
    v.CountryCode = Str(citizenship.CountryCode);
    v.Birthplace = Str(p.Mesto);
    v.DocumentTypeName = Str(p.DocTypeName);
    v.DocumentNumber = Str(p.Serial);
    v.DocumentCode = QString::number(p.DocTypeCode);
    v.IssuedBy = Str(p.Kem);
    v.IssueDate = DateDigits(p.RegDate);
    v.PageCount = QString::number(ctx.Plan.PageTotal);
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
