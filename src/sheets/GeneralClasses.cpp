#include "sheets/GeneralClasses.h"

#include "platform/VAztecBarCode.h"

// ---------------------------------------------------------------------------------------------

mbText mbText::Create(int Left, double Top, int Width, const QString& Text, rl::TBand& Parent) {
    QString text = Text;
    const rl::TFontSpec font = fonts::Letterica(11, true);
    // Characters come off the end until the text fits; an empty text always fits.
    while (!text.isEmpty() && rl::TextWidthMm(text, font) > Width - 2) text.chop(1);
    Parent.AddLabel(Left + 2, Top - 4.5, text, font);
    return mbText{static_cast<int>(text.size())};
}

mbRek mbRek::CreateText(int Left, double Top, int Width, const QString& Text, rl::TBand& Parent, bool Dotted) {
    const mbText t = mbText::Create(Left, Top, Width, Text, Parent);
    Parent.AddHLine(Left, Top, Width, Dotted ? rl::TPen::Dot : rl::TPen::Solid);
    return mbRek{t.FittedLength};
}

void mbRek::CreateCurrency(int Left, double Top, int Width, Currency Value, rl::TBand& Parent) {
    Parent.AddHLine(Left, Top, Width, rl::TPen::Dot);
    Parent.AddHLine(Left + Width + 8, Top, 5, rl::TPen::Dot);
    const std::int64_t kopecks = Value.Raw() / 100; // truncated toward zero
    mbLabel::Create(Left + Width + 1, Top - 2.8, QStringLiteral("руб."), 8, Parent, false);
    mbLabel::Create(Left + Width + 13, Top - 2.8, QStringLiteral("коп."), 8, Parent, false);
    mbSum::Create(Left, Top, Width, true, QString::number(kopecks < 0 ? -kopecks : kopecks), Parent, kopecks < 0);
}

void mbRek::CreateRubles(int Left, double Top, int Width, std::int64_t Value, rl::TBand& Parent) {
    Parent.AddHLine(Left, Top, Width, rl::TPen::Dot);
    mbSum::Create(Left, Top, Width, false, QString::number(Value < 0 ? -Value : Value), Parent, Value < 0);
    mbLabel::Create(Left + Width + 1, Top - 2.8, QStringLiteral("руб."), 8, Parent, false);
}

void mbSum::Create(int Left, double Top, int Width, bool KopeckMode, QString Digits, rl::TBand& Parent, bool Negative) {
    const rl::TFontSpec font = fonts::Unreal(11, true);
    auto cell = [&](double left, QChar c, bool overflow) {
        Parent.AddLabel(left, Top - 4.3, QString(c), font, overflow ? kRed : kBlack);
    };
    double firstLeft = 0;
    bool overflow = false;
    if (KopeckMode) {
        while (Digits.size() < 3) Digits.prepend(QLatin1Char('0'));
        const int n = static_cast<int>(Digits.size());
        overflow = n > 14;
        if (Digits == QLatin1String("000")) return;
        for (int i = 1; i <= n - 2; ++i) {
            firstLeft = Left + Width - 3 * i;
            cell(firstLeft, Digits[n - 2 - i], overflow);
        }
        cell(Left + Width + 7, Digits[n - 2], overflow);
        cell(Left + Width + 10, Digits[n - 1], overflow);
    } else {
        const int n = static_cast<int>(Digits.size());
        overflow = n > 12;
        if (Digits == QLatin1String("0")) return;
        for (int i = 1; i <= n; ++i) {
            firstLeft = Left + Width - 3 * i;
            cell(firstLeft, Digits[n - i], overflow);
        }
    }
    // The sign stands outside the cells, just left of the first one used.
    if (Negative) Parent.AddLabel(firstLeft - 3, Top - 4.3, QStringLiteral("-"), font, overflow ? kRed : kBlack);
}

void mbLabel::Create(double Left, double Top, const QString& Caption, int Size, rl::TBand& Parent, bool Bold) {
    Parent.AddLabel(Left, Top, Caption, fonts::Unreal(Size, Bold));
}

void mbLabel::CreateLines(double Left, double Top, const QStringList& Lines, int Size, rl::TBand& Parent, bool Bold) {
    double pitch = 0;
    switch (Size) {
    case 6:
    case 7: pitch = 2.8; break;
    case 8: pitch = 3.2; break;
    case 9: pitch = 3.4; break;
    default: pitch = 0; break;
    }
    for (int k = 0; k < Lines.size() && k < 4; ++k) Create(Left, Top + k * pitch, Lines[k], Size, Parent, Bold);
}

void mbTable::Create(rl::TBand& Parent, const std::vector<int>& Heights, const std::vector<bool>& Shaded,
                     const std::vector<bool>& Unnumbered, int RowCount, bool KopecksHeading) {
    std::vector<double> bottom(static_cast<std::size_t>(RowCount), 0);
    double acc = 0;
    for (int i = 0; i < RowCount; ++i) {
        acc += Heights.at(static_cast<std::size_t>(i));
        bottom[static_cast<std::size_t>(i)] = acc;
    }
    auto top = [&](int i) { return i == 0 ? 0.0 : bottom[static_cast<std::size_t>(i - 1)]; };
    for (int i = RowCount - 1; i >= 0; --i)
        Parent.AddRect(7, 0, 181, bottom[static_cast<std::size_t>(i)], Shaded.at(static_cast<std::size_t>(i)) ? kGrey : QColor(Qt::white));
    int number = 0;
    for (int i = 1; i < RowCount; ++i) {
        if (Unnumbered.at(static_cast<std::size_t>(i))) continue;
        ++number;
        const double y = (top(i) + bottom[static_cast<std::size_t>(i)]) / 2 - 1;
        QString code = QString::number(number) + QLatin1Char('0');
        if (code.size() < 3) code.prepend(QLatin1Char('0'));
        mbLabel::Create(9, y, QString::number(number), 10, Parent, true);
        mbLabel::Create(113, y, code, 10, Parent, false);
    }
    Parent.AddRect(7, 0, 9, bottom.back());
    for (int i = 0; i < RowCount; ++i) {
        if (i == 1 || (i >= 2 && Shaded.at(static_cast<std::size_t>(i)))) continue;
        const double h = bottom[static_cast<std::size_t>(i)] - top(i);
        Parent.AddVLine(108.5, top(i), h);
        Parent.AddVLine(122.5, top(i), h);
    }
    mbLabel::CreateLines(9, 3, {QStringLiteral(" № "), QStringLiteral("п/п")}, 8, Parent, false);
    mbLabel::Create(54, 5, QStringLiteral("Показатели"), 8, Parent, false);
    mbLabel::CreateLines(112, 3, {QStringLiteral("  Код"), QStringLiteral("строки")}, 8, Parent, false);
    mbLabel::CreateLines(145, 3,
                         {QStringLiteral("Значения показателей"),
                          KopecksHeading ? QStringLiteral("              (руб., коп.)") : QStringLiteral("           (руб.)")},
                         8, Parent, false);
}

QString GroupDigits(QString digits) {
    const int n = static_cast<int>(digits.size());
    const int r = n % 3;
    for (int j = 0; j < n / 3; ++j) digits.insert(r + 4 * j, QLatin1Char(' '));
    return digits;
}

namespace {

void RightAligned(rl::TBand& band, int x, double top, const QString& text, QColor color) {
    rl::TElement& e = band.AddLabel(x, top, text, fonts::Letterica(13, true), color);
    e.left = x - e.width;
}

} // namespace

void mbRekNum::CreateCurrency(int X, double Top, Currency Value, rl::TBand& Parent, bool Dash) {
    const double top = Top - 3.5;
    const QColor color = kBlack; // every amount the money type holds is below the red limit
    if (!Value.IsZero()) {
        const std::int64_t roubles = Value.Raw() / 10000;
        const QString text = (Value.Raw() < 0 ? QStringLiteral("-") : QString()) + GroupDigits(QString::number(roubles < 0 ? -roubles : roubles));
        RightAligned(Parent, X, top, text, color);
    } else if (Dash) {
        RightAligned(Parent, X, top, QStringLiteral("----"), kBlack);
    }
    std::int64_t k = Value.Raw() / 100;
    if (k != 0) {
        if (k < 0) k = -k;
        const QString two = QString::number(k % 100).rightJustified(2, QLatin1Char('0'));
        Parent.AddLabel(X, top, QStringLiteral(".") + two, fonts::Letterica(13, true), color);
    }
}

void mbRekNum::CreateRubles(int X, double Top, std::int64_t Value, rl::TBand& Parent, bool Dash) {
    const double top = Top - 3.5;
    if (Value != 0) {
        const std::int64_t a = Value < 0 ? -Value : Value;
        const QString text = (Value < 0 ? QStringLiteral("-") : QString()) + GroupDigits(QString::number(a));
        RightAligned(Parent, X, top, text, Value >= 1000000000000000LL ? kRed : kBlack);
    } else if (Dash) {
        RightAligned(Parent, X, top, QStringLiteral("----"), kBlack);
    }
}

// ---------------------------------------------------------------------------------------------

namespace {

using namespace layout;

// The page header of every page after the first two; the values are created only with PrintValues.
const TRows kPageHeader = {
    PageCode{9, 9, "PageCode"},
    Caption{59, 9, 12, kBold, "ИНН"},
    HLine{70, 8, 72},
    HLine{70, 14, 72},
    Rules{70, 8, 6, 13},
    Chars{71.2, 9, 6, "INN", 0, 12, TFace::Arial},
    Caption{110, 16, 12, kBold, "Стр."},
    HLine{130, 15, 18},
    HLine{130, 21, 18},
    Rules{130, 15, 6, 4},
    Chars{131.2, 16, 6, "PageNumber", 0, 3, TFace::Arial},
    Caption{152, 22, 10, kBold, "Форма по КНД 1151020"},
    ValueLabel{169, 26, "Section", 10, kBold, kAlways},
    Caption{6.5, 33, 9, kBold, "Фамилия"},
    Caption{172, 33, 9, kBold, "И."},
    Caption{182.1, 33, 9, kBold, "О."},
    HLine{22, 31, 148.8},
    HLine{22, 37, 148.8},
    Rules{22, 31, 4.8, 32},
    Chars{23.3, 32, 4.8, "Surname", 0, 31},
    HLine{176.3, 31, 4.8},
    HLine{176.3, 37, 4.8},
    VLine{176.3, 31, 6},
    VLine{181.1, 31, 6},
    Chars{177.6, 32, 0, "FirstInitial", 0, 1},
    HLine{185.6, 31, 4.8},
    HLine{185.6, 37, 4.8},
    VLine{190.4, 31, 6},
    VLine{185.6, 31, 6},
    Chars{186.9, 32, 0, "PatronymicInitial", 0, 1},
};

// The page footer: the date's eight cells skip the separators of "dd.mm.yyyy".
const TRows kPageFooter = {
    Caption{20, 1, 10, kPlain, "Достоверность и полноту сведений, указанных на данной странице, подтверждаю:"},
    Caption{20, 7, 10, kPlain, "Подпись"},
    Caption{102, 7, 10, kPlain, "Дата"},
    HLine{47, 11, 54},
    Frame{127, 6, 4.8, 6, TFill::White},
    Frame{131.8, 6, 4.8, 6, TFill::White},
    Frame{140.6, 6, 4.8, 6, TFill::White},
    Frame{145.4, 6, 4.8, 6, TFill::White},
    Frame{154.2, 6, 4.8, 6, TFill::White},
    Frame{159, 6, 4.8, 6, TFill::White},
    Frame{163.8, 6, 4.8, 6, TFill::White},
    Frame{168.6, 6, 4.8, 6, TFill::White},
    Chars{128.2, 7, 0, "Date", 0, 1, TFace::Arial, kAlways},
    Chars{133, 7, 0, "Date", 1, 1, TFace::Arial, kAlways},
    Chars{141.8, 7, 0, "Date", 3, 1, TFace::Arial, kAlways},
    Chars{146.6, 7, 0, "Date", 4, 1, TFace::Arial, kAlways},
    Chars{155.4, 7, 0, "Date", 6, 1, TFace::Arial, kAlways},
    Chars{160.2, 7, 0, "Date", 7, 1, TFace::Arial, kAlways},
    Chars{165, 7, 0, "Date", 8, 1, TFace::Arial, kAlways},
    Chars{169.8, 7, 0, "Date", 9, 1, TFace::Arial, kAlways},
};

} // namespace

void mbZagL(rl::TOstrekReport& AOwner, const QString& INN, const QString& Surname, const QString& FirstInitial,
            const QString& PatronymicInitial, const QString& SectionCode, const QString& PageNumber, const QString& PageCode,
            bool PrintValues) {
    rl::TBand& b = AOwner.NewBand(true);
    TValues v;
    v.Texts = {{"PageCode", PageCode},
               {"INN", INN},
               {"PageNumber", PageNumber.rightJustified(3, QLatin1Char('0'))},
               {"Section", QStringLiteral("Раздел ") + SectionCode},
               {"Surname", Surname},
               {"FirstInitial", FirstInitial.left(1)},
               {"PatronymicInitial", PatronymicInitial.left(1)}};
    Layout(b, kPageHeader, v, PrintValues);
    b.Height = 38;
}

void mbPodval(rl::TOstrekReport& AOwner, const QString& DateText, bool PrintDate) {
    rl::TBand& b = AOwner.NewBand(false);
    TValues v;
    v.Texts["Date"] = PrintDate ? DateText : QStringLiteral("  ,  ,    ");
    Layout(b, kPageFooter, v, true);
    b.Height = rl::kDefaultBandHeight;
}

// ---------------------------------------------------------------------------------------------

#include "reportcore/ClassesLogDan.h"
#include "reportcore/ClassesReportPlan.h"

QString RoublesInFifteenBoxes(Currency amount) {
    return QString::number(RoundHalfUpRoubles(amount)).rightJustified(15, QLatin1Char(' '));
}

void PageHeader(rl::TOstrekReport& report, const TBuildContext& ctx, int kind, int pageIndex) {
    const kTPersonDan& p = *ctx.DanLog.PersonDan;
    const TSheetKindInfo& info = SheetKindInfo(kind);
    const bool form4 = ctx.DanLog.DeclDan->DeclarationKind == 2;
    const QString pageCode = QString::fromUtf8(form4 && info.PageCode4 ? info.PageCode4 : info.PageCode);
    const QString first = QString::fromStdString(p.FirstName), patronymic = QString::fromStdString(p.Patronymic);
    mbZagL(report, QString::fromStdString(p.INN), QString::fromStdString(p.SurName), first.left(1), patronymic.left(1),
           QString::fromUtf8(info.SectionCode ? info.SectionCode : ""),
           QString::number(ctx.Plan.SheetFirstPage[kind] + 1 + pageIndex), pageCode, true);
}

void PageFooter(rl::TOstrekReport& report, const TBuildContext& ctx) {
    mbPodval(report, QString::fromStdString(DateToStr(ctx.DanLog.DeclDan->FilingDate)), ctx.DanLog.PrintDate);
}

void AddBarcodeImages(rl::TBand& band, const TBuildContext& ctx, int firstImage, std::initializer_list<double> tops) {
    int index = firstImage;
    for (double top : tops) {
        if (index >= 0 && index < ctx.BarcodeImages.size())
            band.AddImage(192, top, 10, 50, ctx.BarcodeImages[index], kAztecImageDpi);
        ++index;
    }
}
